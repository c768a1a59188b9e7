#pragma once

#include "history/logreader.h"
#include "rules/game.h"
#include "rules/prize.h"

#include <QAbstractTableModel>

#include <functional>
#include <memory>
#include <optional>

// The drawn lines as a table, newest first: date, time, letter, the six
// numbers and, once a draw is entered, the prize, the matched numbers marked.
class LineTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows `span` of `lines`, which it keeps alive.
    void setLines(SettledLines lines, LineSpan span);
    // Marks the matched numbers and shows the prizes against `draw`, of the
    // lines `playedFor` takes, or of all without it.
    void setDraw(const std::optional<AnnouncedDraw> &draw, std::function<bool(const LoggedLine &)> playedFor = {});

    // The rows are given to the view a batch at a time, as it scrolls down:
    // telling it of millions at once would hold up the window's thread.
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    static constexpr size_t batch = 1000;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    enum Column { Date, Time, Letter, FirstNumber, Prize = FirstNumber + Game::picked, Columns };

    // The line shown in `row`, newest first.
    const LoggedLine &lineAt(int row) const { return span.end[-1 - row]; }

private:
    SettledLines lines;
    LineSpan span{nullptr, nullptr};
    size_t given = 0; // rows the view has been told of
    std::optional<AnnouncedDraw> draw;
    std::function<bool(const LoggedLine &)> playedFor;
};

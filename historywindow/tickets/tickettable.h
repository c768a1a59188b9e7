#pragma once

#include "results/resultsbook.h"
#include "tickets/ticketbook.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <vector>

// The tickets as a table, newest first: each one's lines, units, the draws it
// covers, its cost, what it won, and how each of its draws came out. The
// cells are made once, when the tickets, the book or the day change: the
// view asks for them at every paint.
class TicketTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // `today` is the local date, yyyymmdd: a win not received is lost after its last day.
    void setTickets(const TicketBook &tickets, const ResultsBook &book, int today);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    enum Column { Number, Moment, Lines, Units, Draws, Cost, Won, Outcome, Columns };

    // The ticket in `row`, by its number; its row, or -1.
    int ticketAt(int row) const { return rows[size_t(row)].number; }
    int rowOf(int ticket) const;

private:
    struct Row
    {
        int number = 0;
        std::array<QString, Columns> cells;
    };
    std::vector<Row> rows;
};

// How one draw of a ticket came out, its lines together: "結果待ち", "はずれ",
// or each win, "3等 60,000 円", then "受取済", "期限切れ" or its last day.
QString outcomeOf(int tier, int64_t prize, int state, int lastDay);

#pragma once

#include "results/plays.h"

#include <QAbstractTableModel>

// The draws of the results book, newest first: 第N回 and the date, the six
// numbers and the bonus, then the lines played for it, how many won each
// tier, what they won (where the prizes are known) and what they cost.
class DrawTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // False, and nothing told to the view, when it shows them already.
    bool setDraws(const ResultsBook &book, const Plays::Ledger &ledger);
    // The book's draw in `row`, newest first.
    const DrawResult &drawAt(int row) const { return draws[draws.size() - 1 - size_t(row)]; }
    const Plays::DrawTotals &totalsAt(int row) const { return totals[totals.size() - 1 - size_t(row)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    enum Column { Number, Date, Numbers, Lines, FirstTier, Won = FirstTier + 5, Cost, Columns };

private:
    std::vector<DrawResult> draws;
    std::vector<Plays::DrawTotals> totals;
};

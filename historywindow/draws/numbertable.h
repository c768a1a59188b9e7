#pragma once

#include "analysis/drawstats.h"

#include <QAbstractTableModel>

// Each number 1 to 43 in the draws: how often it was drawn among the six and
// as the bonus, how many draws ago it last came, and the longest it stayed
// away. Sorted by any column through SortRole.
class NumberTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setStats(const DrawStats &stats);

    enum Column { Number, Count, Bonus, Gap, Longest, Columns };
    static constexpr int SortRole = Qt::UserRole;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    DrawStats stats;
};

#include "numbertable.h"

#include "rules/game.h"

#include <climits>

void NumberTable::setStats(const DrawStats &shown)
{
    stats = shown;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, Columns - 1));
}

int NumberTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Game::highest;
}

int NumberTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant NumberTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const size_t n = size_t(index.row() + 1);
    const int gap = stats.gaps[n];
    if (role == SortRole) {
        switch (index.column()) {
        case Count:
            return qulonglong(stats.counts[n]);
        case Bonus:
            return qulonglong(stats.bonuses[n]);
        case Gap: // one that never came has been away longest
            return gap == DrawStats::never ? INT_MAX : gap;
        case Longest:
            return stats.longest[n];
        default:
            return int(n);
        }
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (index.column() == Gap && gap == DrawStats::never)
        return QStringLiteral("-");
    return data(index, SortRole).toString();
}

QVariant NumberTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const names[] = {"数字", "出現", "ボーナス", "前回から", "最長"};
    return QString::fromUtf8(names[section]);
}

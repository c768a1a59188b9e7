#include "drawtable.h"

#include "calendar/calendar.h"

#include "texts/texts.h"

bool DrawTable::setDraws(const ResultsBook &book, const Plays::Ledger &ledger)
{
    if (draws == book.draws() && totals == ledger.byDraw)
        return false;
    beginResetModel();
    draws = book.draws();
    totals = ledger.byDraw;
    endResetModel();
    return true;
}

int DrawTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(draws.size());
}

int DrawTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant DrawTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const size_t at = draws.size() - 1 - size_t(index.row());
    const DrawResult &draw = draws[at];
    const Plays::DrawTotals &sum = totals[at];
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return int(column >= Lines ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (column) {
    case Number:
        return QStringLiteral("第%1回").arg(draw.number);
    case Date:
        return QString::fromStdString(Calendar::dateText(draw.date));
    case Numbers: {
        QStringList numbers;
        for (const int n : draw.draw.numbers)
            numbers << QString::number(n);
        return numbers.join(' ') + QStringLiteral(" +%1").arg(draw.draw.bonus);
    }
    case Lines:
        return QString::number(sum.lines);
    case Won: // a prize not in the book is not counted, and says so
        return Texts::yen(sum.won) + (sum.unknownPrizes ? QStringLiteral(" +?") : QString());
    case Cost:
        return Texts::yen(sum.cost());
    default:
        return QString::number(sum.tiers[size_t(column - FirstTier + 1)]);
    }
}

QVariant DrawTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Number:
        return QStringLiteral("回");
    case Date:
        return QStringLiteral("日付");
    case Numbers:
        return QStringLiteral("当せん番号");
    case Lines:
        return QStringLiteral("行数");
    case Won:
        return QStringLiteral("賞金");
    case Cost:
        return QStringLiteral("代金");
    default:
        return QStringLiteral("%1等").arg(section - FirstTier + 1);
    }
}

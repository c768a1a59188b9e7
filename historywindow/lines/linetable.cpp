#include "linetable.h"

#include "calendar/calendar.h"

#include <QColor>

#include <algorithm>
#include <climits>

void LineTable::setLines(SettledLines shown, LineSpan shownSpan)
{
    beginResetModel();
    lines = std::move(shown);
    span = shownSpan;
    given = std::min(span.size(), batch);
    endResetModel();
}

bool LineTable::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && given < span.size();
}

void LineTable::fetchMore(const QModelIndex &parent)
{
    const size_t more = std::min({batch, span.size() - given, size_t(INT_MAX) - given});
    if (parent.isValid() || more == 0)
        return;
    beginInsertRows({}, int(given), int(given + more - 1));
    given += more;
    endInsertRows();
}

void LineTable::setDraw(const std::optional<AnnouncedDraw> &entered, std::function<bool(const LoggedLine &)> played)
{
    draw = entered;
    playedFor = std::move(played);
    if (rowCount() > 0)
        emit dataChanged(index(0, FirstNumber), index(rowCount() - 1, Prize));
}

int LineTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(given);
}

int LineTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant LineTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const LoggedLine &line = lineAt(index.row());
    const int column = index.column();
    const int number = column >= FirstNumber && column < Prize ? line.number(column - FirstNumber) : 0;
    const bool checked = draw && (!playedFor || playedFor(line));
    const bool matched = checked && number && (draw->mask >> number & 1);
    switch (role) {
    case Qt::DisplayRole: {
        switch (column) {
        case Date:
            return QString::fromStdString(Calendar::dateText(line.date()));
        case Time:
            return QString::fromStdString(Calendar::timeText(line.time()));
        case Letter:
            return QString(QChar(line.letter()));
        case Prize: {
            const int prize = checked ? prizeOf(line, *draw) : 0;
            return prize ? QStringLiteral("%1等").arg(prize) : QString();
        }
        default:
            return number;
        }
    }
    case Qt::AccessibleTextRole: // the mark is heard, not only seen
        return matched ? QStringLiteral("%1 一致").arg(number) : data(index, Qt::DisplayRole);
    case Qt::TextAlignmentRole:
        return int(column >= FirstNumber ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
    case Qt::BackgroundRole:
        return matched ? QColor(255, 255, 0) : QVariant();
    case Qt::ForegroundRole:
        return matched ? QColor(Qt::black) : QVariant();
    default:
        return {};
    }
}

QVariant LineTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Date:
        return QStringLiteral("日付");
    case Time:
        return QStringLiteral("時刻");
    case Letter:
        return QStringLiteral("行");
    case Prize:
        return QStringLiteral("等");
    default:
        return QString::number(section - FirstNumber + 1);
    }
}

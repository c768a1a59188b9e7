#include "tickettable.h"

#include "texts/texts.h"
#include "tickets/ticketplays.h"

#include "calendar/calendar.h"

#include <map>

using TicketPlays::Play;
using TicketPlays::State;

namespace {
QString dateText(int date)
{
    return QString::fromStdString(Calendar::dateText(date));
}

QString linesOf(const Ticket &ticket)
{
    QStringList lines;
    for (size_t k = 0; k < ticket.lines.size(); ++k) {
        QStringList numbers{QString(QLatin1Char(Ticket::letterOf(k)))};
        for (const int n : ticket.lines[k].numbers)
            numbers << QString::number(n);
        lines << numbers.join(QLatin1Char(' '));
    }
    return lines.join(QStringLiteral(" / "));
}

QString prizeText(int64_t prize)
{
    return prize == DrawResult::unknown ? QStringLiteral("賞金不明") : Texts::yen(prize) + QStringLiteral(" 円");
}

// One ticket's plays as they come, made into its row.
struct Gathered
{
    const Ticket *ticket = nullptr;
    int firstDraw = 0;
    int64_t won = 0;
    bool unknown = false;
    std::map<int, QStringList> outcomes; // by draw; a draw's wins, or none
    bool waiting = false;
};
} // namespace

QString outcomeOf(int tier, int64_t prize, int state, int lastDay)
{
    switch (State(state)) {
    case State::waiting:
        return QStringLiteral("結果待ち");
    case State::noWin:
        return QStringLiteral("はずれ");
    case State::received:
        return QStringLiteral("%1等 %2 受取済").arg(tier).arg(prizeText(prize));
    case State::lost:
        return QStringLiteral("%1等 %2 期限切れ").arg(tier).arg(prizeText(prize));
    case State::unclaimed:
        break;
    }
    return QStringLiteral("%1等 %2 (%3 まで)").arg(tier).arg(prizeText(prize), dateText(lastDay));
}

void TicketTable::setTickets(const TicketBook &tickets, const ResultsBook &book, int today)
{
    std::vector<Row> made;
    made.reserve(tickets.tickets().size());
    Gathered now;
    const auto finish = [&] {
        if (!now.ticket)
            return;
        const Ticket &t = *now.ticket;
        Row row;
        row.number = t.number;
        row.cells[Number] = QString::number(t.number);
        row.cells[Moment] = dateText(t.date) + QLatin1Char(' ') + QString::fromStdString(Calendar::timeText(t.time));
        row.cells[Lines] = linesOf(t);
        row.cells[Units] = QString::number(t.units);
        row.cells[Draws] = now.firstDraw ? QStringLiteral("第%1回–第%2回").arg(now.firstDraw).arg(now.firstDraw + t.draws - 1)
                                         : QStringLiteral("%1回 (初回未定)").arg(t.draws);
        row.cells[Cost] = Texts::yen(t.cost()) + QStringLiteral(" 円");
        row.cells[Won] = Texts::yen(now.won) + QStringLiteral(" 円") + (now.unknown ? QStringLiteral(" +?") : QString());
        QStringList outcomes;
        for (const auto &[draw, wins] : now.outcomes)
            outcomes << QStringLiteral("第%1回 %2").arg(draw).arg(wins.isEmpty() ? QStringLiteral("はずれ") : wins.join(QStringLiteral(" + ")));
        if (now.waiting)
            outcomes << QStringLiteral("結果待ち");
        row.cells[Outcome] = outcomes.join(QStringLiteral(" · "));
        made.push_back(std::move(row));
    };
    TicketPlays::forEachPlay(tickets, book, today, [&](const Play &p) {
        if (p.ticket != now.ticket) {
            finish();
            now = Gathered();
            now.ticket = p.ticket;
            now.firstDraw = p.draw;
        }
        if (p.state == State::waiting) {
            now.waiting = true;
            return;
        }
        QStringList &wins = now.outcomes[p.draw];
        if (!p.tier)
            return;
        wins << outcomeOf(p.tier, p.prize, int(p.state), p.lastDay);
        if (p.prize == DrawResult::unknown)
            now.unknown = true;
        else
            now.won += p.prize;
    });
    finish();
    beginResetModel();
    rows.assign(std::make_move_iterator(made.rbegin()), std::make_move_iterator(made.rend()));
    endResetModel();
}

int TicketTable::rowOf(int ticket) const
{
    for (size_t row = 0; row < rows.size(); ++row)
        if (rows[row].number == ticket)
            return int(row);
    return -1;
}

int TicketTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows.size());
}

int TicketTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant TicketTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return rows[size_t(index.row())].cells[size_t(index.column())];
}

QVariant TicketTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const headings[Columns] = {"番号", "日時", "行", "口数", "回", "購入額", "当せん", "各回の結果"};
    return QString::fromUtf8(headings[section]);
}

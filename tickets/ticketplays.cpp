#include "ticketplays.h"

#include "results/plays.h"

#include <algorithm>

namespace TicketPlays {
int firstDrawOf(const Ticket &ticket, const ResultsBook &book)
{
    return ticket.firstDraw ? ticket.firstDraw : Plays::firstDrawOf(book, ticket.date, ticket.time);
}

void forEachPlay(const TicketBook &tickets, const ResultsBook &book, int today, const PlayFunction &play)
{
    for (const auto &[number, ticket] : tickets.tickets()) {
        const int first = firstDrawOf(ticket, book);
        for (int k = 0; k < ticket.draws; ++k) {
            const DrawResult *result = first ? book.find(first + k) : nullptr;
            for (size_t line = 0; line < ticket.lines.size(); ++line) {
                Play p;
                p.ticket = &ticket;
                p.line = line;
                p.draw = first ? first + k : 0;
                p.result = result;
                if (result) {
                    p.tier = prizeOf(ticket.lines[line].mask(), result->draw);
                    p.state = State::noWin;
                }
                if (p.tier) {
                    const int64_t prize = result->prizeOf(p.tier);
                    p.prize = prize == DrawResult::unknown ? prize : prize * ticket.units;
                    p.lastDay = Game::lastDayToClaim(result->date);
                    p.state = tickets.isReceived(number, p.draw) ? State::received
                              : today > p.lastDay                 ? State::lost
                                                                  : State::unclaimed;
                }
                play(p);
            }
        }
    }
}

Totals totalsOf(const TicketBook &tickets, const ResultsBook &book, int fromDate, int toDate, int today)
{
    Totals totals;
    const Ticket *last = nullptr;
    forEachPlay(tickets, book, today, [&](const Play &p) {
        if ((fromDate && p.date() < fromDate) || (toDate && p.date() > toDate))
            return;
        if (p.ticket != last) {
            last = p.ticket;
            ++totals.tickets;
            totals.lines += p.ticket->lines.size();
        }
        ++totals.plays;
        totals.spent += Game::linePrice * p.ticket->units;
        totals.waiting += p.state == State::waiting;
        if (!p.tier)
            return;
        const bool known = p.prize != DrawResult::unknown;
        totals.unknownPrizes += !known;
        totals.won += known ? p.prize : 0;
        if (p.state == State::unclaimed) {
            totals.unclaimed += known ? p.prize : 0;
            totals.nearestLastDay = totals.nearestLastDay ? std::min(totals.nearestLastDay, p.lastDay) : p.lastDay;
        } else if (p.state == State::lost) {
            totals.lost += known ? p.prize : 0;
        }
    });
    return totals;
}
} // namespace TicketPlays

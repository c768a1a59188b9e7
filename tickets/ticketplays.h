#pragma once

#include "ticketbook.h"

#include "results/resultsbook.h"

#include <functional>

// What the tickets bought, won and still have to collect, against the
// results book: pure functions of the tickets, the book and the local date.
namespace TicketPlays {
// The ticket's first draw: the one it names, else the one the lines of its
// moment are played for by the 18:30 close, where the book leaves no doubt
// of it; 0 while it does.
int firstDrawOf(const Ticket &ticket, const ResultsBook &book);

enum class State {
    waiting,  // 結果待ち: its draw is not in the book (yet)
    noWin,     // はずれ
    unclaimed, // n等, the prize not yet received, its last day to claim not passed
    received,  // 受取済
    lost,      // 期限切れ: not received by its last day
};

// One line of a ticket for one draw.
struct Play
{
    const Ticket *ticket = nullptr;
    size_t line = 0;             // 0 for A
    int draw = 0;                // its number; 0 while the ticket's first is not known
    const DrawResult *result = nullptr; // null while it waits
    int tier = 0;                // 0 for none
    int64_t prize = 0;           // the tier's prize × units, or DrawResult::unknown
    int lastDay = 0;             // the last day to claim a win, yyyymmdd
    State state = State::waiting;
    // The date it counts by: its draw's, or the ticket's while it waits.
    int date() const { return result ? result->date : ticket->date; }
    char letter() const { return Ticket::letterOf(line); }
};

// Each play of each ticket, in the order of the tickets and their lines,
// then of the draws, with its state on `today` (yyyymmdd, the local date).
using PlayFunction = std::function<void(const Play &)>;
void forEachPlay(const TicketBook &tickets, const ResultsBook &book, int today, const PlayFunction &play);

// The money from the tickets alone, over the plays whose date is in a range.
struct Totals
{
    uint64_t tickets = 0, lines = 0, plays = 0; // bought
    int64_t spent = 0, won = 0;                 // yen
    uint64_t unknownPrizes = 0;                 // winning plays whose prize is not known
    uint64_t waiting = 0;                       // plays waiting for their draw
    int64_t unclaimed = 0;                      // won, not yet received, within the last day
    int nearestLastDay = 0;                     // of those, the nearest; 0 for none
    int64_t lost = 0;                           // won, and not received by the last day
    int64_t balance() const { return won - spent; }
    // What was won as a share of what was spent, in per cent; -1 when nothing was.
    double returned() const { return spent ? 100.0 * double(won) / double(spent) : -1; }
};
// `fromDate` to `toDate` yyyymmdd, both included, 0 for no bound.
Totals totalsOf(const TicketBook &tickets, const ResultsBook &book, int fromDate, int toDate, int today);
} // namespace TicketPlays

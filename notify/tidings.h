#pragma once

#include "results/resultsbook.h"
#include "tickets/ticketbook.h"
#include "tickets/ticketplays.h"

#include <QString>

#include <string>
#include <vector>

// One thing told of a ticket in a draw: a win, no win, or a win's last day
// to claim drawing near.
struct Tiding
{
    int ticket = 0, draw = 0;
    char letter = 0; // of a winning line; 0 for none
    TicketBook::Told what = TicketBook::Told::Win;
    QString text;        // "第1950回: 3等 1口 500,000 円 · 受取期限 2027/12/10"
    std::string winLine; // a win as --wins prints it, with no line end; "" for none
    // No win is told in the window only.
    bool forDesktop() const { return what != TicketBook::Told::NoWin; }
};

// What is still to be told, each thing once: each one taken is marked told
// in the tickets, which are then to be written back under their lock.
namespace Tidings {
// A winning play as --wins prints it, with no line end:
// drawno,yyyy/mm/dd,tier,units,prize,last-day,state,ticket,letter,n1,…,n6
std::string winLine(const TicketPlays::Play &play);
// The draws of the book that the tickets played and were not told of: each
// winning line still to claim, or one "当せんなし" for a ticket that won
// nothing in a draw.
std::vector<Tiding> takeNews(TicketBook &tickets, const ResultsBook &book, int today);
// The wins not received whose last day is 30 days away or less, 7 or less,
// and today: the nearest of those not told yet, once each.
std::vector<Tiding> takeReminders(TicketBook &tickets, const ResultsBook &book, int today);
} // namespace Tidings

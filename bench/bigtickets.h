#pragma once

// A tickets file as years of buying leave it, for the benchmarks: 1,000
// tickets of one to five typed lines, 1 to 10 units and draws, bought at
// moments spread from `firstDate` over `days` days, some of their wins
// marked received.
#include "calendar/calendar.h"
#include "tickets/ticketbook.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <string>

inline std::string thousandTickets(int firstDate, int days)
{
    std::mt19937 random(30);
    TicketBook tickets;
    for (int i = 0; i < 1000; ++i) {
        Ticket ticket;
        ticket.lines.resize(1 + random() % 5);
        for (TicketLine &line : ticket.lines) {
            int pool[43];
            std::iota(pool, pool + 43, 1);
            std::shuffle(pool, pool + 43, random);
            std::copy(pool, pool + 6, line.numbers.begin());
        }
        ticket.units = int(1 + random() % 10);
        ticket.draws = int(1 + random() % 10);
        int date = firstDate;
        for (int d = int(random() % unsigned(days)); d > 0; --d)
            date = Calendar::dayAfter(date);
        ticket.date = date;
        ticket.time = int(random() % 24) * 10000;
        const int number = tickets.add(ticket);
        if (i % 3 == 0)
            tickets.setReceived(number, 1 + int(random() % 2000), true);
    }
    return tickets.text();
}

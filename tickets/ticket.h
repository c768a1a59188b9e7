#pragma once

#include "history/loggedline.h"
#include "rules/game.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One line of a slip: a line logged here, kept by its stamp and letter with
// its numbers as the log held them when the ticket was recorded, or numbers
// the player typed.
struct TicketLine
{
    std::array<int, Game::picked> numbers{}; // as recorded
    int logDate = 0, logTime = 0;            // the logged line's stamp; 0 for typed numbers
    char logLetter = 0;

    bool logged() const { return logDate != 0; }
    uint64_t mask() const; // bit n set for each number n
    bool operator==(const TicketLine &o) const
    {
        return numbers == o.numbers && logDate == o.logDate && logTime == o.logTime && logLetter == o.logLetter;
    }
};

// A slip as bought: one to five lines, A to E in the order given, in 1 to 10
// units, for 1 to 10 draws in a row, counted from a moment or from a first
// draw named by its number. Tickets are numbered 1, 2, 3 … as they are
// recorded, and a number is never given again.
struct Ticket
{
    int number = 0;
    std::vector<TicketLine> lines;
    int units = 1, draws = 1;
    int date = 0, time = 0; // the moment it counts from: yyyymmdd, hhmmss
    int firstDraw = 0;      // the first draw by number; 0 to follow from the moment

    static char letterOf(size_t line) { return char('A' + line); }
    int64_t stamp() const { return int64_t(date) * 1000000 + time; }
    int64_t cost() const { return Game::linePrice * int64_t(lines.size()) * units * draws; }
    bool operator==(const Ticket &o) const
    {
        return number == o.number && lines == o.lines && units == o.units && draws == o.draws && date == o.date
               && time == o.time && firstDraw == o.firstDraw;
    }
};

// Reads the lines of a slip as the player names them: up to five, separated
// by ";", each a logged line by its stamp and letter, "2026/12/06,09:05:03,A"
// (its numbers are then still to be found in the log), or six distinct
// numbers, "3,7,12,25,31,40". False, and why in `why`, for anything else.
bool parseTicketLines(const std::string &text, std::vector<TicketLine> &lines, std::string &why);

// The moment a ticket of `lines` counts from: `given` (yyyymmddhhmmss, 0 for
// none), which may be neither after `now` nor before a logged line's stamp;
// else the latest of its lines' stamps when all are logged lines; else
// `now`. "" and the moment, or why not.
std::string momentOf(const std::vector<TicketLine> &lines, int64_t given, int64_t now, int64_t &moment);

// Gives the logged lines of `lines` their numbers as the log last saved
// them, from `logged` as keepLastOfEach leaves a log's lines. False, and the
// first not there in `missing` ("2026/12/06,09:05:03,A"), when one is not.
bool findInLog(std::vector<TicketLine> &lines, const std::vector<LoggedLine> &logged, std::string &missing);

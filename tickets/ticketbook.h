#pragma once

#include "ticket.h"

#include "files/numberlist.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// The tickets file, "KelpTickets.csv" beside the master log: ASCII, each
// line ended by CR LF, no header, one row a line, its kind in its first field
// so that rows of new kinds can come beside these:
//
//   numbered,7                                    the highest number a ticket was ever given
//   ticket,3,2026/12/06,09:05:03,2,5,1905         number, the moment it counts from, units,
//                                                 draws in a row, the first draw (empty: from the moment)
//   line,3,A,7,12,19,25,38,41,2026/12/06,09:05:03,D   ticket, letter, the six numbers as recorded,
//                                                 the logged line's stamp and letter (empty: typed)
//   received,3,1905                               the ticket's win in that draw received
//   told,3,1905,win                               what the player was told of the ticket in that
//                                                 draw: win, none, 30, 7 or 0 (days left to claim)
class TicketBook
{
public:
    // What the player is told of a ticket in a draw, each once.
    enum class Told { Win, NoWin, Within30Days, Within7Days, LastDay };

    static const char *const fileName;

    // Reads the file's bytes. A row that cannot be read (a line of a ticket
    // not in the file, a sixth line) is skipped and counted by its line
    // number, and kept; a byte-order mark before the first is passed over.
    static TicketBook read(const char *data, size_t size);

    // Whether it is a tickets file at all: a file of lines none of which is
    // a row of it (the master log, the book, a result file) is not, and is
    // never written over.
    bool isTickets() const { return numbered > 0 || !otherText; }

    const std::map<int, Ticket> &tickets() const { return all; }
    const Ticket *find(int number) const;
    bool isReceived(int ticket, int draw) const { return received.count({ticket, draw}) > 0; }

    // Records a ticket under the next number; returns that number.
    int add(Ticket ticket);
    // Removes a ticket and its marks; false when there is none of that number.
    bool remove(int number);
    // Marks a ticket's win in a draw received, or not.
    void setReceived(int ticket, int draw, bool isReceived);
    bool wasTold(int ticket, int draw, Told what) const { return told.count({ticket, draw, int(what)}) > 0; }
    void setTold(int ticket, int draw, Told what) { told.insert({ticket, draw, int(what)}); }

    // A ticket's own rows as the file holds them, each ended by `end`.
    static std::string rowsOf(const Ticket &ticket, const char *end);

    // The file as it is written: the rows, then any line it could not read,
    // as it stood, so that writing the file loses nothing.
    std::string text() const;

    // The lines skipped, by line number from 1.
    const NumberList &skipped() const { return skippedLines; }

private:
    std::map<int, Ticket> all;
    std::set<std::pair<int, int>> received; // ticket, draw
    std::set<std::tuple<int, int, int>> told; // ticket, draw, Told
    int numbered = 0;
    NumberList skippedLines;
    std::string unreadable;
    bool otherText = false; // an unreadable line holds more than blanks
};

#pragma once

#include "commandline.h"

// The commands that need no window. Each reads the master log `logPath` or
// the results book `bookPath` (the command line's own, if it names one),
// prints what it found, and returns the exit status: 0, also with lines
// skipped; 1 when a file cannot be read or written.
namespace Commands {
// Each winning line's last record and its prize against the announced draw.
int check(const CommandLine &command, const QString &logPath);
// How often each number came up, and the test of evenness.
int stats(const CommandLine &command, const QString &logPath);
// Each winning line against the draws it was played for, and the totals.
int results(const CommandLine &command, const QString &logPath, const QString &bookPath);
// Reads a result file into the results book.
int import(const CommandLine &command, const QString &bookPath);
// How often each number was drawn in the book's draws, how many draws ago
// each last came, and the test of evenness.
int drawStats(const CommandLine &command, const QString &bookPath);
// Each draw of the book that a line would have won, and the totals.
int tryLine(const CommandLine &command, const QString &bookPath);
// Fetches the result file from its source into the results book, and reads
// it in as import() does; 2 with no source, or one that is not http:, https:
// or file:. It runs an event loop of its own: a QCoreApplication must be there.
// Each new win of the tickets in the draws it brought is printed as wins()
// prints it, and shown on the desktop when there is a session bus.
int fetch(const CommandLine &command, const QString &bookPath, const QString &ticketsPath, int64_t now);

// The ticket commands read the clock through `now`, the local moment as
// yyyymmddhhmmss, which main() takes from the system: what --buy counts a
// ticket from, and the date --wins tells the last day to claim by. Each
// reads the tickets file `ticketsPath`; a missing one is no tickets yet,
// unless the command line named it.
// Records a ticket and prints it; 2 for a moment to come or before a
// logged line's, or a first draw before the book's.
int buy(const CommandLine &command, const QString &ticketsPath, const QString &logPath, const QString &bookPath,
        int64_t now);
// Each winning play of the tickets, and the totals from the tickets alone.
int wins(const CommandLine &command, const QString &ticketsPath, const QString &bookPath, int64_t now);
// Marks a ticket's win received, or not; 1 when there is no such ticket or win.
int receive(const CommandLine &command, const QString &ticketsPath, const QString &bookPath);
// Removes a ticket; 1 when there is none.
int removeTicket(const CommandLine &command, const QString &ticketsPath);
} // namespace Commands

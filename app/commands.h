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
int fetch(const CommandLine &command, const QString &bookPath);
} // namespace Commands

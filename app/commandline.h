#pragma once

#include "history/prize.h"

#include <QString>
#include <QStringList>

// What the program is asked to do by its command line. With no arguments it
// opens its window as it always has.
struct CommandLine
{
    enum Action { Window, History, Check, Stats, Done };
    Action action = Window;
    int exitCode = 0; // for Done: help, version, or arguments that break the rules

    // For Check: the announced draw. For Check and Stats: the date range
    // (yyyymmdd, 0 for open) and the log to read ("" for the one Save writes to).
    AnnouncedDraw draw;
    int fromDate = 0, toDate = 0;
    QString log;

    // Reads the program's arguments. Help, the version and what is wrong with
    // the arguments are printed here.
    static CommandLine parse(int &argc, char **argv);
};

// Checks the lines of the master log `logPath` against the draw: prints each
// winning line's last record and its prize; returns the exit status.
int runCheck(const CommandLine &command, const QString &logPath);

// Counts how often each number came up among the lines of the master log and
// tests the counts for evenness; returns the exit status.
int runStats(const CommandLine &command, const QString &logPath);

#pragma once

#include "rules/prize.h"
#include "tickets/ticket.h"

#include <QString>

// What the program is asked to do by its command line. With no arguments it
// opens its window as it always has.
struct CommandLine
{
    enum Action { Window, History, Check, Stats, Results, Import, DrawStats, Try, Fetch, Buy, Wins, Receive, Unreceive, RemoveTicket, Done };
    Action action = Window;
    int exitCode = 0; // for Done: help, version, or arguments that break the rules

    // For Check: the announced draw. For Try: the line's six numbers, as
    // the mask prizeOf takes.
    AnnouncedDraw draw;
    uint64_t line = 0;
    // For Check, Stats and Results: the date range of the lines (yyyymmdd,
    // 0 for open) and the log to read ("" for the one Save writes to). For
    // DrawStats and Try: the date range of the draws.
    int fromDate = 0, toDate = 0;
    QString log;
    // For Results: how many draws in a row each line was played for. For
    // Buy: the ticket's draws in a row and units.
    int draws = 1;
    int units = 1;
    // For Results, Import, DrawStats and Try: the results book ("" for the
    // one beside the master log). For Import: the result file to read.
    QString book, resultFile;
    // For Fetch: the source's URL ("" for the one set).
    QString source;

    // For Buy: the ticket's lines (logged lines still without their
    // numbers), and its first draw or the moment it counts from
    // (yyyymmddhhmmss), 0 for none given. For Wins: the date range.
    std::vector<TicketLine> ticketLines;
    int firstDraw = 0;
    int64_t at = 0;
    // For Buy, Wins, Receive, Unreceive, RemoveTicket and Fetch: the tickets file
    // ("" for the one beside the master log). For Receive, Unreceive and
    // RemoveTicket: the ticket, and the draw of its win.
    QString tickets;
    int ticket = 0, drawNumber = 0;

    // Reads the program's arguments. Help, the version and what is wrong with
    // the arguments are printed here.
    static CommandLine parse(int &argc, char **argv);
};

#pragma once

#include "logreader.h"

#include "files/regularfile.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// Reading the master log from the disk. The log is only ever opened to read.
namespace LogFile {
enum class Result {
    Read,      // read to its end
    Missing,   // no log yet
    Failed,    // cannot be opened or read
    Replaced,  // another file, or shorter than what was read before: read it anew
    Cancelled,
};

// How far a log file has been read, and which file it was: a log replaced by
// another (a copy put back) is read anew, whatever its length.
struct Position
{
    LogReader reader;
    FileIdentity identity;
    // Why the last read failed, as RegularFile tells it.
    int error = 0;
};

// Reads what the log holds past `position` as the window follows it: only a
// regular file, opened without waiting, and in pieces on all cores but one,
// behind the window's thread. Its records, as keepLastOfEach leaves them, go
// to `lines` in place of what it held. `progress` hears the bytes taken so
// far and the log's length.
Result readMore(const std::string &path, Position &position, std::vector<LoggedLine> &lines,
                const std::atomic_bool &cancel, const std::function<void(uint64_t, uint64_t)> &progress = {});

// The lines of the log's last `bytes`, with the last record of each: what is
// newest, shown while the rest is read.
std::vector<LoggedLine> readTail(const std::string &path, size_t bytes);

// Reads a log to its end as command-line programs read their input: "-" is
// standard input, and a pipe is read until the program writing it is done.
// A named pipe in a folder that nothing writes to is turned down, not read
// as an empty log: it is no log. A regular file is read in pieces on every
// core. Its records go to `lines` as readMore puts them.
Result readWhole(const std::string &path, Position &position, std::vector<LoggedLine> &lines);
// The same, its lines handed on to `sink` as they settle, as a command that
// needs each line once reads them: a log of years is never held whole.
Result readWhole(const std::string &path, Position &position, const LineSink &sink);
} // namespace LogFile

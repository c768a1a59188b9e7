#pragma once

#include "logreader.h"

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
    Shortened, // shorter than what was read before: it was replaced, read it anew
    Cancelled,
};

// Reads what the log holds past what `reader` has taken, onto `lines`.
// `progress` hears the bytes taken so far and the log's length.
Result readMore(const std::string &path, LogReader &reader, std::vector<LoggedLine> &lines,
                const std::atomic_bool &cancel, const std::function<void(uint64_t, uint64_t)> &progress = {});

// The lines of the log's last `bytes`, with the last record of each: what is
// newest, shown while the rest is read.
std::vector<LoggedLine> readTail(const std::string &path, size_t bytes);
} // namespace LogFile

#pragma once

#include "logreader.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class RegularFile;

// A log on the disk read on several cores at once: cut into pieces at line
// ends, each piece read and settled on a thread of its own, then put together
// in the log's order. What comes of it is what one reader fed the whole log
// would give, to the line numbers of the lines it skips.
namespace LogPieces {
// Who reads: a command, with the machine to itself, or the history window,
// behind whose thread reading has to keep a draw's pace.
enum class Reader { command, window };

struct Options
{
    unsigned threads = 1;
    bool behindWindow = false; // at a lower priority than the window's thread
    // Large enough that a piece costs little to start, small enough that
    // one read and sorted stays in cache.
    size_t pieceBytes = size_t(1) << 20;
};

// A command reads on every core; the window leaves one to its own thread.
// DRAVA_THREADS, when set to a number, limits either (the benchmarks use it).
Options optionsFor(Reader reader);

// Reads `file` from where `reader` stopped up to `to`; its records, as
// keepLastOfEach leaves them, go to `lines` in place of what it held.
// `progress` hears the bytes taken so far. Returns 0, the system's error
// number for a read that failed, or ECANCELED once `cancel` is set.
int read(const RegularFile &file, uint64_t to, LogReader &reader, std::vector<LoggedLine> &lines,
         const Options &options, const std::atomic_bool &cancel = std::atomic_bool(false),
         const std::function<void(uint64_t)> &progress = {});

// Reads `file` as read does, but hands its lines on to `sink` as they
// settle, in their order, never holding them all: what a command that needs
// each line once reads. A log far out of order is read again all at once.
int handOn(const RegularFile &file, uint64_t to, LogReader &reader, const LineSink &sink, const Options &options);
} // namespace LogPieces

#include "logpieces.h"

#include "files/largepages.h"
#include "files/regularfile.h"
#include "threads/behindwindow.h"

#include <QScopeGuard>
#include <QThread>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>

#include <unistd.h>

namespace {
// A record takes at least this many bytes with its line end.
constexpr uint64_t shortestLine = RecordWidth::shortest + 1;
// How much of a piece one read takes.
constexpr uint64_t readChunk = 64 * 1024;

// A piece of the log as its thread leaves it.
struct Piece
{
    LogReader reader = LogReader::ofPiece();
    std::vector<LoggedLine> lines; // settled on their own
    int error = 0;
    bool whole = true; // false where the log was cut short while read
};

// The vectors pieces are read into, used again once their lines are taken
// on: fresh memory costs a fault for each 4 KiB of it, more than the reading
// of what fills it, and the allocator gives a freed vector back to the system.
class SpareVectors
{
public:
    std::vector<LoggedLine> take()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (spare.empty())
            return {};
        std::vector<LoggedLine> vector = std::move(spare.back());
        spare.pop_back();
        return vector;
    }
    void giveBack(std::vector<LoggedLine> &&vector)
    {
        vector.clear();
        const std::lock_guard<std::mutex> lock(mutex);
        spare.push_back(std::move(vector));
    }

private:
    std::mutex mutex;
    std::vector<std::vector<LoggedLine>> spare;
};

// The first line end at `from` or after it and before `limit`; `limit` when
// there is none. In a log they come every few dozen bytes: one small read
// finds it.
uint64_t lineEnd(const RegularFile &file, uint64_t from, uint64_t limit, int &error)
{
    std::array<char, 4096> buffer;
    for (uint64_t at = from; at < limit;) {
        const ssize_t n = file.readAt(buffer.data(), size_t(std::min<uint64_t>(buffer.size(), limit - at)), at);
        if (n <= 0) {
            error = n < 0 ? errno : 0;
            break;
        }
        if (const void *lf = std::memchr(buffer.data(), '\n', size_t(n)))
            return at + uint64_t(static_cast<const char *>(lf) - buffer.data());
        at += uint64_t(n);
    }
    return limit;
}

// Reads the piece of the log cut at `cut` and `nextCut`: the lines that
// begin after a line end at `cut` - 1 or later, to the first line end at
// `nextCut` - 1 or later, or to `to`. Each piece so ends where the next
// begins, whatever byte a cut falls on: in a line, between its CR and LF, in
// a broken line. The first piece is read by `firstPieceReader`, from `cut`, where it
// stopped; any other by the piece's own reader.
Piece readPiece(const RegularFile &file, uint64_t cut, uint64_t nextCut, uint64_t to, LogReader *firstPieceReader,
                size_t readBytes, SpareVectors &spare)
{
    Piece piece;
    piece.lines = spare.take();
    LogReader &into = firstPieceReader ? *firstPieceReader : piece.reader;
    uint64_t begin = cut;
    if (!firstPieceReader) {
        const uint64_t lf = lineEnd(file, cut - 1, nextCut - 1, piece.error);
        if (lf == nextCut - 1)
            return piece; // no line begins in it: the piece before reads on over it
        begin = lf + 1;
    }
    const uint64_t end = std::min(lineEnd(file, std::max(begin, nextCut - 1), to, piece.error) + 1, to);
    if (piece.error)
        return piece;
    // Room for every record at once: growing the vector would hold it twice.
    piece.lines.reserve(size_t((end - begin) / shortestLine + 1));
    // Read a cache's worth at a time: the records are parsed while the bytes
    // are still in it, and the buffer costs no page faults after its first.
    const size_t bufferSize = size_t(std::min<uint64_t>({readBytes, readChunk, end - begin}));
    const std::unique_ptr<char[]> buffer(new char[bufferSize]);
    for (uint64_t at = begin; at < end;) {
        const ssize_t n = file.readAt(buffer.get(), size_t(std::min<uint64_t>(bufferSize, end - at)), at);
        if (n < 0) {
            piece.error = errno;
            break; // what was read before counts: a first piece's reader has gone past it
        }
        if (n == 0) {
            piece.whole = false;
            break;
        }
        into.feed(buffer.get(), size_t(n), piece.lines);
        at += uint64_t(n);
    }
    keepLastOfEach(piece.lines);
    return piece;
}
} // namespace

namespace LogPieces {
Options optionsFor(Reader reader)
{
    // The cores this process may run on, which a container or taskset may
    // hold below the machine's.
    const unsigned cores = unsigned(std::max(1, QThread::idealThreadCount()));
    Options options;
    options.behindWindow = reader == Reader::window;
    options.threads = options.behindWindow ? std::max(1u, cores - 1) : cores;
    if (const char *limit = std::getenv("DRAVA_THREADS")) {
        const unsigned long most = std::strtoul(limit, nullptr, 10);
        if (most > 0)
            options.threads = unsigned(std::min<unsigned long>(options.threads, most));
    }
    return options;
}

namespace {
// A piece that reaches back before lines already handed on.
constexpr int reachedBack = -1;

// Reads `file` from where `reader` stopped up to `to` into `settled`; as
// read does, but for reachedBack.
int readInto(const RegularFile &file, uint64_t to, LogReader &reader, SettledPieces &settled,
             const Options &options, const std::atomic_bool &cancel, const std::function<void(uint64_t)> &progress)
{
    const uint64_t from = reader.bytesFed();
    const uint64_t pieceBytes = std::max<size_t>(options.pieceBytes, 1);
    const uint64_t count = (to - from + pieceBytes - 1) / pieceBytes;
    SpareVectors spare;
    const auto cut = [&](uint64_t k) { return k == count ? to : from + k * pieceBytes; };
    // The first piece goes on where `reader` stopped; each later one is read
    // by a reader of its own, and taken on after the pieces before it.
    const auto readOne = [&](uint64_t k) {
        return readPiece(file, cut(k), cut(k + 1), to, k == 0 ? &reader : nullptr, size_t(pieceBytes), spare);
    };
    const unsigned threads = std::max(1u, options.threads);
    const auto start = [&](uint64_t k) {
        const auto piece = [&, k] { return readOne(k); };
        return options.behindWindow ? BehindWindow::run(piece) : QtConcurrent::run(piece);
    };
    std::deque<QFuture<Piece>> reading; // in the log's order, never more than the threads
    // The pieces under way are waited for, not taken, however this call
    // ends: they read into its own.
    const auto waitForAll = qScopeGuard([&reading] {
        for (QFuture<Piece> &piece : reading) {
            piece.cancel();
            piece.waitForFinished();
        }
    });
    uint64_t next = 0;
    int error = 0;
    for (uint64_t k = 0; k < count && !error; ++k) {
        while (next < count && reading.size() < threads)
            reading.push_back(start(next++));
        if (cancel) {
            error = ECANCELED;
            break;
        }
        Piece piece = reading.front().takeResult();
        reading.pop_front();
        if ((error = piece.error)) {
            // A later piece's reader is let go, and the log read again from
            // where this one stands; the first piece was read by this one.
            if (k == 0)
                settled.add(piece.lines, 0);
            break;
        }
        if (!settled.add(piece.lines, k == 0 ? 0 : reader.takeOn(piece.reader))) {
            error = reachedBack;
            break;
        }
        spare.giveBack(std::move(piece.lines));
        if (progress)
            progress(reader.bytesFed());
        if (!piece.whole)
            break; // what the log now holds past it, the next read finds out
    }
    return error;
}
} // namespace

int read(const RegularFile &file, uint64_t to, LogReader &reader, std::vector<LoggedLine> &lines,
         const Options &options, const std::atomic_bool &cancel, const std::function<void(uint64_t)> &progress)
{
    lines.clear();
    const uint64_t from = reader.bytesFed();
    if (to <= from)
        return 0;
    // Room for every record at once: growing a vector of millions would hold
    // it twice for a moment.
    lines.reserve(size_t((to - from) / shortestLine + 1));
    preferLargePages(lines.data(), lines.capacity() * sizeof(LoggedLine));
    SettledPieces settled(lines);
    const int error = readInto(file, to, reader, settled, options, cancel, progress);
    settled.finish();
    return error;
}

int handOn(const RegularFile &file, uint64_t to, LogReader &reader, const LineSink &sink, const Options &options)
{
    if (to <= reader.bytesFed())
        return 0;
    const LogReader first = reader;
    // A piece's records, once settled, are as many as the lines any later
    // piece may merge with: only a log far out of order reaches further.
    const size_t held = options.pieceBytes / shortestLine + 2;
    std::vector<LoggedLine> lines;
    lines.reserve(5 * held);
    preferLargePages(lines.data(), lines.capacity() * sizeof(LoggedLine));
    SettledPieces settled(lines, sink, held);
    int error = readInto(file, to, reader, settled, options, std::atomic_bool(false), {});
    if (error == 0)
        settled.finish();
    if (error != reachedBack)
        return error;
    // What was handed on is taken back, and the log read all at once.
    reader = first;
    sink.startOver();
    error = read(file, to, reader, lines, options);
    if (error == 0)
        handOnAll(lines, sink);
    return error;
}
} // namespace LogPieces

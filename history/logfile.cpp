#include "logfile.h"

#include "files/inputfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace {
// Large enough that a read costs little per byte, small enough to stay in cache.
constexpr size_t pieceSize = 1 << 20;
// A record takes at least this many bytes with its line end.
constexpr uint64_t shortestLine = 34;
} // namespace

namespace LogFile {
Result readMore(const std::string &path, Position &position, std::vector<LoggedLine> &lines,
                const std::atomic_bool &cancel, const std::function<void(uint64_t, uint64_t)> &progress)
{
    LogReader &reader = position.reader;
    const RegularFile file(path, O_RDONLY);
    position.error = file.error();
    if (!file.isOpen())
        return position.error == ENOENT ? Result::Missing : Result::Failed;
    FileIdentity now;
    if ((position.error = file.identify(now)))
        return Result::Failed;
    const uint64_t size = now.size;
    uint64_t at = reader.bytesFed();
    if (at == 0)
        position.identity = now;
    else if (size < at || !now.sameFile(position.identity))
        return Result::Replaced;
    // Room for every record at once: growing a vector of millions would hold
    // it twice for a moment.
    lines.reserve(lines.size() + (size - at) / shortestLine + 1);
    std::vector<char> piece(pieceSize);
    // What is appended while it reads waits for the next call.
    while (at < size) {
        if (cancel)
            return Result::Cancelled;
        const ssize_t n = file.readAt(piece.data(), size_t(std::min<uint64_t>(pieceSize, size - at)), at);
        if (n < 0) {
            position.error = errno;
            return Result::Failed;
        }
        if (n == 0)
            break; // shortened while read: the next call finds out
        reader.feed(piece.data(), size_t(n), lines);
        at += uint64_t(n);
        if (progress)
            progress(at, size);
    }
    return Result::Read;
}

std::vector<LoggedLine> readTail(const std::string &path, size_t bytes)
{
    std::vector<LoggedLine> lines;
    const RegularFile file(path, O_RDONLY);
    FileIdentity identity;
    if (!file.isOpen() || file.identify(identity) != 0 || identity.size == 0)
        return lines;
    const uint64_t size = identity.size;
    const uint64_t from = size > bytes ? size - bytes : 0;
    std::vector<char> tail(size_t(size - from));
    const ssize_t n = file.readAt(tail.data(), tail.size(), from);
    if (n <= 0)
        return lines;
    const char *start = tail.data(), *end = tail.data() + n;
    if (from > 0) { // the first line is likely cut: start after it
        const void *lf = std::memchr(start, '\n', size_t(n));
        if (!lf)
            return lines;
        start = static_cast<const char *>(lf) + 1;
    }
    LogReader reader;
    reader.feed(start, size_t(end - start), lines);
    keepLastOfEach(lines);
    return lines;
}
Result readWhole(const std::string &path, Position &position, std::vector<LoggedLine> &lines)
{
    if (path != "-") // room for every record at once; a pipe's length is 0
        lines.reserve(lines.size() + FileIdentity::of(path).size / shortestLine + 1);
    position.error = InputFile::read(path, [&](const char *data, size_t size) {
        position.reader.feed(data, size, lines);
        return true;
    });
    return position.error == 0 ? Result::Read : position.error == ENOENT ? Result::Missing : Result::Failed;
}
} // namespace LogFile

#include "logfile.h"

#include "logpieces.h"

#include "files/inputfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace LogFile {
namespace {
Result resultOf(int error)
{
    return error == 0           ? Result::Read
           : error == ENOENT    ? Result::Missing
           : error == ECANCELED ? Result::Cancelled
                                : Result::Failed;
}
} // namespace

Result readMore(const std::string &path, Position &position, std::vector<LoggedLine> &lines,
                const std::atomic_bool &cancel, const std::function<void(uint64_t, uint64_t)> &progress)
{
    lines.clear();
    LogReader &reader = position.reader;
    const RegularFile file(path, O_RDONLY);
    position.error = file.error();
    if (!file.isOpen())
        return resultOf(position.error);
    FileIdentity now;
    if ((position.error = file.identify(now)))
        return Result::Failed;
    const uint64_t size = now.size;
    const uint64_t at = reader.bytesFed();
    if (at == 0)
        position.identity = now;
    else if (size < at || !now.sameFile(position.identity))
        return Result::Replaced;
    // What is appended while it reads waits for the next call.
    position.error = LogPieces::read(file, size, reader, lines, LogPieces::optionsFor(LogPieces::Reader::window),
                                     cancel, [&](uint64_t done) {
                                         if (progress)
                                             progress(done, size);
                                     });
    return resultOf(position.error);
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

namespace {
// A file on the disk is read on every core; standard input and pipes as
// they come, in one piece.
bool onDisk(const std::string &path)
{
    return path != "-" && RegularFile::isRegular(path);
}

int readFromDisk(const std::string &path, Position &position,
                 const std::function<int(const RegularFile &file, uint64_t size)> &read)
{
    const RegularFile file(path, O_RDONLY);
    position.error = file.isOpen() ? file.identify(position.identity) : file.error();
    return position.error ? position.error : read(file, position.identity.size);
}

int readInput(const std::string &path, Position &position, std::vector<LoggedLine> &lines)
{
    const int error = InputFile::read(path, [&](const char *data, size_t size) {
        position.reader.feed(data, size, lines);
        return true;
    });
    keepLastOfEach(lines);
    return error;
}
} // namespace

Result readWhole(const std::string &path, Position &position, std::vector<LoggedLine> &lines)
{
    lines.clear();
    const auto options = LogPieces::optionsFor(LogPieces::Reader::command);
    position.error = onDisk(path) ? readFromDisk(path, position,
                                                 [&](const RegularFile &file, uint64_t size) {
                                                     return LogPieces::read(file, size, position.reader, lines, options);
                                                 })
                                  : readInput(path, position, lines);
    return resultOf(position.error);
}

Result readWhole(const std::string &path, Position &position, const LineSink &sink)
{
    const auto options = LogPieces::optionsFor(LogPieces::Reader::command);
    if (onDisk(path)) {
        position.error = readFromDisk(path, position, [&](const RegularFile &file, uint64_t size) {
            return LogPieces::handOn(file, size, position.reader, sink, options);
        });
        return resultOf(position.error);
    }
    std::vector<LoggedLine> lines;
    if ((position.error = readInput(path, position, lines)) == 0)
        handOnAll(lines, sink);
    return resultOf(position.error);
}
} // namespace LogFile

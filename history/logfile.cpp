#include "logfile.h"

#include "platform/inputfile.h"
#include "platform/regularfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Large enough that a read costs little per byte, small enough to stay in cache.
constexpr size_t pieceSize = 1 << 20;
// A record takes at least this many bytes with its line end.
constexpr uint64_t shortestLine = 34;

// A regular file read at any offset.
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const std::string &path) : file(path, O_RDONLY) {}

    bool isOpen() const { return file.isOpen(); }
    int error() const { return file.error(); }
    int64_t size() const
    {
        struct stat st;
        return ::fstat(file.handle(), &st) == 0 ? int64_t(st.st_size) : -1;
    }
    bool isFile(uint64_t device, uint64_t inode) const
    {
        struct stat st;
        return ::fstat(file.handle(), &st) == 0 && st.st_dev == device && st.st_ino == inode;
    }
    void identify(uint64_t &device, uint64_t &inode) const
    {
        struct stat st;
        if (::fstat(file.handle(), &st) == 0)
            device = st.st_dev, inode = st.st_ino;
    }
    // Reads up to `count` bytes at `offset`; -1 on failure.
    ssize_t readAt(char *buffer, size_t count, uint64_t offset) const
    {
        ssize_t n;
        do
            n = ::pread(file.handle(), buffer, count, off_t(offset));
        while (n < 0 && errno == EINTR);
        return n;
    }

private:
    RegularFile file;
};
} // namespace

namespace LogFile {
Result readMore(const std::string &path, Position &position, std::vector<LoggedLine> &lines,
                const std::atomic_bool &cancel, const std::function<void(uint64_t, uint64_t)> &progress)
{
    LogReader &reader = position.reader;
    ReadOnlyFile file(path);
    position.error = file.error();
    if (!file.isOpen())
        return position.error == ENOENT ? Result::Missing : Result::Failed;
    const int64_t size = file.size();
    if (size < 0) {
        position.error = errno;
        return Result::Failed;
    }
    uint64_t at = reader.bytesFed();
    if (at == 0)
        file.identify(position.device, position.inode);
    else if (uint64_t(size) < at || !file.isFile(position.device, position.inode))
        return Result::Replaced;
    // Room for every record at once: growing a vector of millions would hold
    // it twice for a moment.
    lines.reserve(lines.size() + (uint64_t(size) - at) / shortestLine + 1);
    std::vector<char> piece(pieceSize);
    // What is appended while it reads waits for the next call.
    while (at < uint64_t(size)) {
        if (cancel)
            return Result::Cancelled;
        const ssize_t n = file.readAt(piece.data(), size_t(std::min<uint64_t>(pieceSize, uint64_t(size) - at)), at);
        if (n < 0) {
            position.error = errno;
            return Result::Failed;
        }
        if (n == 0)
            break; // shortened while read: the next call finds out
        reader.feed(piece.data(), size_t(n), lines);
        at += uint64_t(n);
        if (progress)
            progress(at, uint64_t(size));
    }
    return Result::Read;
}

std::vector<LoggedLine> readTail(const std::string &path, size_t bytes)
{
    std::vector<LoggedLine> lines;
    ReadOnlyFile file(path);
    const int64_t size = file.isOpen() ? file.size() : -1;
    if (size <= 0)
        return lines;
    const uint64_t from = uint64_t(size) > bytes ? uint64_t(size) - bytes : 0;
    std::vector<char> tail(size_t(uint64_t(size) - from));
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
    struct stat st;
    if (path != "-" && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) // room for every record at once
        lines.reserve(lines.size() + uint64_t(st.st_size) / shortestLine + 1);
    position.error = InputFile::read(path, [&](const char *data, size_t size) {
        position.reader.feed(data, size, lines);
        return true;
    });
    return position.error == 0 ? Result::Read : position.error == ENOENT ? Result::Missing : Result::Failed;
}
} // namespace LogFile

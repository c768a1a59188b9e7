#include "inputfile.h"

#include "regularfile.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <poll.h>
#include <sys/statfs.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {
// Reads `fd` to its end. A named pipe that ends before anything was written
// to it (`writerSeen` false) has no program writing it.
int readOn(int fd, bool writerSeen, const InputFile::Take &take)
{
    // Large enough that a read costs little per byte, small enough to stay in cache.
    std::vector<char> piece(size_t(1) << 20);
    for (;;) {
        const ssize_t n = ::read(fd, piece.data(), piece.size());
        if (n > 0) {
            writerSeen = true;
            if (!take(piece.data(), size_t(n)))
                return 0;
        } else if (n == 0) {
            return writerSeen ? 0 : RegularFile::notRegular;
        } else if (errno == EAGAIN) { // a pipe its writer has not written to yet
            writerSeen = true;
            pollfd wait{fd, POLLIN, 0};
            ::poll(&wait, 1, -1);
        } else if (errno != EINTR) {
            return errno;
        }
    }
}

InputFile::Take upTo(std::string &bytes, size_t limit, bool &tooLarge)
{
    return [&bytes, limit, &tooLarge](const char *data, size_t size) {
        tooLarge = bytes.size() + size > limit;
        if (!tooLarge)
            bytes.append(data, size);
        return !tooLarge;
    };
}
} // namespace

namespace InputFile {
int read(const std::string &path, const Take &take)
{
    const bool standardInput = path == "-";
    // Without waiting: a named pipe's open would wait for a writer to come.
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENXIO ? RegularFile::notRegular : errno;
    struct stat st;
    const bool statted = ::fstat(fd, &st) == 0;
    const bool pipe = statted && S_ISFIFO(st.st_mode);
    int error = !statted ? errno
                : S_ISDIR(st.st_mode) ? EISDIR
                : !standardInput && !pipe && !S_ISREG(st.st_mode) ? RegularFile::notRegular
                                                                   : 0;
    // A pipe handed over, as standard input or by <(…), may just be empty.
    struct statfs fs;
    const bool writerSeen = standardInput || !pipe || (::fstatfs(fd, &fs) == 0 && fs.f_type == PIPEFS_MAGIC);
    if (error == 0)
        error = readOn(fd, writerSeen, take);
    if (!standardInput)
        ::close(fd);
    return error;
}

int readAll(const std::string &path, std::string &bytes, size_t limit)
{
    bool tooLarge = false;
    const int error = read(path, upTo(bytes, limit, tooLarge));
    return error ? error : tooLarge ? EFBIG : 0;
}

int readAll(const RegularFile &file, std::string &bytes, size_t limit)
{
    bool tooLarge = false;
    const int error = readOn(file.handle(), true, upTo(bytes, limit, tooLarge));
    return error ? error : tooLarge ? EFBIG : 0;
}
} // namespace InputFile

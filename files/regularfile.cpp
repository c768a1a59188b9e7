#include "regularfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {
FileIdentity identityOf(const struct stat &st)
{
    return {uint64_t(st.st_dev), uint64_t(st.st_ino), uint64_t(st.st_size),
            int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}
} // namespace

FileIdentity FileIdentity::of(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? identityOf(st) : FileIdentity();
}

RegularFile::RegularFile(const std::string &path, int flags, unsigned mode)
{
    // O_NONBLOCK: opening a named pipe returns at once instead of waiting for
    // its other end. On a regular file it changes nothing.
    fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
    if (fd < 0) {
        // A pipe with no reader, or a device that is not there, to write to.
        failure = errno == ENXIO ? notRegular : errno;
        return;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0)
        failure = errno;
    else if (S_ISDIR(st.st_mode))
        failure = EISDIR;
    else if (!S_ISREG(st.st_mode))
        failure = notRegular;
    if (failure) {
        ::close(fd);
        fd = -1;
    }
}

RegularFile::~RegularFile()
{
    if (fd >= 0)
        ::close(fd);
}

int RegularFile::identify(FileIdentity &identity) const
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return errno;
    identity = identityOf(st);
    return 0;
}

ssize_t RegularFile::readAt(char *buffer, size_t count, uint64_t offset) const
{
    ssize_t n;
    do
        n = ::pread(fd, buffer, count, off_t(offset));
    while (n < 0 && errno == EINTR);
    return n;
}

bool RegularFile::isRegular(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string RegularFile::reason(int error)
{
    return error == notRegular ? "not a regular file" : std::generic_category().message(error);
}

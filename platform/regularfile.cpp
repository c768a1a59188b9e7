#include "regularfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

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

std::string RegularFile::reason(int error)
{
    return error == notRegular ? "not a regular file" : std::generic_category().message(error);
}

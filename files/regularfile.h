#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>

// Which file a path named, and as it then was: a file replaced by another (a
// copy put back) is another file, whatever its length, and one that has not
// changed need not be read again.
struct FileIdentity
{
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modified = 0; // nanoseconds

    bool sameFile(const FileIdentity &other) const { return device == other.device && inode == other.inode; }
    bool operator==(const FileIdentity &other) const
    {
        return sameFile(other) && size == other.size && modified == other.modified;
    }
    bool operator!=(const FileIdentity &other) const { return !(*this == other); }

    // The file at `path` as it now is; all zero when there is none.
    static FileIdentity of(const std::string &path);
};

// A file opened without waiting on it, and taken only if it is a regular
// file: a named pipe in a log's place would hold an open or a read until some
// other program came to its other end, and what the window opens must not
// wait like that.
class RegularFile
{
public:
    // `flags` as open(2) takes them; a file that is made gets `mode`.
    RegularFile(const std::string &path, int flags, unsigned mode = 0666);
    ~RegularFile();
    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;

    bool isOpen() const { return fd >= 0; }
    int handle() const { return fd; }
    // Why it is not open: the system's error number, or notRegular.
    int error() const { return failure; }

    // The open file as it now is; 0, or the system's error number.
    int identify(FileIdentity &identity) const;
    // Up to `count` bytes at `offset`; -1 on failure, the reason in errno.
    ssize_t readAt(char *buffer, size_t count, uint64_t offset) const;

    // Whether `path` names a regular file, following links: one that can be
    // read at offsets, by many threads at once. It may change before it is
    // opened, and the open looks again.
    static bool isRegular(const std::string &path);

    static constexpr int notRegular = -1;
    // A failure in words: the system's ("Permission denied"), or "not a regular file".
    static std::string reason(int error);

private:
    int fd = -1;
    int failure = 0;
};

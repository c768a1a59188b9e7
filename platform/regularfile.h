#pragma once

#include <string>

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

    static constexpr int notRegular = -1;
    // A failure in words: the system's ("Permission denied"), or "not a regular file".
    static std::string reason(int error);

private:
    int fd = -1;
    int failure = 0;
};

#pragma once

#include <functional>
#include <string>

// A file read to its end as command-line programs read their input: "-" is
// standard input, and a pipe is read until the program writing it is done.
// A named pipe that nothing writes to is turned down: it would never end.
// Folders, devices and the like are turned down too.
namespace InputFile {
// Hands each piece read to `take`; 0 when all was read, else why not, as
// RegularFile tells it (an errno value, or RegularFile::notRegular).
int read(const std::string &path, const std::function<void(const char *, size_t)> &take);
} // namespace InputFile

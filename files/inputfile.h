#pragma once

#include <functional>
#include <string>

class RegularFile;

// A file read to its end as command-line programs read their input: "-" is
// standard input, and a pipe is read until the program writing it is done.
// A named pipe in a folder that no program writes to is turned down rather
// than read as empty: it is no file of lines. Folders, devices and the like
// are turned down too.
namespace InputFile {
using Take = std::function<bool(const char *, size_t)>;

// Hands each piece read to `take`, which says whether to read on; 0 when it
// is read, else why not, as RegularFile tells it (an errno value, or
// RegularFile::notRegular).
int read(const std::string &path, const Take &take);

// A limit for a file that people make by hand or download: far above any.
constexpr size_t mostBytes = 16 << 20;

// The whole of it, up to `limit` bytes: EFBIG for one that is larger.
int readAll(const std::string &path, std::string &bytes, size_t limit);
// The same of a regular file already open, from where it stands.
int readAll(const RegularFile &file, std::string &bytes, size_t limit);
} // namespace InputFile

#pragma once

#include <cstddef>
#include <cstring>

// The byte-order mark an editor or a spreadsheet may put before the first
// line of a UTF-8 text file, the logs and the book included. The program
// writes none, and passes over one it reads.
namespace ByteOrderMark {
constexpr char bytes[] = "\xEF\xBB\xBF";
constexpr size_t size = 3;

inline bool begins(const char *text, size_t length)
{
    return length >= size && std::memcmp(text, bytes, size) == 0;
}
} // namespace ByteOrderMark

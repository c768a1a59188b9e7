#pragma once

#include "byteordermark.h"

#include <cstddef>
#include <cstring>

// Hands `take` each line of a text file's bytes, its line end (LF or CR LF)
// taken off: a byte-order mark before the first is passed over, and a last
// line without its line end is taken as it stands.
template<typename Take>
void forEachLine(const char *data, size_t size, Take take)
{
    const char *at = data, *const end = data + size;
    if (ByteOrderMark::begins(data, size))
        at += ByteOrderMark::size;
    while (at < end) {
        const char *lf = static_cast<const char *>(std::memchr(at, '\n', size_t(end - at)));
        const char *lineEnd = lf ? lf : end;
        size_t length = size_t(lineEnd - at);
        if (length > 0 && at[length - 1] == '\r')
            --length;
        take(at, length);
        at = lineEnd + (lf ? 1 : 0);
    }
}

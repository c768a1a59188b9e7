#pragma once

#include <cstddef>
#include <cstdint>

#include <sys/mman.h>
#include <unistd.h>

// Asks that the `bytes` at `data`, not yet written, be given in pages of
// 2 MiB where the system has them, as they are first written: memory a
// program fills at the pace it reads a large file costs a fault for every
// 4 KiB of it otherwise, more than the reading. Only whole pages within it
// are asked for; a hint, no harm if refused.
inline void preferLargePages(const void *data, size_t bytes)
{
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page <= 0)
        return;
    const auto begin = reinterpret_cast<uintptr_t>(data), end = begin + bytes;
    const uintptr_t first = (begin + uintptr_t(page) - 1) / uintptr_t(page) * uintptr_t(page);
    if (end > first)
        ::madvise(reinterpret_cast<void *>(first), end - first, MADV_HUGEPAGE);
}

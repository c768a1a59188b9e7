#pragma once

#include <cstddef>
#include <cstdint>

#include <sys/mman.h>
#include <unistd.h>

// Asks that the `bytes` at `data`, not yet written, be given in pages of
// 2 MiB where the system has them, as they are first written: memory a
// program fills at the pace it reads a large file costs a fault for every
// 4 KiB of it otherwise, more than the reading. Only the pages wholly within
// it are asked for, none of its neighbours'; a hint, no harm if refused.
inline void preferLargePages(const void *data, size_t bytes)
{
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page <= 0)
        return;
    const auto size = uintptr_t(page), begin = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (begin + size - 1) / size * size, last = (begin + bytes) / size * size;
    if (last > first)
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
}

#include "pacer.h"

void Pacer::sleepFor(int msec)
{
    if (msec <= 0)
        return;
    const std::uint32_t start = tickCount();
    const auto span = static_cast<std::uint32_t>(msec);
    for (;;) {
        if (stopping())
            return;
        // Unsigned subtraction: right across the wrap from 2^32 - 1 to 0.
        const std::uint32_t gone = tickCount() - start;
        if (gone >= span)
            return;
        handleEvents(static_cast<int>(span - gone));
    }
}

void Pacer::waitUntil(const std::function<bool()> &done)
{
    while (!stopping() && !done())
        handleEvents(-1);
}

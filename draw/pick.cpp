#include "pick.h"

#include <algorithm>
#include <cmath>

namespace Pick {
ClockFields clockFields(const QDateTime &clock)
{
    const QDate d = clock.date();
    const QTime t = clock.time();
    return {d.year() % 100, d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

int tickRemainder(std::uint32_t tick)
{
    const auto t = static_cast<std::int64_t>(static_cast<std::int32_t>(tick));
    return static_cast<int>(((t % 1000) + 1000) % 1000);
}

std::int16_t drawRange(const ClockFields &f, int remainder)
{
    return static_cast<std::int16_t>(f.year2 + f.month + f.day + f.hour + f.minute + f.second + remainder);
}

int fairRange(int range)
{
    return Game::highest * std::max(1, range / Game::highest);
}

int candidate(std::int16_t range, float r)
{
    // With the whole range, the numbers up to range mod 43 would have one x
    // more than the rest: small numbers would come up more often. The product
    // is taken in double precision so that rounding to single precision can
    // never lift it to the next whole number.
    const auto x = static_cast<int>(std::floor(double(fairRange(range)) * double(r))) + 1;
    const int c = x % Game::highest;
    return c == 0 ? Game::highest : c;
}
} // namespace Pick

#pragma once

#include "rules/game.h"

#include <QDateTime>

#include <cstdint>

// The arithmetic of one pick: clock fields, the tick counter and a random
// value in [0, 1) make a candidate from 1 to 43.
namespace Pick {

struct ClockFields
{
    int year2, month, day, hour, minute, second;
};

ClockFields clockFields(const QDateTime &clock);

// The tick counter read as a signed 32-bit value, floored to 0..999 also when
// it is negative (after about 24.9 days of uptime).
int tickRemainder(std::uint32_t tick);

// The six clock fields plus the tick remainder, as a 16-bit value (2 to 1282).
std::int16_t drawRange(const ClockFields &fields, int remainder);

// The range rounded down to whole rounds of 43, and never below one round:
// every number then stands for as many values of x as any other.
int fairRange(int range);

// x from 1 to fairRange(range), floor(fairRange * r) + 1, taken modulo 43
// with 0 becoming 43.
int candidate(std::int16_t range, float r);
} // namespace Pick

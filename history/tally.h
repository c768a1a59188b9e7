#pragma once

#include "logreader.h"
#include "prize.h"

#include <array>
#include <cstdint>

// How often each number came up among some lines, and what they won.
struct Tally
{
    uint64_t lines = 0;
    std::array<uint64_t, 44> numbers{}; // by number; 0 unused
    std::array<uint64_t, 6> prizes{};   // by prize; 0 for none
};

// The tally of `span`; prizes only with a draw.
Tally tallyOf(LineSpan span, const AnnouncedDraw *draw = nullptr);

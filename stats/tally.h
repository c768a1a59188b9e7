#pragma once

#include "evenness.h"

#include "history/logreader.h"
#include "rules/prize.h"

#include <cstdint>

// How often each number came up among some lines, and what they won.
struct Tally
{
    uint64_t lines = 0;
    Game::ByNumber<uint64_t> numbers{};
    Game::ByTier<uint64_t> prizes{}; // 0 for none
};

// The tally of `span`; prizes only with a draw.
Tally tallyOf(LineSpan span, const AnnouncedDraw *draw = nullptr);
// `span` counted into `tally`, as the log's lines come a span at a time.
void addTo(Tally &tally, LineSpan span, const AnnouncedDraw *draw = nullptr);

inline Evenness evennessOf(const Tally &tally)
{
    return evennessOf(tally.numbers, tally.lines);
}

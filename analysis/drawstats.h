#pragma once

#include "results/resultsbook.h"
#include "stats/evenness.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// What the book's draws in a date range show of the numbers: how often each
// was drawn among the six (the bonus apart), how long since each came and
// the longest it stayed away, how often each two came in the same draw, and
// the test of evenness on the six, as the lines picked have it.
struct DrawStats
{
    static constexpr int never = -1;

    uint64_t draws = 0;
    int firstDate = 0, lastDate = 0; // of the first and the last draw, yyyymmdd
    Game::ByNumber<uint64_t> counts{};  // among the six
    Game::ByNumber<uint64_t> bonuses{}; // as the bonus
    // Draws since it last came among the six, 0 for the newest; never.
    Game::ByNumber<int> gaps{};
    // The most draws in a row of the range without it, before its first, between
    // two, or since its last.
    Game::ByNumber<int> longest{};
    // How often a and b came in the same draw, at pairs[a][b] and [b][a].
    Game::ByNumber<Game::ByNumber<uint32_t>> pairs{};
    Evenness evenness;

    struct Pair
    {
        int a, b; // a < b
        uint32_t times;
    };
    // The `count` pairs that came together most often, most first; of as
    // many, the smaller numbers first.
    std::vector<Pair> mostOften(size_t count) const;
};

// The draws of `book` dated from `fromDate` to `toDate` (yyyymmdd, both
// included; 0 for no bound), in the order of their numbers.
void forEachDrawBetween(const ResultsBook &book, int fromDate, int toDate,
                        const std::function<void(const DrawResult &)> &take);

DrawStats drawStatsOf(const ResultsBook &book, int fromDate, int toDate);

#pragma once

#include "results/resultsbook.h"
#include "rules/game.h"

#include <array>
#include <cstdint>
#include <vector>

// One line tried against every draw of the book in a date range: would it
// ever have won, and what would a ticket for each draw have cost and won?
struct Trial
{
    struct Hit
    {
        DrawResult draw;
        int tier; // 1 to 5
    };

    uint64_t draws = 0;
    Game::ByTier<uint64_t> tiers{}; // 0 for none
    int64_t won = 0;                 // yen, over the wins whose prize is known
    uint64_t unknownPrizes = 0;      // wins whose prize the book does not know
    std::vector<Hit> hits;           // in draw-number order

    int64_t cost() const;
};

// `lineMask`: bit n set for each of the line's six numbers.
Trial tryLine(const ResultsBook &book, uint64_t lineMask, int fromDate, int toDate);

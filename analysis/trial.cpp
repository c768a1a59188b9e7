#include "trial.h"

#include "drawstats.h"
#include "results/plays.h"

int64_t Trial::cost() const
{
    return int64_t(draws) * Game::linePrice;
}

Trial tryLine(const ResultsBook &book, uint64_t lineMask, int fromDate, int toDate)
{
    Trial trial;
    forEachDrawBetween(book, fromDate, toDate, [&](const DrawResult &draw) {
        ++trial.draws;
        const int tier = prizeOf(lineMask, draw.draw);
        ++trial.tiers[size_t(tier)];
        if (!tier)
            return;
        trial.hits.push_back({draw, tier});
        if (draw.prizeOf(tier) == DrawResult::unknown)
            ++trial.unknownPrizes;
        else
            trial.won += draw.prizeOf(tier);
    });
    return trial;
}

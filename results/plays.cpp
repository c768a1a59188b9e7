#include "plays.h"

#include <algorithm>

namespace Plays {
namespace {
// Stamps as one number that orders like the time: yyyymmddhhmmss.
int64_t stampOf(int date, int time)
{
    return int64_t(date) * 1000000 + time;
}

int64_t closeOf(const DrawResult &draw)
{
    return stampOf(draw.date, salesClose);
}

// Draws come at least once a week.
constexpr int64_t week = 7;
} // namespace

int firstDrawOf(const ResultsBook &book, int date, int time)
{
    const std::vector<DrawResult> &draws = book.draws();
    const int64_t stamp = stampOf(date, time);
    const auto first = std::upper_bound(draws.begin(), draws.end(), stamp,
                                        [](int64_t s, const DrawResult &draw) { return s < closeOf(draw); });
    if (first == draws.end())
        return 0;
    if (first != draws.begin())
        return (first - 1)->number == first->number - 1 ? first->number : 0;
    return dayNumber(first->date) - dayNumber(date) < week ? first->number : 0;
}

void forEachPlay(const ResultsBook &book, LineSpan lines, int draws,
                 const std::function<void(const LoggedLine &, int, const DrawResult *, int)> &play)
{
    for (const LoggedLine *line = lines.begin; line != lines.end; ++line) {
        const int first = firstDrawOf(book, line->date(), line->time());
        for (int k = 0; k < draws; ++k) {
            const DrawResult *result = first ? book.find(first + k) : nullptr;
            play(*line, first ? first + k : 0, result, result ? prizeOf(*line, result->draw) : 0);
        }
    }
}

Ledger ledgerOf(const ResultsBook &book, LineSpan lines, int draws)
{
    Ledger ledger;
    ledger.byDraw.resize(book.draws().size());
    const DrawResult *front = book.draws().data();
    forEachPlay(book, lines, draws, [&](const LoggedLine &, int, const DrawResult *result, int tier) {
        ++ledger.all.lines;
        if (!result) {
            ++ledger.waiting;
            return;
        }
        DrawTotals &own = ledger.byDraw[size_t(result - front)];
        ++own.lines;
        for (DrawTotals *totals : {&ledger.all, &own}) {
            ++totals->tiers[size_t(tier)];
            if (tier && result->prizeOf(tier) == DrawResult::unknown)
                ++totals->unknownPrizes;
            else if (tier)
                totals->won += result->prizeOf(tier);
        }
    });
    return ledger;
}
} // namespace Plays

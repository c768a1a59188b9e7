#include "drawstats.h"

#include <algorithm>

void forEachDrawBetween(const ResultsBook &book, int fromDate, int toDate,
                        const std::function<void(const DrawResult &)> &take)
{
    for (const DrawResult &draw : book.draws())
        if ((fromDate == 0 || draw.date >= fromDate) && (toDate == 0 || draw.date <= toDate))
            take(draw);
}

DrawStats drawStatsOf(const ResultsBook &book, int fromDate, int toDate)
{
    DrawStats stats;
    Game::ByNumber<int64_t> lastSeen; // the place among the range's draws; -1 before the first
    lastSeen.fill(-1);
    stats.longest.fill(0);
    forEachDrawBetween(book, fromDate, toDate, [&](const DrawResult &draw) {
        const int64_t at = int64_t(stats.draws++);
        stats.firstDate = stats.firstDate ? stats.firstDate : draw.date;
        stats.lastDate = draw.date;
        const std::array<int, Game::picked> &six = draw.draw.numbers;
        for (size_t i = 0; i < six.size(); ++i) {
            const size_t n = size_t(six[i]);
            ++stats.counts[n];
            stats.longest[n] = std::max(stats.longest[n], int(at - lastSeen[n] - 1));
            lastSeen[n] = at;
            for (size_t j = i + 1; j < six.size(); ++j) {
                ++stats.pairs[n][size_t(six[j])];
                ++stats.pairs[size_t(six[j])][n];
            }
        }
        ++stats.bonuses[size_t(draw.draw.bonus)];
    });
    const int64_t draws = int64_t(stats.draws);
    for (size_t n = Game::lowest; n <= Game::highest; ++n) {
        const int since = int(draws - lastSeen[n] - 1);
        stats.gaps[n] = lastSeen[n] < 0 ? DrawStats::never : since;
        stats.longest[n] = std::max(stats.longest[n], since);
    }
    stats.evenness = evennessOf(stats.counts, stats.draws);
    return stats;
}

std::vector<DrawStats::Pair> DrawStats::mostOften(size_t count) const
{
    std::vector<Pair> all;
    for (int a = Game::lowest; a <= Game::highest; ++a)
        for (int b = a + 1; b <= Game::highest; ++b)
            if (const uint32_t times = pairs[size_t(a)][size_t(b)])
                all.push_back({a, b, times});
    const auto before = [](const Pair &x, const Pair &y) {
        return x.times != y.times ? x.times > y.times : x.a != y.a ? x.a < y.a : x.b < y.b;
    };
    const size_t kept = std::min(count, all.size());
    std::partial_sort(all.begin(), all.begin() + long(kept), all.end(), before);
    all.resize(kept);
    return all;
}

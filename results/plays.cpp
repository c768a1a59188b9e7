#include "plays.h"

#include "calendar/calendar.h"

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
    return stampOf(draw.date, Game::salesClose);
}

// Draws come at least three days apart: a draw missing from the book before
// its first closed three days before that one at the latest.
constexpr int64_t leastGap = 3;
} // namespace

namespace {
// The line's first draw, given the place, in the book's draws by date, of the
// first whose sales close after its stamp.
int firstDrawFrom(const ResultsBook &book, size_t first, int date, int time)
{
    const std::vector<size_t> &dated = book.byDate();
    if (first == dated.size())
        return 0;
    const DrawResult &draw = book.draws()[dated[first]];
    if (first > 0)
        return book.draws()[dated[first - 1]].number == draw.number - 1 ? draw.number : 0;
    const int64_t daysBefore = Calendar::dayNumber(draw.date) - Calendar::dayNumber(date);
    return daysBefore < leastGap || (daysBefore == leastGap && time >= Game::salesClose) ? draw.number : 0;
}

size_t closingAfter(const ResultsBook &book, int64_t stamp)
{
    const std::vector<size_t> &dated = book.byDate();
    return size_t(std::upper_bound(dated.begin(), dated.end(), stamp,
                                   [&book](int64_t s, size_t at) { return s < closeOf(book.draws()[at]); })
                  - dated.begin());
}
} // namespace

int firstDrawOf(const ResultsBook &book, int date, int time)
{
    return firstDrawFrom(book, closingAfter(book, stampOf(date, time)), date, time);
}

bool playedFor(const ResultsBook &book, const LoggedLine &line, int number, int draws)
{
    const int first = firstDrawOf(book, line.date(), line.time());
    return first && first <= number && number < first + draws;
}

void forEachPlay(const ResultsBook &book, LineSpan lines, int draws, const PlayFunction &play)
{
    const std::vector<size_t> &dated = book.byDate();
    const auto closeAt = [&](size_t at) { return closeOf(book.draws()[dated[at]]); };
    // Lines come in the order of their stamps: the draw that closes next after
    // them is followed along, not looked up for each of millions.
    // The five lines of a batch share their stamp, and so their first draw.
    size_t next = 0;
    int64_t lastStamp = -1;
    int first = 0;
    for (const LoggedLine *line = lines.begin; line != lines.end; ++line) {
        const int64_t stamp = stampOf(line->date(), line->time());
        if (stamp != lastStamp) {
            if (lastStamp < 0 || (next > 0 && stamp < closeAt(next - 1)))
                next = closingAfter(book, stamp);
            while (next < dated.size() && closeAt(next) <= stamp)
                ++next;
            first = firstDrawFrom(book, next, line->date(), line->time());
            lastStamp = stamp;
        }
        for (int k = 0; k < draws; ++k) {
            const DrawResult *result = first ? book.find(first + k) : nullptr;
            play(*line, first ? first + k : 0, result, result ? prizeOf(*line, result->draw) : 0);
        }
    }
}

Ledger ledgerOf(const ResultsBook &book, LineSpan lines, int draws, const PlayFunction &alsoEach)
{
    Ledger ledger;
    addTo(ledger, book, lines, draws, alsoEach);
    return ledger;
}

void addTo(Ledger &ledger, const ResultsBook &book, LineSpan lines, int draws, const PlayFunction &alsoEach)
{
    if (book.draws().empty() && !alsoEach) { // every play waits: no line need be looked at
        ledger.all.lines += lines.size() * uint64_t(draws);
        ledger.waiting += lines.size() * uint64_t(draws);
        return;
    }
    ledger.byDraw.resize(book.draws().size());
    const DrawResult *front = book.draws().data();
    forEachPlay(book, lines, draws, [&](const LoggedLine &line, int draw, const DrawResult *result, int tier) {
        if (alsoEach)
            alsoEach(line, draw, result, tier);
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
}
} // namespace Plays

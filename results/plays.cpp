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

DrawsAlong::DrawsAlong(const ResultsBook &book, int draws) : book(book), results(size_t(std::max(draws, 0)))
{
}

void DrawsAlong::moveTo(int64_t stamp)
{
    if (stamp == lastStamp)
        return;
    const std::vector<size_t> &dated = book.byDate();
    const auto closeAt = [&](size_t at) { return closeOf(book.draws()[dated[at]]); };
    if (lastStamp < 0 || (next > 0 && stamp < closeAt(next - 1)))
        next = closingAfter(book, stamp);
    while (next < dated.size() && closeAt(next) <= stamp)
        ++next;
    firstDraw = firstDrawFrom(book, next, int(stamp / 1000000), int(stamp % 1000000));
    for (size_t k = 0; k < results.size(); ++k)
        results[k] = firstDraw ? book.find(firstDraw + int(k)) : nullptr;
    lastStamp = stamp;
}

void Ledger::add(const ResultsBook &book, const DrawResult *result, int tier)
{
    ++all.lines;
    if (!result) {
        ++waiting;
        return;
    }
    byDraw.resize(book.draws().size());
    DrawTotals &own = byDraw[size_t(result - book.draws().data())];
    ++own.lines;
    for (DrawTotals *totals : {&all, &own}) {
        ++totals->tiers[size_t(tier)];
        if (tier && result->prizeOf(tier) == DrawResult::unknown)
            ++totals->unknownPrizes;
        else if (tier)
            totals->won += result->prizeOf(tier);
    }
}

Ledger ledgerOf(const ResultsBook &book, LineSpan lines, int draws)
{
    Ledger ledger;
    ledger.byDraw.resize(book.draws().size());
    if (book.draws().empty()) { // every play waits: no line need be looked at
        ledger.all.lines = ledger.waiting = lines.size() * uint64_t(draws);
        return ledger;
    }
    forEachPlay(book, lines, draws,
                [&](const LoggedLine &, int, const DrawResult *result, int tier) { ledger.add(book, result, tier); });
    return ledger;
}
} // namespace Plays

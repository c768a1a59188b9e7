#pragma once

#include "resultsbook.h"

#include "history/logreader.h"
#include "rules/game.h"

#include <array>
#include <functional>

// Which draws the logged lines were played for, and what that cost and won.
namespace Plays {
// The draw a line stamped `date` (yyyymmdd) at `time` (hhmmss) is first
// played for: the first draw in the book whose sales close after the stamp,
// when the book leaves no doubt of it: the draw closing before that one is
// the one numbered before it, or, before the book's first draw, no other can
// have closed since the stamp. 0 when the line's draw is not in the book (yet).
int firstDrawOf(const ResultsBook &book, int date, int time);

// Whether `line` was played for the draw numbered `number`, on a ticket of
// `draws` draws in a row.
bool playedFor(const ResultsBook &book, const LoggedLine &line, int number, int draws);

// Each line of `lines` played for `draws` draws in a row from its first:
// `play` hears the line, the draw's number, and its result in the book
// (null while it waits for it) with the line's tier there (0 for none).
using PlayFunction = std::function<void(const LoggedLine &line, int draw, const DrawResult *result, int tier)>;
void forEachPlay(const ResultsBook &book, LineSpan lines, int draws, const PlayFunction &play);

// What the lines played for one draw of the book came to.
struct DrawTotals
{
    uint64_t lines = 0;
    Game::ByTier<uint64_t> tiers{}; // 0 for none
    int64_t won = 0;                 // yen, over the tiers whose prize is known
    uint64_t unknownPrizes = 0;      // winning lines whose prize is not known
    int64_t cost() const { return int64_t(lines) * Game::linePrice; }
    bool operator==(const DrawTotals &o) const
    {
        return lines == o.lines && tiers == o.tiers && won == o.won && unknownPrizes == o.unknownPrizes;
    }
};

// The same over all the lines, and each draw's share.
struct Ledger
{
    DrawTotals all;         // the lines bought, as plays of one draw each
    uint64_t waiting = 0;   // plays whose draw is not in the book
    std::vector<DrawTotals> byDraw; // as the book's draws
};

// `alsoEach` hears each play as forEachPlay's function does.
Ledger ledgerOf(const ResultsBook &book, LineSpan lines, int draws, const PlayFunction &alsoEach = {});
// The plays of `lines` added to `ledger`, as the log's lines come a span at a time.
void addTo(Ledger &ledger, const ResultsBook &book, LineSpan lines, int draws, const PlayFunction &alsoEach = {});
} // namespace Plays

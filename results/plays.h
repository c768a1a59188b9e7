#pragma once

#include "resultsbook.h"

#include "history/logreader.h"
#include "rules/game.h"

#include <array>
#include <cstdint>
#include <vector>

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

// The draws of lines that come in the order of their stamps, played for
// `draws` draws in a row from their first: the draw that closes next after
// them is followed along, not looked up for each of millions, and the five
// lines of a batch share their stamp, and so their draws.
class DrawsAlong
{
public:
    DrawsAlong(const ResultsBook &book, int draws);
    // Moves on to a line stamped `stamp` (yyyymmddhhmmss).
    void moveTo(int64_t stamp);
    // The line's first draw, 0 while it is not in the book.
    int first() const { return firstDraw; }
    // The result of its k-th draw from the first; null while the book lacks it.
    const DrawResult *result(int k) const { return results[size_t(k)]; }

private:
    const ResultsBook &book;
    size_t next = 0; // in the book's draws by date, the first closing after the stamp
    int64_t lastStamp = -1;
    int firstDraw = 0;
    std::vector<const DrawResult *> results;
};

// Each line of `lines` played for `draws` draws in a row from its first:
// `play` hears the line, the draw's number (0 while its first is not in the
// book), and its result in the book (null while it waits for it) with the
// line's tier there (0 for none).
template <typename Play>
void forEachPlay(const ResultsBook &book, LineSpan lines, int draws, Play &&play)
{
    DrawsAlong along(book, draws);
    for (const LoggedLine *line = lines.begin; line != lines.end; ++line) {
        along.moveTo(int64_t(line->stamp()));
        for (int k = 0; k < draws; ++k) {
            const DrawResult *result = along.result(k);
            play(*line, along.first() ? along.first() + k : 0, result, result ? prizeOf(*line, result->draw) : 0);
        }
    }
}

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

    // One play, as forEachPlay hears it, of a draw of `book`.
    void add(const ResultsBook &book, const DrawResult *result, int tier);
};

Ledger ledgerOf(const ResultsBook &book, LineSpan lines, int draws);
} // namespace Plays

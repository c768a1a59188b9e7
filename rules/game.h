#pragma once

#include <array>
#include <cstdint>

// The game's rules, written down once: what a line and a draw are, what wins,
// what a slip costs and allows, when sales close and draws are held, and how
// long a prize may be claimed.
namespace Game {
// A line is six distinct numbers from 1 to 43; a draw is six more and a bonus.
constexpr int lowest = 1;
constexpr int highest = 43;
constexpr int picked = 6;
// How many numbers a set of them holds, bit n for number n: counted in
// place, since the machines we build for lack an instruction for it and
// the library would be called for each of millions of lines.
constexpr int countIn(uint64_t numbers)
{
    numbers -= numbers >> 1 & 0x5555555555555555;
    numbers = (numbers & 0x3333333333333333) + (numbers >> 2 & 0x3333333333333333);
    numbers = (numbers + (numbers >> 4)) & 0x0f0f0f0f0f0f0f0f;
    return int(numbers * 0x0101010101010101 >> 56);
}
// Anything kept by number, 1 to 43: 0 stands unused.
template<typename T>
using ByNumber = std::array<T, highest + 1>;

// Tiers 1 to 5 win: all six; five and the bonus; five; four; three.
constexpr int tiers = 5;
constexpr int matchesFor(int tier)
{
    constexpr int matches[tiers + 1] = {0, 6, 5, 5, 4, 3};
    return matches[tier];
}
// Only the second tier asks for the bonus as well.
constexpr bool bonusCounts(int tier)
{
    return tier == 2;
}
// Anything kept by tier, 1 to 5: 0 stands for none.
template<typename T>
using ByTier = std::array<T, tiers + 1>;
// The tier of a line with `matches` of the six and, beside them, the bonus or
// not; 0 for none.
enum class Bonus { missed, matched };
constexpr int tierOf(int matches, Bonus bonus)
{
    for (int tier = 1; tier <= tiers; ++tier)
        if (matches == matchesFor(tier) && (bonus == Bonus::matched || !bonusCounts(tier)))
            return tier;
    return 0;
}

// A slip holds up to five lines, A to E, bought in up to ten units for up to
// ten draws in a row, each line, unit and draw at 200 yen.
constexpr int mostLines = 5;
constexpr int mostUnits = 10;
constexpr int mostDraws = 10;
constexpr int64_t linePrice = 200; // yen

// Sales for a draw close at 18:30 on its day; the draw is at 18:45 (hhmmss).
constexpr int salesClose = 183000;
constexpr int drawTime = 184500;

// Draws are held on Mondays and Thursdays, but none from 31 December to
// 3 January. Dates are yyyymmdd.
bool isDrawDay(int date);
// The first draw day on or after `date`.
int drawDayFrom(int date);

// A prize may be claimed for one year from the day after its draw, up to the
// same day a year on (28 February for a draw on the 29th).
int lastDayToClaim(int drawDate);

// How often each number comes up, on the average, among `sets` fair sets of
// the six, or among as many bonuses: what a chart of counts is measured by.
enum class Drawn { six, bonus };
constexpr double evenShare(uint64_t sets, Drawn drawn = Drawn::six)
{
    return (drawn == Drawn::six ? picked : 1) * double(sets) / highest;
}
} // namespace Game

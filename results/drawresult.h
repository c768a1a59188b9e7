#pragma once

#include "rules/game.h"
#include "rules/prize.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// One draw as the results book keeps it: 1901,2024/06/10,3,7,12,25,31,40,18,
// 200000000,10000000,300000,6800,1000. Its number (第1901回), its date, the
// six numbers in ascending order and the bonus, then what one winning line of
// each tier 1 to 5 was paid, in yen, each left empty where it is not known.
struct DrawResult
{
    static constexpr int64_t unknown = -1;
    // No prize is more than eleven digits of yen: sums over millions of lines stay in range.
    static constexpr size_t prizeDigits = 11;

    int number = 0; // 1 and up
    int date = 0;   // yyyymmdd
    AnnouncedDraw draw;
    std::array<int64_t, Game::tiers> prizes{unknown, unknown, unknown, unknown, unknown};

    // The prize of `tier` (1 to 5), or unknown.
    int64_t prizeOf(int tier) const { return prizes[size_t(tier - 1)]; }
    // Draw, date and numbers alike: the prizes may be known to one and not the other.
    bool sameDraw(const DrawResult &other) const;
    bool operator==(const DrawResult &other) const { return sameDraw(other) && prizes == other.prizes; }
};

// Builds a draw from its parts; false when they are no draw: a date that is
// no day, numbers out of 1 to 43 or repeated, a bonus among them.
bool makeDraw(int number, int date, std::array<int, Game::picked> numbers, int bonus, DrawResult &result);

// The record as the book holds it, without its line end.
std::string recordOf(const DrawResult &result);

// The five prizes as a user types them: "200000000,10000000,300000,6800,1000",
// yen in digits, any of them left empty for one not known, or nothing at all
// for none known. False for anything else.
bool readPrizes(const std::string &text, std::array<int64_t, Game::tiers> &prizes);

// Reads a record of the book, its line end taken off; false for anything else.
bool parseResultRecord(const char *text, size_t size, DrawResult &result);

#pragma once

#include "game.h"

#include <array>
#include <cstdint>
#include <string>

// An announced draw: six distinct numbers 1 to 43 and a bonus number that is
// not among them.
struct AnnouncedDraw
{
    std::array<int, Game::picked> numbers{};
    int bonus = 0;
    uint64_t mask = 0; // bit n set for each of the six
};

// Reads "3,7,12,25,31,40+18" (blanks around the numbers are let pass). On
// failure returns false and says why in `why`.
bool parseDraw(const std::string &text, AnnouncedDraw &draw, std::string &why);
// Reads a line's six numbers, "3,7,12,25,31,40", as the mask prizeOf takes,
// and, if asked, in the order they were written.
bool parseLine(const std::string &text, uint64_t &mask, std::string &why,
               std::array<int, Game::picked> *numbers = nullptr);

// The prize a line wins: 1 for all six, 2 for five and the bonus, 3 for five,
// 4 for four, 5 for three, 0 for none.
int prizeOf(uint64_t lineMask, const AnnouncedDraw &draw);

#pragma once

#include "rules/game.h"

#include <cstdint>

// Whether some sets of six distinct numbers, lines or draws, came up evenly:
// Pearson's test of the 43 counts against the even share, with 42 degrees of
// freedom. A set's six numbers are distinct, which makes the counts vary less
// than free draws would: the plain sum averages 37, not 42, on a fair draw,
// so it is scaled by 42/37 before it is compared with χ².
struct Evenness
{
    static constexpr int degreesOfFreedom = Game::highest - 1;
    // Fewer sets than this say too little to judge by.
    static constexpr uint64_t fewest = 100;
    // Below this p the counts are taken as uneven.
    static constexpr double threshold = 0.01;

    double chi2 = 0; // the scaled statistic X²
    double p = 1;    // the chance of an X² at least as large from a fair draw
    enum Verdict { TooFew, Even, Uneven } verdict = TooFew;
};

// The test of how often each number came up (`counts`) among `sets` sets;
// with none, X² is 0 and p is 1.
Evenness evennessOf(const Game::ByNumber<uint64_t> &counts, uint64_t sets);

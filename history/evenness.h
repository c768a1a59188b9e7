#pragma once

#include "tally.h"

// Whether the numbers of some lines came up evenly: Pearson's test of the 43
// counts against the even share E = 6 × lines ÷ 43, with 42 degrees of
// freedom. A line's six numbers are distinct, which makes the counts vary less
// than free draws would: the plain sum averages 37, not 42, on a fair draw, so
// it is scaled by 42/37 before it is compared with χ².
struct Evenness
{
    static constexpr int degreesOfFreedom = 42;
    // Fewer sets than this say too little to judge by.
    static constexpr uint64_t fewest = 100;
    // Below this p the counts are taken as uneven.
    static constexpr double threshold = 0.01;

    double chi2 = 0; // the scaled statistic X²
    double p = 1;    // the chance of an X² at least as large from a fair draw
    enum Verdict { TooFew, Even, Uneven } verdict = TooFew;
};

// The test of how often each number came up (`counts`, by number; 0
// unused) among `sets` sets of six distinct numbers, lines or draws; with
// none, X² is 0 and p is 1.
Evenness evennessOf(const std::array<uint64_t, 44> &counts, uint64_t sets);
inline Evenness evennessOf(const Tally &tally)
{
    return evennessOf(tally.numbers, tally.lines);
}

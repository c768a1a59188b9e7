#pragma once

#include "model/controls.h"
#include "model/gate.h"

#include <QString>

#include <cstdint>

// The value of a number caption: decimal text as a 16-bit integer, blanks
// before and after allowed. Anything else (empty, blanks only, letters, a
// number out of range) is 0, so it sorts before every drawn number:
// " 12 " is 12, "  " is 0, "32768" is 0.
std::int16_t captionValue(const QString &caption);

// Sort: puts the six numbers of every line in ascending order, in place. It
// works through the draw machine's hidden labels: each line is copied into
// LabelS, taken out smallest first into NumberLabelS, and copied back.
class Sorter
{
public:
    Sorter(Controls &controls, Gate &gate);

    void CommandSort_Click();

private:
    void SortNumbers();

    Controls &controls;
    Gate &gate;
    int bestPos = 0; // kept from one pass to the next
};

#pragma once

#include "drawresult.h"

#include <QByteArray>

#include <vector>

// A file of draw results as sites publish them for player tools: the draw
// number, the date, the six numbers, the bonus, then the winners of tiers 1
// to 5, the prizes of tiers 1 to 5 and the carry-over. Shift_JIS or UTF-8
// (with or without a byte-order mark), CR LF or LF, commas, quoted fields.
// With a header its columns are taken by their names, so a column added or
// moved is no matter; without one, by their places.
struct ImportFile
{
    std::vector<DrawResult> draws;
    // Rows that are no draw, by line number from 1 (blank lines aside).
    std::vector<uint64_t> skippedLines;

    static ImportFile read(const QByteArray &bytes);
};

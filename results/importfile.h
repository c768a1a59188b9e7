#pragma once

#include "drawresult.h"

#include "files/numberlist.h"

#include <QByteArrayView>

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
    NumberList skippedRows;
    // Rows whose draw is taken, but one of whose prizes cannot be read: it
    // is left unknown.
    NumberList unreadablePrizes;

    // Reads it a row at a time: what it holds besides the draws and the
    // numbers kept above is not held in memory.
    static ImportFile read(QByteArrayView bytes);
};

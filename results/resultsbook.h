#pragma once

#include "drawresult.h"

#include "files/numberlist.h"

#include <string>
#include <vector>

// The results book, "KelpResults.csv" beside the master log: one record a
// draw, in draw-number order, ASCII, each line ended by CR LF.
class ResultsBook
{
public:
    static const char *const fileName;

    // Reads the book's bytes. A line that is no record, or a draw that is
    // there already, is skipped and counted by its line number; a last line
    // without its line end is taken, and a byte-order mark before the first
    // is passed over, as editors and spreadsheets may put one there.
    static ResultsBook read(const char *data, size_t size);

    // Whether it is a book at all: a file of lines none of which is a record
    // (the master log, a result file, a picture) is not, and is never
    // written over.
    bool isBook() const { return !all.empty() || !otherText; }

    const std::vector<DrawResult> &draws() const { return all; }
    const DrawResult *find(int number) const;
    // The draws by date (then number), as places in draws(): a book typed in
    // by hand may not hold its dates in the order of the numbers.
    const std::vector<size_t> &byDate() const { return dated; }

    // Takes draws in: a new one is added; the same again changes nothing but
    // prizes not yet known, which it fills in; one whose date or numbers
    // differ is a conflict, and the book keeps its own. Draws are held at
    // most one a day, in the order of their numbers: a new draw dated on or
    // before the draw numbered before it, or on or after the one numbered
    // after it, is a conflict too.
    struct Merging
    {
        uint64_t added = 0, known = 0, filled = 0;
        NumberList conflicts; // by draw number
        bool changed() const { return added + filled > 0; }
    };
    Merging mergeAll(std::vector<DrawResult> draws);

    // The book's file as it is written: the records, then any line it could
    // not read, as it stood, so that writing the book loses nothing.
    std::string text() const;

    // The lines skipped, by line number from 1.
    const NumberList &skipped() const { return skippedLines; }

private:
    void sortByDate();

    std::vector<DrawResult> all; // by number
    std::vector<size_t> dated;
    NumberList skippedLines;
    std::string unreadable;
    bool otherText = false; // an unreadable line holds more than blanks
};

#pragma once

#include "loggedline.h"
#include "numberlist.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Reads the master log as it grows, a piece at a time: whole lines only, each
// either a record or counted as unreadable by its line number. A last line
// without its line end waits for it, since another copy may be writing it.
class LogReader
{
public:
    // Takes the next bytes of the log; the records read go onto `lines`.
    void feed(const char *data, size_t size, std::vector<LoggedLine> &lines);

    uint64_t lineCount() const { return lines; }
    // The unreadable lines, by line number from 1.
    const NumberList &skipped() const { return skippedLines; }
    // Bytes taken: the log's length when what was fed ends in a line end.
    uint64_t bytesFed() const { return fed; }

private:
    void takeLine(const char *text, size_t size, std::vector<LoggedLine> &out);

    // A line cut by the end of a piece; once longer than any record, only
    // its length is kept, since it can only be skipped.
    std::string partial;
    bool partialTooLong = false;
    uint64_t lines = 0, records = 0, fed = 0;
    NumberList skippedLines;
};

// The log's lines as read, each drawn line once, as keepLastOfEach leaves
// them; shared, never changed, by those who show them.
using SettledLines = std::shared_ptr<const std::vector<LoggedLine>>;

// Sorts lines by stamp and letter and keeps the last record of each drawn line.
void keepLastOfEach(std::vector<LoggedLine> &lines);

// `settled` with the records read after it; both as keepLastOfEach leaves them.
std::vector<LoggedLine> withNewer(const std::vector<LoggedLine> &settled, std::vector<LoggedLine> newer);

// The settled lines stamped from `fromDate` to `toDate` (yyyymmdd, both
// included; 0 for no bound), as a range of `lines`.
struct LineSpan
{
    const LoggedLine *begin, *end;
    size_t size() const { return size_t(end - begin); }
};
LineSpan linesBetween(const std::vector<LoggedLine> &lines, int fromDate, int toDate);

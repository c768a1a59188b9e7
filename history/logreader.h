#pragma once

#include "loggedline.h"
#include "files/numberlist.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Reads the master log as it grows, a piece at a time: whole lines only, each
// either a record or counted as unreadable by its line number. A last line
// without its line end waits for it, since another copy may be writing it.
class LogReader
{
public:
    // A reader of a piece of the log that begins at a line's start past its
    // first, read on its own: it looks for no byte-order mark, and counts its
    // lines and records from the piece's start until taken on (takeOn).
    static LogReader ofPiece();

    // Takes the next bytes of the log; the records read go onto `lines`.
    void feed(const char *data, size_t size, std::vector<LoggedLine> &lines);

    // Goes on past `piece`, the part of the log that comes next, read on its
    // own from where this reader stopped, at a line's start: its lines and
    // skipped lines are numbered after this reader's. Returns the records
    // before it, by which its records' order moves on (LoggedLine::after).
    uint64_t takeOn(const LogReader &piece);

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
    bool atLogStart = true;
    uint64_t lines = 0, records = 0, fed = 0;
    NumberList skippedLines;
};

// The log's lines as read, each drawn line once, as keepLastOfEach leaves
// them; shared, never changed, by those who show them.
using SettledLines = std::shared_ptr<const std::vector<LoggedLine>>;

// Sorts lines by stamp and letter and keeps the last record of each drawn line.
void keepLastOfEach(std::vector<LoggedLine> &lines);

// Some of the settled lines, in their order.
struct LineSpan
{
    const LoggedLine *begin, *end;
    size_t size() const { return size_t(end - begin); }
};

// What a command makes of the log's lines, handed them in their settled
// order a span at a time as they become known: a log of years holds
// millions, and a command needs each only once.
struct LineSink
{
    std::function<void(LineSpan)> take;
    // Forget what was taken: the lines come again from the first. That a log
    // is far out of the order of its stamps is known only once some are taken.
    std::function<void()> startOver;
};

// Hands on `lines`, settled, a span at a time, as reading hands them on: what
// the sink makes of them may be put aside as it grows.
void handOnAll(const std::vector<LoggedLine> &lines, const LineSink &sink);

// The records of a log read in pieces, each piece's settled on their own
// (keepLastOfEach), put together in the log's order into what keepLastOfEach
// makes of them all at once.
class SettledPieces
{
public:
    // Onto `lines`, empty or settled.
    explicit SettledPieces(std::vector<LoggedLine> &lines) : lines(lines) {}
    // Handing on to `sink` all but the last `held` lines as they settle: no
    // later piece reaches back past those unless the log is far out of order.
    SettledPieces(std::vector<LoggedLine> &lines, const LineSink &sink, size_t held)
        : lines(lines), sink(&sink), held(held)
    {
    }

    // The next piece's records, with `before` records in the log before them:
    // merged with the lines so far where their stamps meet, as where a batch
    // saved twice is cut between its saves. False, and nothing added, when
    // the lines are handed on and the piece reaches back past those handed.
    bool add(const std::vector<LoggedLine> &piece, uint64_t before);
    // Settles a log far out of the order of its stamps, whose pieces reached
    // further back than they were long: it is sorted once, at the end. What
    // is still held is handed on.
    void finish();

private:
    void handOn(size_t count);

    std::vector<LoggedLine> &lines;
    bool unsorted = false;
    const LineSink *sink = nullptr;
    size_t held = 0;
    size_t handed = 0;          // lines at the front already handed on
    uint64_t lastHandedKey = 0; // the key of the last of them; none before the first
    bool anyHanded = false;
};

// `settled` with the records read after it; both as keepLastOfEach leaves them.
std::vector<LoggedLine> withNewer(const std::vector<LoggedLine> &settled, std::vector<LoggedLine> newer);

// The settled lines stamped from `fromDate` to `toDate` (yyyymmdd, both
// included; 0 for no bound), as a range of `lines`.
LineSpan linesBetween(LineSpan lines, int fromDate, int toDate);
LineSpan linesBetween(const std::vector<LoggedLine> &lines, int fromDate, int toDate);

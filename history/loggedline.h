#pragma once

#include "rules/prize.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A record's widths as the program writes it, its line end aside:
// yyyy/mm/dd,hh:mm:ss,L, fixed in width, then six numbers of one or two
// digits, a comma between each.
namespace RecordWidth {
constexpr size_t head = 22;
constexpr size_t shortestNumbers = Game::picked * 2 - 1, longestNumbers = Game::picked * 3 - 1;
constexpr size_t shortest = head + shortestNumbers, longest = head + longestNumbers;
} // namespace RecordWidth

// One record of the master log, read back: 2026/12/06,09:05:03,A,7,12,19,25,38,41.
// Kept in 16 bytes, since a log of years holds millions of them: the stamp and
// letter, which name the drawn line, and where the record stood in the log, so
// that of a line saved many times the last record counts; then its six numbers
// in their record order.
class LoggedLine
{
public:
    LoggedLine() = default;
    LoggedLine(int date, int time, int letter, const std::array<int, Game::picked> &numbers, uint64_t order);
    // From the key and the six numbers packed six bits each, as a record is read.
    LoggedLine(uint64_t key, uint64_t numbers, uint64_t order);

    uint64_t stamp() const { return key() >> 3; } // yyyymmddhhmmss
    int date() const { return int(stamp() / 1000000); } // yyyymmdd
    int time() const { return int(stamp() % 1000000); } // hhmmss
    char letter() const { return char('A' + (head >> orderHighBits & 7)); }
    int number(int k) const { return int(tail >> 6 * k & 63); }
    uint64_t numberMask() const // bit n set for each number n
    {
        const uint64_t one = 1; // six at once: a command asks it of millions of lines
        return one << number(0) | one << number(1) | one << number(2) | one << number(3) | one << number(4)
               | one << number(5);
    }

    // Names the drawn line: equal for every record of the same stamp and letter.
    uint64_t key() const { return head >> orderHighBits; }
    // Orders by stamp, then letter, then place in the log.
    bool operator<(const LoggedLine &o) const { return head != o.head ? head < o.head : tail < o.tail; }
    bool operator==(const LoggedLine &o) const { return head == o.head && tail == o.tail; }

    // The same record with `records` more before it in the log: one read in
    // a piece of its own, once the pieces before it are counted.
    LoggedLine after(uint64_t records) const;

    // The record as the program writes it, without its line end.
    std::string text() const;
    // The same put at the end of `out`: a command prints the winners of millions.
    void appendText(std::string &out) const;

    // The key of the first line of a day, for looking up a date range.
    static uint64_t keyOfDay(int date) { return uint64_t(date) * 1000000 * 8; }

private:
    // head: key (stamp * 8 + letter) above the order's top bits; tail: the
    // order's low bits above the six numbers of six bits each.
    static constexpr int orderHighBits = 14, orderLowBits = 28, numberBits = 36;
    uint64_t head = 0, tail = 0;
};

// Reads one record, its line end already taken off; false for anything that is
// not a record as the program writes it: nine fields, a real date and time, a
// letter A to E and six distinct numbers 1 to 43 without leading zeros.
bool parseRecord(const char *text, size_t size, uint64_t order, LoggedLine &line);

// The tier `line` wins against `draw`; 0 for none.
inline int prizeOf(const LoggedLine &line, const AnnouncedDraw &draw)
{
    return prizeOf(line.numberMask(), draw);
}

// Reads records one after another from `text`, where a line begins, each
// with its line end, CR LF or LF, without looking for the line end first:
// the common case of a log the program wrote. The five lines of a batch
// share their stamp, which is read once. Stops before anything else, a record
// among them when its line end is not before `end` (parseRecord reads those
// once their line is found), and returns where; what it takes, parseRecord
// takes alike. Each record read goes onto `lines`, numbered on from `order`.
const char *parseRecordLines(const char *text, const char *end, uint64_t &order, std::vector<LoggedLine> &lines);

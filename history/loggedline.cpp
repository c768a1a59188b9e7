#include "loggedline.h"

#include "calendar/calendar.h"

#include <algorithm>
#include <cstring>

namespace {
// Reads `count` digits at p; -1 if any is not a digit.
int digits(const char *p, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        value = value * 10 + (p[i] - '0');
    }
    return value;
}

// Reads yyyy/mm/dd,hh:mm:ss at p as yyyymmddhhmmss; 0 unless it is a real
// date and time, written so.
uint64_t stampAt(const char *p)
{
    if (p[4] != '/' || p[7] != '/' || p[10] != ',' || p[13] != ':' || p[16] != ':')
        return 0;
    const int year = digits(p, 4), month = digits(p + 5, 2), day = digits(p + 8, 2);
    const int hour = digits(p + 11, 2), minute = digits(p + 14, 2), second = digits(p + 17, 2);
    if (!Calendar::isDay(year, month, day))
        return 0;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return 0;
    return uint64_t(Calendar::date(year, month, day)) * 1000000 + uint64_t(hour * 10000 + minute * 100 + second);
}

// The letter A to E of the head at p, as 0 to 4; -1 for anything else.
int letterAt(const char *p)
{
    if (p[19] != ',' || p[21] != ',')
        return -1;
    const int letter = p[20] - 'A';
    return letter >= 0 && letter < Game::mostLines ? letter : -1;
}

// Reads six distinct numbers 1 to 43, without leading zeros, a comma between
// each, from `at`, and not past `end`; packs them six bits each. Returns
// where they end, or nullptr.
const char *numbersAt(const char *at, const char *end, uint64_t &packed)
{
    uint64_t seen = 0;
    packed = 0;
    for (int k = 0; k < Game::picked; ++k) {
        if (k > 0 && (at == end || *at++ != ','))
            return nullptr;
        if (at == end || *at < '1' || *at > '9')
            return nullptr;
        int n = *at++ - '0';
        if (at != end && *at >= '0' && *at <= '9')
            n = n * 10 + (*at++ - '0');
        if (n > Game::highest || (seen >> n & 1))
            return nullptr;
        seen |= uint64_t(1) << n;
        packed |= uint64_t(n) << 6 * k;
    }
    return at;
}

// The most a record's numbers and its line end take: six numbers of two
// digits, five commas, CR LF.
constexpr size_t longestNumbers = RecordWidth::longestNumbers + 2;

// numbersAt for the bytes of a log, with at least longestNumbers + 1 of them
// from `at`: the same numbers taken and the same refused, with no branch on
// the digits, which no predictor guesses, and each number's checks made once
// for all six.
const char *numbersInBuffer(const char *at, uint64_t &packed)
{
    uint64_t seen = 0;
    unsigned firsts = 0, most = 0, commas = 0;
    packed = 0;
    // The k-th number, and the comma after it but for the last.
    const auto take = [&](int k) {
        const unsigned first = unsigned(static_cast<unsigned char>(at[0])) - '0';
        const unsigned second = unsigned(static_cast<unsigned char>(at[1])) - '0';
        const unsigned two = second <= 9;
        const unsigned n = first + two * (first * 9 + second); // a multiply, where a choice would be a branch
        at += 1 + two;
        firsts = std::max(firsts, first - 1); // 0 to 8 for a first digit 1 to 9
        if (k < Game::picked - 1)
            commas |= unsigned(static_cast<unsigned char>(*at++)) ^ ',';
        most = std::max(most, n);
        seen |= uint64_t(1) << (n & 63);
        packed |= uint64_t(n & 63) << 6 * k;
    };
    take(0), take(1), take(2), take(3), take(4), take(5);
    // Six different numbers 1 to 43 are six bits; a number twice, fewer.
    const bool read = firsts <= 8 && commas == 0 && most <= unsigned(Game::highest) && Game::countIn(seen) == Game::picked;
    return read ? at : nullptr;
}

// Writes n, 0 to 99, in two digits.
char *twoDigits(char *at, int n)
{
    *at++ = char('0' + n / 10);
    *at++ = char('0' + n % 10);
    return at;
}
} // namespace

LoggedLine::LoggedLine(int date, int time, int letter, const std::array<int, Game::picked> &numbers, uint64_t order)
{
    uint64_t packed = 0;
    for (int k = 0; k < Game::picked; ++k)
        packed |= uint64_t(numbers[k]) << 6 * k;
    *this = LoggedLine((uint64_t(date) * 1000000 + uint64_t(time)) * 8 + uint64_t(letter), packed, order);
}

LoggedLine::LoggedLine(uint64_t key, uint64_t numbers, uint64_t order)
{
    head = key << orderHighBits | (order >> orderLowBits & ((1u << orderHighBits) - 1));
    tail = (order & ((uint64_t(1) << orderLowBits) - 1)) << numberBits | numbers;
}

LoggedLine LoggedLine::after(uint64_t records) const
{
    constexpr uint64_t highMask = (uint64_t(1) << orderHighBits) - 1, lowMask = (uint64_t(1) << orderLowBits) - 1,
                       numbersMask = (uint64_t(1) << numberBits) - 1;
    const uint64_t order = ((head & highMask) << orderLowBits | tail >> numberBits) + records;
    LoggedLine line;
    line.head = key() << orderHighBits | (order >> orderLowBits & highMask);
    line.tail = (order & lowMask) << numberBits | (tail & numbersMask);
    return line;
}

std::string LoggedLine::text() const
{
    std::string text;
    appendText(text);
    return text;
}

void LoggedLine::appendText(std::string &out) const
{
    // By hand: a command prints the winning lines of millions.
    char text[48];
    const int d = date(), t = time();
    char *at = twoDigits(twoDigits(text, Calendar::yearOf(d) / 100), Calendar::yearOf(d) % 100);
    *at++ = '/';
    at = twoDigits(at, Calendar::monthOf(d));
    *at++ = '/';
    at = twoDigits(at, Calendar::dayOf(d));
    *at++ = ',';
    at = twoDigits(at, t / 10000);
    *at++ = ':';
    at = twoDigits(at, t / 100 % 100);
    *at++ = ':';
    at = twoDigits(at, t % 100);
    *at++ = ',';
    *at++ = letter();
    for (int k = 0; k < Game::picked; ++k) {
        *at++ = ',';
        const int n = number(k);
        if (n >= 10)
            *at++ = char('0' + n / 10);
        *at++ = char('0' + n % 10);
    }
    out.append(text, size_t(at - text));
}

bool parseRecord(const char *p, size_t size, uint64_t order, LoggedLine &line)
{
    if (size < RecordWidth::shortest || size > RecordWidth::longest)
        return false;
    const uint64_t stamp = stampAt(p);
    const int letter = letterAt(p);
    uint64_t numbers = 0;
    if (stamp == 0 || letter < 0 || numbersAt(p + RecordWidth::head, p + size, numbers) != p + size)
        return false;
    line = LoggedLine(stamp * 8 + uint64_t(letter), numbers, order);
    return true;
}

const char *parseRecordLines(const char *p, const char *end, uint64_t &order, std::vector<LoggedLine> &lines)
{
    // The stamp of the record read last, as read and as a number.
    std::array<char, 19> lastText{};
    uint64_t lastStamp = 0;
    while (end - p > long(RecordWidth::head + longestNumbers)) { // else the line may go on past `end`
        uint64_t stamp = lastStamp;
        if (stamp == 0 || std::memcmp(p, lastText.data(), lastText.size()) != 0) {
            if ((stamp = stampAt(p)) == 0)
                break;
            std::memcpy(lastText.data(), p, lastText.size());
            lastStamp = stamp;
        }
        const int letter = letterAt(p);
        uint64_t numbers = 0;
        const char *at = letter < 0 ? nullptr : numbersInBuffer(p + RecordWidth::head, numbers);
        if (!at)
            break;
        at += *at == '\r';
        if (*at != '\n')
            break;
        lines.emplace_back(stamp * 8 + uint64_t(letter), numbers, order++);
        p = at + 1;
    }
    return p;
}

#include "drawresult.h"

#include "calendar/calendar.h"

#include <algorithm>

namespace {
// A field of digits with no leading zero, within `most` digits; false for
// anything else. An empty field is `empty`.
bool readWhole(const char *&at, const char *end, int64_t &value, size_t most)
{
    const char *start = at;
    value = 0;
    while (at != end && *at >= '0' && *at <= '9' && size_t(at - start) < most)
        value = value * 10 + (*at++ - '0');
    return at != start && (at == end || *at == ',') && !(*start == '0' && at - start > 1);
}

bool skipComma(const char *&at, const char *end)
{
    return at != end && *at++ == ',';
}
} // namespace

bool DrawResult::sameDraw(const DrawResult &other) const
{
    return number == other.number && date == other.date && draw.numbers == other.draw.numbers
           && draw.bonus == other.draw.bonus;
}

bool makeDraw(int number, int date, std::array<int, Game::picked> numbers, int bonus, DrawResult &result)
{
    if (number < 1 || !Calendar::isDay(date) || bonus < Game::lowest || bonus > Game::highest)
        return false;
    std::sort(numbers.begin(), numbers.end());
    uint64_t mask = 0;
    for (const int n : numbers) {
        if (n < Game::lowest || n > Game::highest || (mask >> n & 1))
            return false;
        mask |= uint64_t(1) << n;
    }
    if (mask >> bonus & 1)
        return false;
    result = DrawResult();
    result.number = number;
    result.date = date;
    result.draw.numbers = numbers;
    result.draw.bonus = bonus;
    result.draw.mask = mask;
    return true;
}

std::string recordOf(const DrawResult &r)
{
    std::string text = std::to_string(r.number) + ',' + Calendar::dateText(r.date);
    for (const int n : r.draw.numbers)
        text += ',' + std::to_string(n);
    text += ',' + std::to_string(r.draw.bonus);
    for (const int64_t prize : r.prizes)
        text += ',' + (prize == DrawResult::unknown ? std::string() : std::to_string(prize));
    return text;
}

bool readPrizes(const std::string &text, std::array<int64_t, Game::tiers> &prizes)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::array<int64_t, Game::tiers> read;
    read.fill(DrawResult::unknown);
    const char *at = text.data(), *end = text.data() + text.size();
    if (std::all_of(at, end, blank)) {
        prizes = read;
        return true;
    }
    for (size_t tier = 0; tier < read.size(); ++tier) {
        if (tier > 0 && !skipComma(at, end))
            return false;
        while (at != end && blank(*at))
            ++at;
        if (at != end && *at != ',' && !blank(*at)) {
            const char *start = at;
            read[tier] = 0;
            while (at != end && *at >= '0' && *at <= '9' && size_t(at - start) < DrawResult::prizeDigits)
                read[tier] = read[tier] * 10 + (*at++ - '0');
            if (at == start)
                return false;
        }
        while (at != end && blank(*at))
            ++at;
    }
    if (at != end)
        return false;
    prizes = read;
    return true;
}

bool parseResultRecord(const char *p, size_t size, DrawResult &result)
{
    const char *at = p, *end = p + size;
    int64_t number = 0;
    if (!readWhole(at, end, number, 9) || !skipComma(at, end))
        return false;
    // yyyy/mm/dd is fixed in width.
    if (end - at < 11 || at[4] != '/' || at[7] != '/' || at[10] != ',')
        return false;
    int date = 0;
    for (const int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (at[i] < '0' || at[i] > '9')
            return false;
        date = date * 10 + (at[i] - '0');
    }
    at += 11;
    std::array<int, Game::picked> numbers{};
    int64_t value = 0;
    for (int &n : numbers) {
        if (!readWhole(at, end, value, 2) || !skipComma(at, end))
            return false;
        n = int(value);
    }
    if (!readWhole(at, end, value, 2) || !makeDraw(int(number), date, numbers, int(value), result))
        return false;
    if (!std::is_sorted(numbers.begin(), numbers.end()))
        return false; // the book keeps them in order
    for (int64_t &prize : result.prizes) {
        if (!skipComma(at, end))
            return false;
        if (at != end && *at != ',' && !readWhole(at, end, prize, DrawResult::prizeDigits))
            return false;
    }
    return at == end;
}

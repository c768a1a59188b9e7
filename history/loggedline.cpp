#include "loggedline.h"

#include "calendar/calendar.h"


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
} // namespace

LoggedLine::LoggedLine(int date, int time, int letter, const std::array<int, 6> &numbers, uint64_t order)
{
    const uint64_t key = (uint64_t(date) * 1000000 + uint64_t(time)) * 8 + uint64_t(letter);
    head = key << orderHighBits | (order >> orderLowBits & ((1u << orderHighBits) - 1));
    tail = (order & ((uint64_t(1) << orderLowBits) - 1)) << numberBits;
    for (int k = 0; k < 6; ++k)
        tail |= uint64_t(numbers[k]) << 6 * k;
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

uint64_t LoggedLine::numberMask() const
{
    uint64_t mask = 0;
    for (int k = 0; k < 6; ++k)
        mask |= uint64_t(1) << number(k);
    return mask;
}

std::string LoggedLine::text() const
{
    std::string text = Calendar::dateText(date()) + ',' + Calendar::timeText(time()) + ',' + letter();
    for (int k = 0; k < 6; ++k)
        text += ',' + std::to_string(number(k));
    return text;
}

bool parseRecord(const char *p, size_t size, uint64_t order, LoggedLine &line)
{
    // yyyy/mm/dd,hh:mm:ss,L, is fixed in width; the numbers follow.
    constexpr size_t head = 22;
    if (size < head + 11 || size > head + 17)
        return false;
    if (p[4] != '/' || p[7] != '/' || p[10] != ',' || p[13] != ':' || p[16] != ':' || p[19] != ','
        || p[21] != ',')
        return false;
    const int year = digits(p, 4), month = digits(p + 5, 2), day = digits(p + 8, 2);
    const int hour = digits(p + 11, 2), minute = digits(p + 14, 2), second = digits(p + 17, 2);
    if (!Calendar::isDay(year, month, day))
        return false;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    const int letter = p[20] - 'A';
    if (letter < 0 || letter > 4)
        return false;

    std::array<int, 6> numbers{};
    uint64_t seen = 0;
    const char *at = p + head, *end = p + size;
    for (int k = 0; k < 6; ++k) {
        if (k > 0 && (at == end || *at++ != ','))
            return false;
        if (at == end || *at < '1' || *at > '9')
            return false;
        int n = *at++ - '0';
        if (at != end && *at >= '0' && *at <= '9')
            n = n * 10 + (*at++ - '0');
        if (n > 43 || (seen >> n & 1))
            return false;
        seen |= uint64_t(1) << n;
        numbers[k] = n;
    }
    if (at != end)
        return false;
    line = LoggedLine(Calendar::date(year, month, day), hour * 10000 + minute * 100 + second, letter, numbers, order);
    return true;
}

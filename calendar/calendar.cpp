#include "calendar.h"

#include <cstdio>

namespace Calendar {
bool isDay(int year, int month, int day)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= (month == 2 && leap ? 29 : days[month - 1]);
}

int dayAfter(int date)
{
    const int year = yearOf(date), month = monthOf(date), day = dayOf(date);
    if (isDay(year, month, day + 1))
        return Calendar::date(year, month, day + 1);
    return month < 12 ? Calendar::date(year, month + 1, 1) : Calendar::date(year + 1, 1, 1);
}

int64_t dayNumber(int date)
{
    // Counted from March, so that the leap day ends a year.
    int64_t year = yearOf(date);
    const int64_t month = monthOf(date), day = dayOf(date);
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::string dateText(int date)
{
    char text[16];
    const int size = std::snprintf(text, sizeof text, "%04d/%02d/%02d", yearOf(date), monthOf(date), dayOf(date));
    return std::string(text, size_t(size));
}

std::string timeText(int time)
{
    char text[16];
    const int size = std::snprintf(text, sizeof text, "%02d:%02d:%02d", time / 10000, time / 100 % 100, time % 100);
    return std::string(text, size_t(size));
}
} // namespace Calendar

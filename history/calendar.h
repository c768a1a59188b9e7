#pragma once

#include <cstdint>

// Days of the civil calendar, as yyyymmdd.
namespace Calendar {
// Whether it is a day the calendar has: no 29 February but in a leap year.
bool isDay(int year, int month, int day);
inline bool isDay(int date)
{
    return isDay(date / 10000, date / 100 % 100, date % 100);
}

// Days since 1970-01-01.
int64_t dayNumber(int date);
} // namespace Calendar

#pragma once

#include <cstdint>
#include <string>

// Days of the civil calendar, as yyyymmdd, and times of day as hhmmss.
namespace Calendar {
constexpr int date(int year, int month, int day)
{
    return year * 10000 + month * 100 + day;
}
// From and to a type of day with year(), month() and day(), such as QDate.
template<typename Day>
int dateOf(const Day &day)
{
    return date(day.year(), day.month(), day.day());
}
template<typename Day>
Day dayOf(int date)
{
    return Day(date / 10000, date / 100 % 100, date % 100);
}
constexpr int yearOf(int date)
{
    return date / 10000;
}
constexpr int monthOf(int date)
{
    return date / 100 % 100;
}
constexpr int dayOf(int date)
{
    return date % 100;
}

// Whether it is a day the calendar has: no 29 February but in a leap year.
bool isDay(int year, int month, int day);
inline bool isDay(int date)
{
    return isDay(yearOf(date), monthOf(date), dayOf(date));
}

// The day after.
int dayAfter(int date);

// Days since 1970-01-01.
int64_t dayNumber(int date);

// As the logs write them: "2024/06/10", "18:30:00".
std::string dateText(int date);
std::string timeText(int time);
} // namespace Calendar

#include "game.h"

#include "calendar/calendar.h"

namespace Game {
namespace {
// 1 January 1970, day 0, was a Thursday.
enum Weekday { thursday, friday, saturday, sunday, monday, tuesday, wednesday };

Weekday weekdayOf(int date)
{
    const int64_t day = Calendar::dayNumber(date) % 7;
    return Weekday(day < 0 ? day + 7 : day);
}

// The turn of the year, when no draws are held: 31 December to 3 January.
bool inYearsEnd(int date)
{
    const int month = Calendar::monthOf(date), day = Calendar::dayOf(date);
    return (month == 12 && day == 31) || (month == 1 && day <= 3);
}
} // namespace

bool isDrawDay(int date)
{
    const Weekday weekday = weekdayOf(date);
    return (weekday == monday || weekday == thursday) && !inYearsEnd(date);
}

int drawDayFrom(int date)
{
    while (!isDrawDay(date))
        date = Calendar::dayAfter(date);
    return date;
}

int lastDayToClaim(int drawDate)
{
    const int year = Calendar::yearOf(drawDate) + 1, month = Calendar::monthOf(drawDate);
    int day = Calendar::dayOf(drawDate);
    while (!Calendar::isDay(year, month, day))
        --day;
    return Calendar::date(year, month, day);
}
} // namespace Game

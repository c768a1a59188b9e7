#include "schedule.h"

#include "calendar/calendar.h"
#include "rules/game.h"

namespace {
QDateTime firstTryOn(int date)
{
    return QDateTime(Calendar::dayOf<QDate>(date), QTime(Schedule::firstTry / 10000, Schedule::firstTry / 100 % 100));
}
} // namespace

namespace Schedule {
int drawDue(const QDateTime &now)
{
    QDate day = now.date();
    if (now.time() < QTime(firstTry / 10000, firstTry / 100 % 100))
        day = day.addDays(-1);
    // Draws are never more than a week apart, the year's end aside.
    while (!Game::isDrawDay(Calendar::dateOf(day)))
        day = day.addDays(-1);
    return Calendar::dateOf(day);
}

QDateTime nextFetch(const QDateTime &now, int newest, const QDateTime &lastTry)
{
    const int due = drawDue(now);
    const QDateTime nextDraw = firstTryOn(Game::drawDayFrom(Calendar::dayAfter(due)));
    if (newest >= due)
        return nextDraw;
    QDateTime next = std::max(now, firstTryOn(due));
    if (lastTry.isValid())
        next = std::max(next, std::min(lastTry, now).addMSecs(retryMsec));
    return next.date() < nextDraw.date() ? next : nextDraw;
}
} // namespace Schedule

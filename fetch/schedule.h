#pragma once

#include <QDateTime>

// When results are fetched by themselves, on a clock the caller gives, in
// local time as the stamps are. A draw's results are looked for from 20:00
// on its day, then once an hour until the book holds it; on the next draw's
// day the looking stops, and begins again for that draw at its 20:00.
namespace Schedule {
constexpr int firstTry = 200000; // hhmmss
constexpr int retryMsec = 60 * 60 * 1000;

// The date of the newest draw whose results are due at `now`.
int drawDue(const QDateTime &now);

// When to fetch next, `now` or later: `newest` is the date of the book's
// newest draw (0 for none), `lastTry` the last fetch (invalid for none).
// Never sooner than an hour after the last.
QDateTime nextFetch(const QDateTime &now, int newest, const QDateTime &lastTry);
} // namespace Schedule

#pragma once

#include <QDateTime>
#include <QString>

// The captions and names formatted from the clock. All fields but the
// four-digit year are two digits with a leading zero, hours on the 24-hour clock.
namespace Stamps {
QString date(const QDateTime &t);          // 2026/12/06
QString time(const QDateTime &t);          // 09:05:03
QString batch(const QDateTime &t);         // 2026/12/06,09:05
QString batchFileName(const QDateTime &t); // 261206_0905.csv
QString line(const QDateTime &t);          // 2026/12/06,09:05:03
} // namespace Stamps

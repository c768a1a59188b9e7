#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// A line's record in the logs: its stamp, its letter and its six number
// captions exactly as they stand, e.g. 2026/12/06,09:05:03,A,7,12,19,25,38,41.
QString recordText(const QString &stamp, QChar letter, const QStringList &numbers);

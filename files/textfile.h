#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files as the logs are kept: the system's code page, no byte-order mark,
// every line ended by CR LF, the last one included. A write that fails says
// why in `why`, in the system's words.
namespace TextFile {
QByteArray encodeLines(const QStringList &lines);

// Appends the lines in a single write and flushes them to the disk before it
// returns; creates the file if it is missing. Only a regular file is written,
// opened without waiting: a named pipe in its place fails at once. On any
// failure the file keeps its earlier length, so it never ends in half a line.
bool appendLines(const QString &path, const QStringList &lines, QString &why);

// Replaces the file with one that holds the lines. The new file is written
// beside it and renamed over it only once it is wholly on the disk, so a
// failure leaves the earlier file as it was.
bool replaceWithLines(const QString &path, const QStringList &lines, QString &why);
// The same with the file's bytes as they are.
bool replaceWith(const QString &path, const QByteArray &bytes, QString &why);
} // namespace TextFile

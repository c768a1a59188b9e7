#include "textfile.h"

#include <QFile>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
bool syncToDisk(QFile &file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}
} // namespace

namespace TextFile {
QByteArray encodeLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLocal8Bit() + "\r\n";
    return bytes;
}

bool appendLines(const QString &path, const QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 before = file.size();
    const QByteArray bytes = encodeLines(lines);
    if (bytes.isEmpty())
        return true;
    if (file.write(bytes) == bytes.size() && syncToDisk(file))
        return true;
    // Take back whatever part of the records reached the file.
    file.resize(before);
    return false;
}

bool replaceWithLines(const QString &path, const QStringList &lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encodeLines(lines);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    // commit() syncs the new file to the disk before renaming it.
    return file.commit();
}
} // namespace TextFile

#include "textfile.h"

#include "regularfile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Writes all of `bytes`, however the system splits the write.
bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno != EINTR)
            return false;
        done += n > 0 ? n : 0;
    }
    return true;
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

bool appendLines(const QString &path, const QStringList &lines, QString &why)
{
    const RegularFile file(QFile::encodeName(path).toStdString(), O_WRONLY | O_APPEND | O_CREAT);
    struct stat before;
    if (!file.isOpen() || ::fstat(file.handle(), &before) != 0) {
        why = QString::fromStdString(RegularFile::reason(file.isOpen() ? errno : file.error()));
        return false;
    }
    const QByteArray bytes = encodeLines(lines);
    if (bytes.isEmpty() || (writeAll(file.handle(), bytes) && ::fsync(file.handle()) == 0))
        return true;
    why = QString::fromStdString(RegularFile::reason(errno));
    // Take back whatever part of the records reached the file; should even
    // that fail, every reader skips a line cut short.
    [[maybe_unused]] const int truncated = ::ftruncate(file.handle(), before.st_size);
    return false;
}

bool replaceWithLines(const QString &path, const QStringList &lines, QString &why)
{
    return replaceWith(path, encodeLines(lines), why);
}

bool replaceWith(const QString &path, const QByteArray &bytes, QString &why)
{
    // QSaveFile turns down a file it may not write in words of its own: the
    // system's say why.
    const QByteArray name = QFile::encodeName(path);
    struct stat before;
    const bool existed = ::stat(name.constData(), &before) == 0;
    if (existed && ::access(name.constData(), W_OK) != 0) {
        why = QString::fromStdString(RegularFile::reason(errno));
        return false;
    }
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    // The new file takes the old one's place with its mode and, where the
    // system lets it (root writing a user's file), its owner.
    if (written && existed) {
        [[maybe_unused]] const int owned = ::fchown(file.handle(), before.st_uid, before.st_gid);
        if (::fchmod(file.handle(), before.st_mode & 07777) != 0) {
            why = QString::fromStdString(RegularFile::reason(errno));
            file.cancelWriting();
            file.commit();
            return false;
        }
    }
    if (written && file.write(bytes) == bytes.size() && file.flush()
        && file.commit()) // which syncs the new file to the disk before renaming it
        return true;
    why = file.errorString();
    if (file.isOpen()) {
        file.cancelWriting();
        file.commit();
    }
    return false;
}
} // namespace TextFile

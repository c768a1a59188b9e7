#include "bookfile.h"

#include "platform/regularfile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace BookFile {
namespace {
Stamp stampOf(const struct stat &st)
{
    return {uint64_t(st.st_dev), uint64_t(st.st_ino), uint64_t(st.st_size),
            int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}
} // namespace

bool Stamp::operator==(const Stamp &other) const
{
    return device == other.device && inode == other.inode && size == other.size && modified == other.modified;
}

Read read(const QString &path)
{
    Read read;
    const RegularFile file(QFile::encodeName(path).toStdString(), O_RDONLY);
    struct stat st;
    read.error = file.isOpen() && ::fstat(file.handle(), &st) != 0 ? errno : file.error();
    if (read.error)
        return read;
    read.stamp = stampOf(st);
    std::string bytes;
    for (char piece[1 << 16];;) {
        const ssize_t n = ::read(file.handle(), piece, sizeof piece);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            read.error = n < 0 ? errno : 0;
            break;
        }
        bytes.append(piece, size_t(n));
    }
    if (!read.error)
        read.book = ResultsBook::read(bytes.data(), bytes.size());
    return read;
}

Stamp stampOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? stampOf(st) : Stamp();
}

Update merge(const QString &path, std::vector<DrawResult> draws)
{
    Update update;
    update.read = read(path);
    if (update.read.error && update.read.error != ENOENT) {
        update.failure = QString::fromStdString(RegularFile::reason(update.read.error));
        return update;
    }
    update.merging = update.read.book.mergeAll(std::move(draws));
    if (!update.merging.changed())
        return update;
    QDir().mkpath(QFileInfo(path).absolutePath()); // the user's data folder may not be there yet
    if (TextFile::replaceWith(path, QByteArray::fromStdString(update.read.book.text()), update.failure))
        update.read.stamp = stampOf(path);
    return update;
}
} // namespace BookFile

#include "bookfile.h"

#include "files/inputfile.h"
#include "files/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace BookFile {
namespace {
std::string fileName(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// Why a lock could not be taken.
QString lockFailure(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host, program;
    switch (lock.error()) {
    case QLockFile::LockFailedError:
        if (lock.getLockInfo(&pid, &host, &program))
            return QStringLiteral("in use by %1, process %2 on %3").arg(program).arg(pid).arg(host);
        return QStringLiteral("in use by another program");
    case QLockFile::PermissionError:
        return QString::fromStdString(RegularFile::reason(EACCES));
    default:
        return QStringLiteral("its lock cannot be made");
    }
}

// Whether a merge only looks at what it would change, or writes the change.
enum class Merge { LookOnly, Write };

// Reads the book, merges `draws` into it and, asked to, writes it if that changed it.
Update mergeOnce(const QString &path, const std::vector<DrawResult> &draws, Merge merge)
{
    Update update;
    update.read = read(path);
    if (update.read.error && update.read.error != ENOENT) {
        update.failure = reason(update.read.error);
        return update;
    }
    update.merging = update.read.book.mergeAll(draws);
    if (merge == Merge::LookOnly || !update.merging.changed())
        return update;
    const std::string text = update.read.book.text();
    if (text.size() > mostBytes)
        update.failure = QString::fromStdString(RegularFile::reason(EFBIG));
    else if (TextFile::replaceWith(path, QByteArray::fromStdString(text), update.failure))
        update.read.identity = FileIdentity::of(fileName(path));
    return update;
}
// Whether the file's first lines make a book, or it has none. A book's
// records come first (what it cannot read it keeps after them), so a file
// that is none, such as a master log of hundreds of megabytes given as the
// book, is known as such from its head, and not read on. 0, or why not.
int readHead(const RegularFile &file, bool &isBook)
{
    char head[1 << 16];
    const ssize_t n = file.readAt(head, sizeof head, 0);
    if (n < 0)
        return errno;
    size_t whole = size_t(n); // lines, not a piece of one, unless the file ends there
    if (whole == sizeof head) {
        const void *lf = ::memrchr(head, '\n', whole);
        whole = lf ? size_t(static_cast<const char *>(lf) - head) + 1 : 0;
    }
    isBook = (whole > 0 || size_t(n) < sizeof head) && ResultsBook::read(head, whole).isBook();
    return 0;
}
} // namespace

Read read(const QString &path)
{
    Read read;
    const RegularFile file(fileName(path), O_RDONLY);
    read.error = file.isOpen() ? file.identify(read.identity) : file.error();
    bool isBook = true;
    if (!read.error)
        read.error = readHead(file, isBook);
    if (!read.error && !isBook)
        read.error = notABook;
    std::string bytes;
    if (!read.error)
        read.error = InputFile::readAll(file, bytes, mostBytes);
    if (!read.error)
        read.book = ResultsBook::read(bytes.data(), bytes.size());
    if (!read.error && !read.book.isBook())
        read.error = notABook;
    return read;
}

QString reason(int error)
{
    return error == notABook ? QStringLiteral("not a results book") : QString::fromStdString(RegularFile::reason(error));
}

Update merge(const QString &path, std::vector<DrawResult> draws)
{
    if (path.isEmpty()) { // a copy with no folder for its files
        Update none;
        none.read.error = ENOENT;
        none.failure = QStringLiteral("there is no folder for it");
        return none;
    }
    // Most imports bring nothing new: only a change takes the lock, and then
    // reads the book again under it.
    Update update = mergeOnce(path, draws, Merge::LookOnly);
    if (!update.failure.isEmpty() || !update.merging.changed())
        return update;
    QDir().mkpath(QFileInfo(path).absolutePath()); // the user's data folder may not be there yet
    // Beside the book, so that copies on other machines sharing its folder
    // see it too. One left by a copy that was killed is taken over.
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(lockWaitMsec)) {
        update.failure = lockFailure(lock);
        return update;
    }
    return mergeOnce(path, draws, Merge::Write);
}
} // namespace BookFile

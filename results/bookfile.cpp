#include "bookfile.h"

#include "files/sharedfile.h"

#include <QFile>

#include <cerrno>

namespace BookFile {
namespace {
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
    update.failure = SharedFile::write(path, update.read.book.text(), mostBytes);
    if (update.failure.isEmpty())
        update.read.identity = FileIdentity::of(QFile::encodeName(path).toStdString());
    return update;
}
} // namespace

Read read(const QString &path)
{
    Read read;
    read.error = SharedFile::readAs(path, mostBytes, &ResultsBook::read, &ResultsBook::isBook, read.book, read.identity);
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
    const SharedFile::Lock lock(path);
    if (!lock.isHeld()) {
        update.failure = lock.failure();
        return update;
    }
    return mergeOnce(path, draws, Merge::Write);
}
} // namespace BookFile

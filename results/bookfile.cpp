#include "bookfile.h"

#include "files/inputfile.h"
#include "files/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>

namespace BookFile {
Read read(const QString &path)
{
    Read read;
    const RegularFile file(QFile::encodeName(path).toStdString(), O_RDONLY);
    read.error = file.isOpen() ? file.identify(read.identity) : file.error();
    std::string bytes;
    if (!read.error)
        read.error = InputFile::readAll(file, bytes, SIZE_MAX);
    if (!read.error)
        read.book = ResultsBook::read(bytes.data(), bytes.size());
    return read;
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
        update.read.identity = FileIdentity::of(QFile::encodeName(path).toStdString());
    return update;
}
} // namespace BookFile

#include "bookkeeper.h"

#include "files/filewatch.h"
#include "files/inputfile.h"
#include "results/importfile.h"

#include <QFile>

#include <optional>

BookKeeper::BookKeeper(const QString &path, QObject *parent) : QObject(parent), path(path)
{
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &BookKeeper::load);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &BookKeeper::load);
    load();
}

// The book is read again only when its file changed: every save of the main
// window stirs the folder it is watched in.
void BookKeeper::load()
{
    watchFile(watcher, path);
    work.run([path = path, known = identity]() -> std::optional<BookFile::Read> {
        if (SharedFile::unchanged(path, known))
            return std::nullopt;
        return BookFile::read(path);
    }, [this](const std::optional<BookFile::Read> &read) {
        if (!read)
            return;
        identity = read->identity;
        emit bookRead(*read);
    }, Background::StandsIn);
}

void BookKeeper::record(const DrawResult &draw)
{
    work.run([path = path, draw] { return BookFile::merge(path, {draw}); }, [this](const BookFile::Update &update) {
        noteChange(update);
        emit changed(update, {}, {});
    });
}

namespace {
struct Imported
{
    int error = 0; // the result file could not be read
    BookFile::Update update;
    NumberList skippedRows, unreadablePrizes;
};
} // namespace

// The file is read, and the book read afresh, merged and written, behind
// the window's thread; one after another, as asked.
void BookKeeper::import(const QString &resultFile)
{
    work.run([resultFile, path = path]() -> Imported {
        std::string bytes;
        if (const int error = InputFile::readAll(QFile::encodeName(resultFile).toStdString(), bytes, InputFile::mostBytes))
            return {error, {}, {}, {}};
        const ImportFile file = ImportFile::read(bytes);
        return {0, BookFile::merge(path, file.draws), file.skippedRows, file.unreadablePrizes};
    }, [this, resultFile](const Imported &imported) {
        if (imported.error) {
            emit unreadable(resultFile, QString::fromStdString(RegularFile::reason(imported.error)));
            return;
        }
        noteChange(imported.update);
        emit changed(imported.update, imported.skippedRows, imported.unreadablePrizes);
    });
}

void BookKeeper::noteChange(const BookFile::Update &update)
{
    identity = update.read.identity;
    if (update.failure.isEmpty())
        return;
    identity.reset();
    load(); // what is on the disk
}

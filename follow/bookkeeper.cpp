#include "bookkeeper.h"

#include "files/filewatch.h"
#include "files/inputfile.h"
#include "results/importfile.h"

#include <QFile>

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
    const bool standsIn = true;
    work.run([path = path, known = identity, first = !everRead, this]() -> std::function<void()> {
        if (!first && FileIdentity::of(QFile::encodeName(path).toStdString()) == known)
            return [] {};
        return [this, read = BookFile::read(path)] {
            identity = read.identity;
            everRead = true;
            emit this->read(read);
        };
    }, standsIn);
}

void BookKeeper::record(const DrawResult &draw)
{
    work.run([path = path, draw, this]() -> std::function<void()> {
        return [this, update = BookFile::merge(path, {draw})] {
            took(update);
            emit changed(update, {}, {});
        };
    });
}

// The file is read, and the book read afresh, merged and written, behind
// the window's thread; one after another, as asked.
void BookKeeper::import(const QString &resultFile)
{
    work.run([resultFile, path = path, this]() -> std::function<void()> {
        std::string bytes;
        const int error = InputFile::readAll(QFile::encodeName(resultFile).toStdString(), bytes, InputFile::mostBytes);
        if (error)
            return [this, resultFile, why = QString::fromStdString(RegularFile::reason(error))] {
                emit unreadable(resultFile, why);
            };
        const ImportFile file = ImportFile::read(bytes);
        return [this, update = BookFile::merge(path, file.draws), rows = file.skippedRows,
                prizes = file.unreadablePrizes] {
            took(update);
            emit changed(update, rows, prizes);
        };
    });
}

void BookKeeper::took(const BookFile::Update &update)
{
    identity = update.read.identity;
    if (update.failure.isEmpty())
        return;
    everRead = false;
    load(); // what is on the disk
}

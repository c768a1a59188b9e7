#pragma once

#include "files/numberlist.h"
#include "results/bookfile.h"
#include "threads/background.h"

#include <QFileSystemWatcher>
#include <QObject>

#include <optional>

// Keeps the results book read behind the window's thread, and makes its
// changes there: each reads the book afresh, merges, and writes it, one after
// another, so that what another copy wrote is not lost. It follows the file:
// what any copy writes to it is read again. It reports by signals, on the
// window's thread.
class BookKeeper : public QObject
{
    Q_OBJECT
public:
    explicit BookKeeper(const QString &path, QObject *parent = nullptr);

    // Takes a draw typed in, or the draws of a result file, into the book.
    void record(const DrawResult &draw);
    void import(const QString &resultFile);

signals:
    // The book as it was read: whenever its file changed, and at first.
    void bookRead(const BookFile::Read &read);
    // What a change came to, with the book as it then stands; for an
    // import, the result file's rows that are no draw, and those with a
    // prize that cannot be read.
    void changed(const BookFile::Update &update, const NumberList &skippedRows, const NumberList &unreadablePrizes);
    // A result file that could not be read, and why, in the system's words.
    void unreadable(const QString &resultFile, const QString &why);

private:
    void load();
    void noteChange(const BookFile::Update &update);

    QString path;
    QFileSystemWatcher watcher;
    // Of the book's file as last read or written; none before it is first
    // read, or once a change failed.
    std::optional<FileIdentity> identity;
    Background work{this};
};

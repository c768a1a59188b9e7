#pragma once

#include "fetchrecord.h"

#include "files/numberlist.h"
#include "results/bookfile.h"
#include "threads/background.h"

#include <QObject>

#include <vector>

// What one fetch came to: how it ended, and for a file taken in, the
// import's report as --import has it.
struct Fetched
{
    QUrl source;
    Download download; // its body aside
    BookFile::Update update;
    NumberList skippedRows, unreadablePrizes;
    FetchRecord::Last last; // as now kept
};

// Fetches a result file into a book, as --import takes a file: read, then
// merged under the book's lock, behind the window's thread. What it tells
// of the source and the book's last fetch it keeps in the settings; a file
// refused leaves the book as it was, byte for byte.
class BookFetch : public QObject
{
    Q_OBJECT
public:
    BookFetch(const QString &book, Fetcher &fetcher, QObject *parent = nullptr);

    // Does nothing while a fetch is under way.
    void start(const QUrl &source);
    bool busy() const { return !source.isEmpty(); }
    // The clock a fetch's time is taken from: the system's unless set.
    void setClock(std::function<QDateTime()> now) { clock = std::move(now); }

signals:
    void finished(const Fetched &fetched);
    // The draws this fetch brought into the book, in number order: what the
    // tickets are tried against.
    void drawsEntered(const std::vector<DrawResult> &draws);

private:
    void got(const Download &download);
    void end(Fetched fetched, const std::vector<DrawResult> &entered);

    QString book;
    Fetcher &fetcher;
    QUrl source; // of the fetch under way
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    Background work{this};
};

#pragma once

#include "bookfetch.h"

#include "platform/pacer.h"
#include "threads/background.h"

#include <QObject>

#include <memory>

class QLockFile;

// Fetches into the book by itself, when Schedule says, from the source set
// (none set: never). Only one copy of the program keeps the schedule: the
// one holding the lock beside the book for as long as it runs; the others
// fetch only when asked. The book is read and the lock taken behind the
// window's thread.
class FetchScheduler : public QObject
{
    Q_OBJECT
public:
    FetchScheduler(const QString &book, BookFetch &fetch, Pacer &pacer, QObject *parent = nullptr);
    ~FetchScheduler() override;

    // Takes the lock, and with it the schedule, when a source is set; call
    // it again once one is.
    void start();
    bool keepsSchedule() const { return keeping; }
    // Looks again at once: after the source was set, say.
    void plan();

signals:
    // The schedule taken (or not, another copy keeping it).
    void started(bool keepsSchedule);
    // When the next fetch is due, as now planned; invalid for none.
    void planned(const QDateTime &next);

private:
    void planWith(int newest);

    QString book;
    BookFetch &fetch;
    Pacer &pacer;
    std::unique_ptr<Timer> timer;
    std::shared_ptr<QLockFile> lock;
    bool keeping = false;
    Background work{this};
};

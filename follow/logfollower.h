#pragma once

#include "history/logfile.h"
#include "stats/tally.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QPromise>

#include <atomic>
#include <memory>
#include <vector>

// Keeps the master log read: all of it at first, in the background, then
// what any save appends, from this copy or another. Whatever it reads, it
// only ever reads.
class LogFollower : public QObject
{
    Q_OBJECT
public:
    explicit LogFollower(const QString &path, QObject *parent = nullptr);
    // Stops a read under way at its next piece, without waiting for it: a
    // read stuck in the system must not hold up the window's closing.
    ~LogFollower() override;

    // Every drawn line once, by stamp and letter, with its last record.
    SettledLines lines() const { return settled; }
    // The tally of all lines, with no draw.
    const Tally &tally() const { return wholeTally; }
    // The unreadable lines, by line number.
    const NumberList &skipped() const { return skippedLines; }
    bool missing() const { return logMissing; }
    bool failed() const { return logFailed; }
    // Why the log cannot be read, in the system's words.
    QString failure() const { return why; }
    bool loading() const { return underWay; }

signals:
    // The newest lines, from the log's end, while the whole is still read.
    void newest(SettledLines lines);
    void progress(qint64 done, qint64 total);
    // lines() and all the rest are up to date.
    void changed();

private:
    // Where the reading stands: the job's alone while it runs, and shared
    // with it, so that one that never ends can be left behind.
    struct Reading
    {
        LogFile::Position position;
        std::atomic_bool cancel{false};
    };
    // What a read tells as it goes: the newest lines, while the rest is
    // read; then how far it has come.
    struct News
    {
        SettledLines newest;
        qint64 done = 0, total = 0;
    };
    // What a read found.
    struct Found
    {
        LogFile::Result result;
        SettledLines lines;
        Tally tally;
    };

    void readOn();
    static Found read(const std::string &file, Reading &reading, QPromise<News> &news, SettledLines lines, Tally tally);
    void take(const Found &found);

    QString path;
    QFileSystemWatcher watcher;
    std::shared_ptr<Reading> reading = std::make_shared<Reading>();
    bool underWay = false, again = false;

    // What the window sees, brought over once a read is done.
    SettledLines settled = std::make_shared<const std::vector<LoggedLine>>();
    Tally wholeTally;
    NumberList skippedLines;
    bool logMissing = false, logFailed = false, readOnce = false;
    QString why;
};

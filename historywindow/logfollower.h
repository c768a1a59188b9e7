#pragma once

#include "history/logfile.h"
#include "history/tally.h"

#include <QFileSystemWatcher>
#include <QObject>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using SettledLines = std::shared_ptr<const std::vector<LoggedLine>>;

// Keeps the master log read: all of it at first, in the background, then
// what any save appends, from this copy or another. Whatever it reads, it
// only ever reads.
class LogFollower : public QObject
{
    Q_OBJECT
public:
    explicit LogFollower(const QString &path, QObject *parent = nullptr);
    // Stops a read under way, at its next piece.
    ~LogFollower() override;

    // Every drawn line once, by stamp and letter, with its last record.
    SettledLines lines() const { return settled; }
    // The tally of all lines, with no draw.
    const Tally &tally() const { return wholeTally; }
    uint64_t skippedCount() const { return skipped; }
    // The first unreadable lines, by line number.
    const std::vector<uint64_t> &skippedLines() const { return firstSkipped; }
    bool missing() const { return logMissing; }
    bool failed() const { return logFailed; }
    bool loading() const { return worker.joinable(); }

signals:
    // The newest lines, from the log's end, while the whole is still read.
    void newest(SettledLines lines);
    void progress(qint64 done, qint64 total);
    // lines() and all the rest are up to date.
    void changed();

private:
    void readOn();
    void read(const std::string &file, SettledLines lines, Tally tally);
    void watch();

    QString path;
    QFileSystemWatcher watcher;
    std::thread worker;
    std::atomic_bool cancel{false};
    bool again = false;

    // Where the reading stands: the worker's alone while it runs.
    LogFile::Position logPosition;
    // What the window sees, brought over once a read is done.
    SettledLines settled = std::make_shared<const std::vector<LoggedLine>>();
    Tally wholeTally;
    uint64_t skipped = 0;
    std::vector<uint64_t> firstSkipped;
    bool logMissing = false, logFailed = false, readOnce = false;
};

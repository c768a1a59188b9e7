#include "logfollower.h"

#include "history/logfile.h"

#include <QFile>
#include <QFileInfo>

#include <chrono>

#include <sys/resource.h>
#include <unistd.h>

namespace {
// Enough of the log's end for a window of the newest lines.
constexpr size_t tailBytes = 64 * 1024;
} // namespace

LogFollower::LogFollower(const QString &path, QObject *parent) : QObject(parent), path(path)
{
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &LogFollower::readOn);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &LogFollower::readOn);
    watch();
    readOn();
}

LogFollower::~LogFollower()
{
    cancel = true;
    if (worker.joinable())
        worker.join();
}

// A log that does not exist yet is waited for in the nearest folder there is
// (the user's data folder is made at the first save); one replaced by
// another file drops out of the watch and is taken up again.
void LogFollower::watch()
{
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !watcher.files().contains(path))
        watcher.addPath(path);
    QString folder = QFileInfo(path).absolutePath();
    while (!QFileInfo(folder).isDir() && folder != QFileInfo(folder).absolutePath())
        folder = QFileInfo(folder).absolutePath();
    for (const QString &stale : watcher.directories())
        if (stale != folder)
            watcher.removePath(stale);
    if (!watcher.directories().contains(folder))
        watcher.addPath(folder);
}

void LogFollower::readOn()
{
    watch();
    if (worker.joinable()) { // one read at a time; this one goes on after it
        again = true;
        return;
    }
    const std::string file = QFile::encodeName(path).toStdString();
    worker = std::thread([this, file, before = settled, tally = wholeTally] { read(file, before, tally); });
}

// On the worker: reads what is new and hands the window what it then sees.
void LogFollower::read(const std::string &file, SettledLines lines, Tally tally)
{
    // Behind the window's thread and the display server: a draw keeps its pace.
    ::setpriority(PRIO_PROCESS, ::gettid(), 10);
    const auto post = [this](auto call) { QMetaObject::invokeMethod(this, call, Qt::QueuedConnection); };
    if (logPosition.reader.bytesFed() == 0 && !file.empty()) {
        SettledLines tail = std::make_shared<const std::vector<LoggedLine>>(LogFile::readTail(file, tailBytes));
        if (!tail->empty())
            post([this, tail] { emit newest(tail); });
    }
    // Ten times a second is enough for a progress bar, and spares the window.
    auto lastReport = std::chrono::steady_clock::now();
    const auto report = [&post, &lastReport, this](uint64_t done, uint64_t total) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastReport < std::chrono::milliseconds(100) && done < total)
            return;
        lastReport = now;
        post([this, done, total] { emit progress(qint64(done), qint64(total)); });
    };
    std::vector<LoggedLine> fresh;
    auto result = file.empty() ? LogFile::Result::Missing : LogFile::readMore(file, logPosition, fresh, cancel, report);
    if (result == LogFile::Result::Replaced || result == LogFile::Result::Missing) {
        logPosition = LogFile::Position();
        lines = std::make_shared<const std::vector<LoggedLine>>();
        fresh.clear();
        if (result == LogFile::Result::Replaced)
            result = LogFile::readMore(file, logPosition, fresh, cancel, report);
        tally = Tally();
    }
    if (result == LogFile::Result::Cancelled)
        return;
    if (!fresh.empty()) {
        lines = std::make_shared<const std::vector<LoggedLine>>(withNewer(*lines, std::move(fresh)));
        tally = tallyOf({lines->data(), lines->data() + lines->size()});
    }
    post([this, result, lines, tally, skippedCount = logPosition.reader.skippedCount(),
          skippedLines = logPosition.reader.skippedLines()] {
        worker.join();
        const bool missingNow = result == LogFile::Result::Missing, failedNow = result == LogFile::Result::Failed;
        const bool news = lines != settled || skippedCount != skipped || missingNow != logMissing
                          || failedNow != logFailed || !readOnce;
        readOnce = true;
        SettledLines before = std::exchange(settled, lines);
        wholeTally = tally;
        skipped = skippedCount;
        firstSkipped = skippedLines;
        logMissing = missingNow;
        logFailed = failedNow;
        if (news)
            emit changed();
        // The window has let go of the lines it showed: freeing millions of
        // them is left to a thread of its own, not the window's.
        if (before.use_count() == 1 && before->size() > 100000)
            std::thread([old = std::move(before)] {}).detach();
        if (std::exchange(again, false))
            readOn();
    });
}

#include "logfollower.h"

#include "files/filewatch.h"
#include "files/regularfile.h"
#include "history/logfile.h"

#include <QFile>

#include <chrono>

#include <sys/resource.h>
#include <unistd.h>

namespace {
// Enough of the log's end for a window of the newest lines.
constexpr size_t tailBytes = 64 * 1024;
} // namespace

LogFollower::LogFollower(const QString &path, QObject *parent)
    : QObject(parent), path(path), post(GuiPost::to(this, {}))
{
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &LogFollower::readOn);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &LogFollower::readOn);
    readOn();
}

LogFollower::~LogFollower()
{
    reading->cancel = true;
    if (worker.joinable())
        worker.detach();
}

void LogFollower::readOn()
{
    watchFile(watcher, path);
    if (worker.joinable()) { // one read at a time; this one goes on after it
        again = true;
        return;
    }
    worker = std::thread(&LogFollower::read, QFile::encodeName(path).toStdString(), reading, post, this, settled,
                         wholeTally);
}

// On the worker: reads what is new and hands the window what it then sees.
// It touches the follower only through `post`, which calls it while it lives.
void LogFollower::read(const std::string &file, const std::shared_ptr<Reading> &reading,
                       const std::shared_ptr<GuiPost> &post, LogFollower *follower, SettledLines lines, Tally tally)
{
    // Behind the window's thread and the display server: a draw keeps its pace.
    ::setpriority(PRIO_PROCESS, ::gettid(), 10);
    LogFile::Position &position = reading->position;
    if (position.reader.bytesFed() == 0 && !file.empty()) {
        SettledLines tail = std::make_shared<const std::vector<LoggedLine>>(LogFile::readTail(file, tailBytes));
        if (!tail->empty())
            post->call([follower, tail] { emit follower->newest(tail); });
    }
    // Ten times a second is enough for a progress bar, and spares the window.
    auto lastReport = std::chrono::steady_clock::now();
    const auto report = [&](uint64_t done, uint64_t total) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastReport < std::chrono::milliseconds(100) && done < total)
            return;
        lastReport = now;
        post->call([follower, done, total] { emit follower->progress(qint64(done), qint64(total)); });
    };
    std::vector<LoggedLine> fresh;
    const std::atomic_bool &cancel = reading->cancel;
    auto result = file.empty() ? LogFile::Result::Missing : LogFile::readMore(file, position, fresh, cancel, report);
    if (result == LogFile::Result::Replaced || result == LogFile::Result::Missing) {
        position = LogFile::Position();
        lines = std::make_shared<const std::vector<LoggedLine>>();
        fresh.clear();
        if (result == LogFile::Result::Replaced)
            result = LogFile::readMore(file, position, fresh, cancel, report);
        tally = Tally();
    }
    if (result == LogFile::Result::Cancelled)
        return;
    if (!fresh.empty()) {
        lines = std::make_shared<const std::vector<LoggedLine>>(withNewer(*lines, std::move(fresh)));
        tally = tallyOf({lines->data(), lines->data() + lines->size()});
    }
    post->call([follower, result, lines, tally] { follower->take(result, lines, tally); });
}

// On the window's thread, once a read is done.
void LogFollower::take(LogFile::Result result, SettledLines lines, const Tally &tally)
{
    worker.join();
    const LogReader &reader = reading->position.reader;
    const bool missingNow = result == LogFile::Result::Missing, failedNow = result == LogFile::Result::Failed;
    const QString whyNow = failedNow ? QString::fromStdString(RegularFile::reason(reading->position.error)) : QString();
    const bool news = lines != settled || reader.skipped() != skippedLines || missingNow != logMissing
                      || failedNow != logFailed || whyNow != why || !readOnce;
    readOnce = true;
    SettledLines before = std::exchange(settled, lines);
    wholeTally = tally;
    skippedLines = reader.skipped();
    logMissing = missingNow;
    logFailed = failedNow;
    why = whyNow;
    if (news)
        emit changed();
    // The window has let go of the lines it showed: freeing millions of
    // them is left to a thread of its own, not the window's.
    if (before.use_count() == 1 && before->size() > 100000)
        std::thread([old = std::move(before)] {}).detach();
    if (std::exchange(again, false))
        readOn();
}

#include "logfollower.h"

#include "files/filewatch.h"
#include "files/regularfile.h"
#include "history/logfile.h"
#include "threads/behindwindow.h"

#include <QFile>

#include <chrono>

namespace {
// Enough of the log's end for a window of the newest lines.
constexpr size_t tailBytes = 64 * 1024;
} // namespace

LogFollower::LogFollower(const QString &path, QObject *parent)
    : QObject(parent), path(path)
{
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &LogFollower::readOn);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &LogFollower::readOn);
    readOn();
}

LogFollower::~LogFollower()
{
    reading->cancel = true;
}

void LogFollower::readOn()
{
    watchFile(watcher, path);
    if (underWay) { // one read at a time; this one goes on after it
        again = true;
        return;
    }
    underWay = true;
    QPromise<News> news;
    BehindWindow::asReported(this, news.future(), [this](const News &told) {
        if (told.newest)
            emit newest(told.newest);
        else
            emit progress(told.done, told.total);
    });
    news.start();
    BehindWindow::whenDone(this, BehindWindow::run([file = QFile::encodeName(path).toStdString(), reading = reading,
                                                    news = std::move(news), lines = settled, tally = wholeTally]() mutable {
        const Found found = read(file, *reading, news, std::move(lines), std::move(tally));
        news.finish();
        return found;
    }), [this](const Found &found) { take(found); });
}

// On the pool: reads what is new, and tells the window what it then sees.
LogFollower::Found LogFollower::read(const std::string &file, Reading &reading, QPromise<News> &news,
                                     SettledLines lines, Tally tally)
{
    LogFile::Position &position = reading.position;
    if (position.reader.bytesFed() == 0 && !file.empty()) {
        SettledLines tail = std::make_shared<const std::vector<LoggedLine>>(LogFile::readTail(file, tailBytes));
        if (!tail->empty())
            news.addResult(News{tail});
    }
    // Ten times a second is enough for a progress bar, and spares the window.
    auto lastReport = std::chrono::steady_clock::now();
    const auto report = [&](uint64_t done, uint64_t total) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastReport < std::chrono::milliseconds(100) && done < total)
            return;
        lastReport = now;
        news.addResult(News{nullptr, qint64(done), qint64(total)});
    };
    std::vector<LoggedLine> fresh;
    const std::atomic_bool &cancel = reading.cancel;
    auto result = file.empty() ? LogFile::Result::Missing : LogFile::readMore(file, position, fresh, cancel, report);
    if (result == LogFile::Result::Replaced || result == LogFile::Result::Missing) {
        position = LogFile::Position();
        lines = std::make_shared<const std::vector<LoggedLine>>();
        fresh.clear();
        if (result == LogFile::Result::Replaced)
            result = LogFile::readMore(file, position, fresh, cancel, report);
        tally = Tally();
    }
    if (result != LogFile::Result::Cancelled && !fresh.empty()) {
        lines = std::make_shared<const std::vector<LoggedLine>>(withNewer(*lines, std::move(fresh)));
        tally = tallyOf({lines->data(), lines->data() + lines->size()});
    }
    return {result, lines, tally};
}

// On the window's thread, once a read is done.
void LogFollower::take(const Found &found)
{
    underWay = false;
    const auto &[result, lines, tally] = found;
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
        BehindWindow::run([old = std::move(before)] {});
    if (std::exchange(again, false))
        readOn();
}

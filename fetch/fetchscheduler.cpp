#include "fetchscheduler.h"

#include "fetchrecord.h"
#include "schedule.h"

#include <QLockFile>

#include <algorithm>

FetchScheduler::FetchScheduler(const QString &book, BookFetch &fetch, Pacer &pacer, QObject *parent)
    : QObject(parent), book(book), fetch(fetch), pacer(pacer), timer(pacer.makeTimer()),
      lock(std::make_shared<QLockFile>(book + QStringLiteral(".fetch.lock")))
{
    // Held for as long as the copy runs, however long: only a copy that is
    // gone (killed) leaves it to be taken over.
    lock->setStaleLockTime(0);
    timer->onTick = [this] {
        timer->setEnabled(false);
        plan();
    };
    connect(&fetch, &BookFetch::finished, this, [this] {
        if (keeping)
            plan();
    });
}

FetchScheduler::~FetchScheduler() = default;

void FetchScheduler::start()
{
    // With no source, nothing is ever fetched, and no lock is made either.
    if (book.isEmpty() || !Fetcher::takes(FetchRecord::source()))
        return;
    if (keeping) {
        plan();
        return;
    }
    work.run([lock = lock] { return lock->tryLock(0); }, [this](bool taken) {
        keeping = taken;
        emit started(keeping);
        if (keeping)
            plan();
    });
}

void FetchScheduler::plan()
{
    if (!keeping || fetch.busy())
        return;
    work.run([path = book] {
        const BookFile::Read read = BookFile::read(path);
        return read.book.draws().empty() ? 0 : read.book.draws().back().date;
    }, [this](int newest) { planWith(newest); }, Background::StandsIn);
}

void FetchScheduler::planWith(int newest)
{
    const QUrl source = FetchRecord::source();
    const QDateTime now = pacer.now();
    const QDateTime next = Fetcher::takes(source)
                               ? Schedule::nextFetch(now, newest, FetchRecord::last(book).when)
                               : QDateTime();
    emit planned(next);
    if (next.isValid() && next <= now) {
        fetch.start(source);
        return;
    }
    // Looked at again within the hour whatever is due: the clock may have
    // been put on, the machine asleep, or a source set.
    const qint64 wait = next.isValid() ? now.msecsTo(next) : Schedule::retryMsec;
    timer->setInterval(int(std::clamp<qint64>(wait, 1000, Schedule::retryMsec)));
    timer->setEnabled(true);
}

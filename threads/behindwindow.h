#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

class QThreadPool;

// Work behind the window's thread, on a pool of Qt's, and what it finds
// handed back to an object on its own thread while that object lives.
namespace BehindWindow {
// As many threads as there are jobs: a read stuck in a file system that
// never answers holds its own thread, never another job's. The program never
// waits for it: closing the window ends the program at once.
QThreadPool *pool();

// Puts the calling thread behind the window's thread and the display
// server: a draw keeps its pace. Once set it stays, so the pool's jobs all
// run behind, and only they call it.
void lowerPriority();

// Runs `job` on the pool, behind the window.
template <typename Job>
auto run(Job job)
{
    return QtConcurrent::run(pool(), [job = std::move(job)]() mutable {
        lowerPriority();
        return job();
    });
}

// Hands what `future` comes to to `take`, on `receiver`'s thread once it is
// done; never once the receiver has gone. (Qt 6.4's then() with a context
// looks at the context from the job's thread, where it may be going.)
template <typename T, typename Take>
void whenDone(QObject *receiver, const QFuture<T> &future, Take take)
{
    auto *watcher = new QFutureWatcher<T>(receiver);
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, [watcher, take = std::move(take)]() mutable {
        watcher->deleteLater();
        take(watcher->future().takeResult());
    });
    watcher->setFuture(future);
}

// Hands each result `future` reports to `take`, on `receiver`'s thread, as
// it comes; once the receiver has gone, the future is cancelled, so that a
// job that asks may stop.
template <typename T, typename Take>
void asReported(QObject *receiver, const QFuture<T> &future, Take take)
{
    auto *watcher = new QFutureWatcher<T>(receiver);
    QObject::connect(watcher, &QFutureWatcherBase::resultReadyAt, watcher,
                     [watcher, take = std::move(take)](int index) { take(watcher->resultAt(index)); });
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, &QObject::deleteLater);
    QObject::connect(watcher, &QObject::destroyed, [running = QFuture<T>(future)]() mutable { running.cancel(); });
    watcher->setFuture(future);
}
} // namespace BehindWindow

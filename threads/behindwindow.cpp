#include "behindwindow.h"

#include <QThreadPool>

#include <limits>

#include <sys/resource.h>
#include <unistd.h>

namespace BehindWindow {
QThreadPool *pool()
{
    // Never destroyed, so never waited for: QCoreApplication's end waits for
    // Qt's global pool, and a read that never returns would hold it forever.
    static QThreadPool *const jobs = [] {
        auto *pool = new QThreadPool;
        pool->setMaxThreadCount(std::numeric_limits<int>::max());
        return pool;
    }();
    return jobs;
}

void lowerPriority()
{
    // Qt's thread priorities do nothing under Linux's default scheduler.
    ::setpriority(PRIO_PROCESS, ::gettid(), 10);
}
} // namespace BehindWindow

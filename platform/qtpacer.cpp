#include "qtpacer.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>

class QtPacer::QtTimer : public Timer
{
public:
    explicit QtTimer(QtPacer &owner) : owner_(owner)
    {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            tick();
            ++owner_.ticks_;
        });
    }
    ~QtTimer() override
    {
        auto &all = owner_.timers_;
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
    }
    void halt() { timer_.stop(); }

private:
    void restart() override
    {
        if (running() && !owner_.stopping())
            timer_.start(interval());
        else
            timer_.stop();
    }

    QtPacer &owner_;
    QTimer timer_;
};

std::uint32_t QtPacer::tickCount() const
{
    // Milliseconds since boot, cut to 32 bits like the system's own counter.
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms);
}

QDateTime QtPacer::now() const
{
    return QDateTime::currentDateTime();
}

std::unique_ptr<Timer> QtPacer::makeTimer()
{
    auto timer = std::make_unique<QtTimer>(*this);
    timers_.push_back(timer.get());
    return timer;
}

void QtPacer::processEventsOnce()
{
    if (!stopping())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtPacer::handleEvents(int limitMsec)
{
    // A deadline timer wakes the wait when no tick does; a tick is seen as
    // the count of ticks moving on, whichever wait's handler it ran under.
    const std::uint64_t ticksBefore = ticks_;
    bool late = false;
    QTimer deadline;
    if (limitMsec >= 0) {
        deadline.setTimerType(Qt::PreciseTimer);
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [&late] { late = true; });
        deadline.start(limitMsec);
    }
    while (ticks_ == ticksBefore && !late && !stopping())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtPacer::beep()
{
    bell_.ring();
}

void QtPacer::reseedRandom()
{
    using namespace std::chrono;
    random_.seed(static_cast<std::mt19937::result_type>(
        system_clock::now().time_since_epoch().count()));
}

float QtPacer::nextRandom()
{
    // 24 random bits give every single-precision step in [0, 1), never 1.
    return static_cast<float>(random_() >> 8) / 16777216.0f;
}

void QtPacer::onShutDown()
{
    for (QtTimer *timer : timers_)
        timer->halt();
    // A wait blocked for events sees the stop once it is woken.
    if (auto *dispatcher = QCoreApplication::eventDispatcher())
        dispatcher->wakeUp();
}

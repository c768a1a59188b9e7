#include "virtualpacer.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {
constexpr qint64 never = std::numeric_limits<qint64>::max();
}

class VirtualPacer::VirtualTimer : public Timer
{
public:
    explicit VirtualTimer(VirtualPacer &owner) : owner_(owner) {}
    ~VirtualTimer() override
    {
        auto &all = owner_.timers_;
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
    }
    qint64 due() const { return due_; }
    void fire()
    {
        // Like a window timer, one tick is pending at most: a tick that comes
        // late does not queue up the ones it missed.
        due_ += interval();
        if (due_ <= owner_.now_)
            due_ = owner_.now_ + interval();
        tick();
    }
    void halt() { due_ = never; }

private:
    void restart() override { due_ = running() && !owner_.stopping() ? owner_.now_ + interval() : never; }

    VirtualPacer &owner_;
    qint64 due_ = never;
};

VirtualPacer::VirtualPacer(const QDateTime &wallStart, std::uint32_t startTick, unsigned seed)
    : wallStart_(wallStart), startTick_(startTick), random_(seed)
{
}

VirtualPacer::~VirtualPacer() = default;

std::uint32_t VirtualPacer::tickCount() const
{
    return startTick_ + static_cast<std::uint32_t>(now_);
}

QDateTime VirtualPacer::now() const
{
    return wallStart_.addMSecs(now_);
}

std::unique_ptr<Timer> VirtualPacer::makeTimer()
{
    auto timer = std::make_unique<VirtualTimer>(*this);
    timers_.push_back(timer.get());
    return timer;
}

void VirtualPacer::schedule(qint64 afterMsec, std::function<void()> action)
{
    actions_.emplace(now_ + afterMsec, std::move(action));
}

// Runs the earliest handler that is due now, if any.
bool VirtualPacer::fireDue()
{
    if (stopping())
        return false;
    VirtualTimer *first = nullptr;
    for (VirtualTimer *timer : timers_)
        if (timer->due() <= now_ && (!first || timer->due() < first->due()))
            first = timer;
    const bool actionDue = !actions_.empty() && actions_.begin()->first <= now_;
    if (actionDue && (!first || actions_.begin()->first <= first->due())) {
        auto action = std::move(actions_.begin()->second);
        actions_.erase(actions_.begin());
        action();
        return true;
    }
    if (first) {
        first->fire();
        return true;
    }
    return false;
}

qint64 VirtualPacer::nextDue() const
{
    qint64 next = actions_.empty() ? never : actions_.begin()->first;
    for (const VirtualTimer *timer : timers_)
        next = std::min(next, timer->due());
    return next;
}

void VirtualPacer::processEventsOnce()
{
    // Time does not move here, so this runs only what is due at this moment.
    while (fireDue()) {
    }
    QCoreApplication::sendPostedEvents();
}

void VirtualPacer::handleEvents(int limitMsec)
{
    if (fireDue())
        return;
    const qint64 next = std::min(nextDue(), limitMsec < 0 ? never : now_ + limitMsec);
    if (next == never)
        throw std::logic_error("virtual wait would never end: nothing is scheduled");
    // A test whose wait can never end fails here instead of spinning forever.
    if (next > 7LL * 24 * 3600 * 1000)
        throw std::logic_error("virtual clock ran a week: a wait that never ends?");
    now_ = next;
    fireDue();
}

void VirtualPacer::advance(qint64 msec)
{
    const qint64 end = now_ + msec;
    while (!stopping() && now_ < end)
        handleEvents(static_cast<int>(end - now_));
    while (fireDue()) {
    }
}

void VirtualPacer::beep()
{
    beeps_.push_back(now_);
}

void VirtualPacer::reseedRandom()
{
    // Deterministic on purpose: a test run goes the same way every time.
}

void VirtualPacer::scriptRandom(std::vector<float> values)
{
    script_.assign(values.begin(), values.end());
}

float VirtualPacer::nextRandom()
{
    ++randomTaken_;
    if (!script_.empty()) {
        const float r = script_.front();
        script_.pop_front();
        return r;
    }
    return static_cast<float>(random_() >> 8) / 16777216.0f;
}

void VirtualPacer::onShutDown()
{
    for (VirtualTimer *timer : timers_)
        timer->halt();
    actions_.clear();
}

#pragma once

#include <QDateTime>
#include <cstdint>
#include <functional>
#include <memory>

// A window timer: an interval in milliseconds and an enabled switch. Enabling
// (or changing the interval of) a running timer restarts its count, and a timer
// with interval 0 never ticks.
class Timer
{
public:
    virtual ~Timer() = default;

    void setInterval(int msec)
    {
        interval_ = msec;
        restart();
    }
    int interval() const { return interval_; }
    void setEnabled(bool on)
    {
        enabled_ = on;
        restart();
    }
    bool isEnabled() const { return enabled_; }

    // The tick handler, set by the part of the window that owns the timer.
    std::function<void()> onTick;

protected:
    bool running() const { return enabled_ && interval_ > 0; }
    // Starts counting the interval afresh, or stops when not running.
    virtual void restart() = 0;
    void tick()
    {
        if (onTick)
            onTick();
    }

private:
    int interval_ = 0;
    bool enabled_ = false;
};

// Everything the program knows of time passes through here: the 32-bit
// millisecond tick counter, the wall clock, the window timers, processing of
// pending events, the waits that keep the window alive, the beep and the random
// source. The program runs on QtPacer; tests run the same code on VirtualPacer,
// where a whole draw takes no real time and its pacing is exact.
class Pacer
{
public:
    virtual ~Pacer() = default;

    virtual std::uint32_t tickCount() const = 0;
    virtual QDateTime now() const = 0;

    virtual std::unique_ptr<Timer> makeTimer() = 0;

    // Runs every handler that is pending right now to its end, then returns.
    virtual void processEventsOnce() = 0;
    // Handles events until `msec` milliseconds have passed on the tick counter;
    // returns at once, handling nothing, for 0 or less. The count is taken
    // modulo 2^32, so a pause ends on time across the counter's sign change
    // and its wrap to 0.
    void sleepFor(int msec);
    // Handles events until `done` holds. It is looked at again after every
    // tick of a timer made here, the only handlers that may change it.
    void waitUntil(const std::function<bool()> &done);

    virtual void beep() = 0;
    virtual void reseedRandom() = 0;
    virtual float nextRandom() = 0; // 0 <= r < 1

    // The window is closing: every wait returns at once from now on, no timer
    // ticks again, and the handlers unwind without touching anything more.
    void shutDown()
    {
        stopping_ = true;
        onShutDown();
    }
    bool stopping() const { return stopping_; }

protected:
    // Handles events until a timer made here has ticked or `limitMsec` have
    // passed (no limit when negative).
    virtual void handleEvents(int limitMsec) = 0;
    virtual void onShutDown() = 0;

private:
    bool stopping_ = false;
};

#pragma once

#include "bell.h"
#include "pacer.h"

#include <random>
#include <vector>

// The pacer of the running program, on Qt's event loop. No wait spins: each
// one handles events, blocking while there are none, until its deadline or
// until a timer of the program has ticked, since only a tick can change what
// a wait is waiting for.
class QtPacer : public Pacer
{
public:
    std::uint32_t tickCount() const override;
    QDateTime now() const override;
    std::unique_ptr<Timer> makeTimer() override;
    void processEventsOnce() override;
    void beep() override;
    void reseedRandom() override;
    float nextRandom() override;

protected:
    void handleEvents(int limitMsec) override;
    void onShutDown() override;

private:
    class QtTimer;

    std::vector<QtTimer *> timers_;
    std::uint64_t ticks_ = 0;
    std::mt19937 random_;
    Bell bell_;
};

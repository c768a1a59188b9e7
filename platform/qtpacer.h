#pragma once

#include "pacer.h"

#include <QTimer>

#include <random>
#include <vector>

// The pacer of the running program, on Qt's event loop. No wait spins: each one
// blocks in the event dispatcher until an event or its own deadline arrives.
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
    QTimer wake_; // ends a blocked wait at its deadline
    std::mt19937 random_;
};

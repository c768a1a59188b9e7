#pragma once

#include "bell.h"
#include "pacer.h"

#include <QEventLoop>

#include <random>
#include <vector>

// The pacer of the running program, on Qt's event loop. No wait spins: each
// one is a nested event loop, like a modal dialog's, that ends at its deadline
// or when a timer of the program has ticked, since only a tick can change
// what a wait is waiting for.
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
    void wakeWaits();

    std::vector<QtTimer *> timers_;
    std::vector<QEventLoop *> waits_; // innermost last
    std::mt19937 random_;
    Bell bell_;
};

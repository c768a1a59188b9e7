#pragma once

#include "platform/pacer.h"

#include <deque>
#include <map>
#include <random>
#include <vector>

// A pacer on a virtual clock for tests. Time stands still while handlers run and
// jumps straight to the next timer tick or scheduled action inside a wait, so a
// draw of several seconds takes a few milliseconds and every interval is exact.
// Random values come from a seeded generator, or from a script when one is set.
class VirtualPacer : public Pacer
{
public:
    explicit VirtualPacer(const QDateTime &wallStart, std::uint32_t startTick = 1000000,
                          unsigned seed = 1);
    ~VirtualPacer() override;

    std::uint32_t tickCount() const override;
    QDateTime now() const override;
    std::unique_ptr<Timer> makeTimer() override;
    void processEventsOnce() override;
    void beep() override;
    void reseedRandom() override;
    float nextRandom() override;

    // Milliseconds of virtual time since the pacer was made.
    qint64 elapsed() const { return now_; }
    // Runs `action` as a pending event once `afterMsec` more milliseconds have
    // passed: the way a test presses a button in the middle of a draw.
    void schedule(qint64 afterMsec, std::function<void()> action);
    // Lets virtual time run for `msec`, handling every tick and action due.
    void advance(qint64 msec);
    // The random values to hand out before the seeded generator takes over.
    void scriptRandom(std::vector<float> values);

    const std::vector<qint64> &beeps() const { return beeps_; }
    int randomValuesTaken() const { return randomTaken_; }

protected:
    void handleEvents(int limitMsec) override;
    void onShutDown() override;

private:
    class VirtualTimer;
    bool fireDue();
    qint64 nextDue() const;

    QDateTime wallStart_;
    std::uint32_t startTick_;
    qint64 now_ = 0;
    std::vector<VirtualTimer *> timers_;
    std::multimap<qint64, std::function<void()>> actions_;
    std::vector<qint64> beeps_;
    std::deque<float> script_;
    std::mt19937 random_;
    int randomTaken_ = 0;
};

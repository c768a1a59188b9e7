#pragma once

#include "behindwindow.h"

#include <deque>
#include <functional>

// Runs jobs behind the window's thread one at a time, in the order asked,
// and hands what each returns to its taker on the receiver's thread while
// the receiver lives. It is to be a member of the receiver, which it lives
// no longer than. The job under way is not waited for when it goes: it ends
// on its own, and what it returns goes nowhere.
class Background
{
public:
    explicit Background(QObject *receiver) : receiver(receiver) {}

    enum Turn {
        InTurn,
        // Takes the place of the job before it, when that one still waits
        // its turn and stands in too: what is asked is to do over what was
        // asked before.
        StandsIn,
    };

    template <typename Job, typename Take>
    void run(Job job, Take take, Turn turn = InTurn)
    {
        queue([this, job = std::move(job), take = std::move(take)]() mutable {
            BehindWindow::whenDone(receiver, BehindWindow::run(std::move(job)), [this, take = std::move(take)](const auto &found) {
                take(found);
                startNext();
            });
        }, turn);
    }

private:
    void queue(std::function<void()> start, Turn turn);
    void startNext();

    QObject *receiver;
    bool running = false;
    struct Waiting
    {
        std::function<void()> start;
        Turn turn;
    };
    std::deque<Waiting> waiting;
};

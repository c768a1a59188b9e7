#pragma once

#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

// Hands text from a thread of its own to a function run on the GUI thread, by
// a queued call to a receiver, for as long as the receiver lives. Once it has
// gone (the window destroyed), text goes nowhere and the thread may stop.
class GuiPost
{
public:
    static std::shared_ptr<GuiPost> to(QObject *receiver, std::function<void(const QString &)> onGui);

    void post(const QString &text);
    // Waits `msec`, less if the receiver goes; whether it is still there.
    bool waitOpen(int msec);

private:
    GuiPost(QObject *receiver, std::function<void(const QString &)> onGui);

    std::mutex mutex;
    std::condition_variable gone;
    QObject *receiver; // null once destroyed
    std::function<void(const QString &)> onGui;
};

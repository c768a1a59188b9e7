#pragma once

#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

// Hands text (or any call) from a thread of its own to the GUI thread, by a
// queued call to a receiver, for as long as the receiver lives. Once it has
// gone (the window destroyed), it goes nowhere and the thread may stop.
class GuiPost
{
public:
    static std::shared_ptr<GuiPost> to(QObject *receiver, std::function<void(const QString &)> onGui);

    void post(const QString &text);
    // Runs `call` on the GUI thread, if the receiver is still there then.
    void call(std::function<void()> call);
    // Waits `msec`, less if the receiver goes; whether it is still there.
    bool waitOpen(int msec);

private:
    GuiPost(QObject *receiver, std::function<void(const QString &)> onGui);

    std::mutex mutex;
    std::condition_variable gone;
    QObject *receiver; // null once destroyed
    std::function<void(const QString &)> onGui;
};

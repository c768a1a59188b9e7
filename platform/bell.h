#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

// The draw's beep: the desktop sound theme's "bell" event, which the desktop's
// sound server plays, silent when the user has turned event sounds off. It is
// played on a thread of its own, started by the first ring, so a draw never
// waits for the sound server. Where no sound can be played while event sounds
// are on, the window system's bell rings instead.
class Bell
{
public:
    Bell() = default;
    Bell(const Bell &) = delete;
    Bell &operator=(const Bell &) = delete;
    ~Bell();

    void ring();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    int rings_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

#pragma once

#include <QThreadPool>

#include <memory>

// The draw's beep: the desktop sound theme's "bell" event, which the desktop's
// sound server plays, silent when the user has turned event sounds off. It is
// played on a thread of its own, one ring after another, so a draw never
// waits for the sound server. Where no sound can be played while event sounds
// are on, the window system's bell rings instead.
class Bell
{
public:
    Bell();
    Bell(const Bell &) = delete;
    Bell &operator=(const Bell &) = delete;
    // Rings not yet played are dropped: the program is ending.
    ~Bell();

    void ring();

private:
    class Sound;

    std::unique_ptr<Sound> sound_; // made by the first ring, on the sound's thread
    QThreadPool thread_;
};

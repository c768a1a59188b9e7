#include "background.h"

#include "guipost.h"

#include <thread>

Background::Background(QObject *receiver) : post(GuiPost::to(receiver, {})) {}

Background::~Background() = default;

void Background::run(Work work)
{
    if (running)
        next = std::move(work);
    else
        start(std::move(work));
}

void Background::start(Work work)
{
    running = true;
    std::thread([this, post = post, work = std::move(work)] {
        // `this` is only touched back on the GUI thread, where it lives as
        // long as the receiver does.
        post->call([this, done = work()] {
            done();
            running = false;
            if (next)
                start(std::exchange(next, {}));
        });
    }).detach();
}

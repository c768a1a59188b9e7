#include "background.h"

#include "guipost.h"

#include <thread>

#include <sys/resource.h>
#include <unistd.h>

Background::Background(QObject *receiver) : post(GuiPost::to(receiver, {})) {}

Background::~Background() = default;

void Background::run(Work work, bool standsIn)
{
    if (standsIn && !waiting.empty() && waiting.back().standsIn)
        waiting.back().work = std::move(work);
    else
        waiting.push_back({std::move(work), standsIn});
    if (!running)
        start();
}

void Background::start()
{
    running = true;
    std::thread([this, post = post, work = std::move(waiting.front().work)] {
        // Behind the window's thread and the display server: a draw keeps its pace.
        ::setpriority(PRIO_PROCESS, ::gettid(), 10);
        // `this` is only touched back on the GUI thread, where it lives as
        // long as the receiver does.
        post->call([this, done = work()] {
            done();
            running = false;
            if (!waiting.empty())
                start();
        });
    }).detach();
    waiting.pop_front();
}

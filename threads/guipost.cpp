#include "guipost.h"

#include <QObject>

#include <chrono>

GuiPost::GuiPost(QObject *receiver, std::function<void(const QString &)> onGui)
    : receiver(receiver), onGui(std::move(onGui))
{
}

std::shared_ptr<GuiPost> GuiPost::to(QObject *receiver, std::function<void(const QString &)> onGui)
{
    std::shared_ptr<GuiPost> post(new GuiPost(receiver, std::move(onGui)));
    // Run on the GUI thread as the receiver dies, before its queued calls are
    // dropped: a post either lands among them or is never made.
    QObject::connect(receiver, &QObject::destroyed, [post] {
        {
            std::lock_guard<std::mutex> lock(post->mutex);
            post->receiver = nullptr;
        }
        post->gone.notify_all();
    });
    return post;
}

void GuiPost::post(const QString &text)
{
    call([onGui = onGui, text] { onGui(text); });
}

void GuiPost::call(std::function<void()> call)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (receiver)
        QMetaObject::invokeMethod(receiver, std::move(call), Qt::QueuedConnection);
}

bool GuiPost::waitOpen(int msec)
{
    std::unique_lock<std::mutex> lock(mutex);
    return !gone.wait_for(lock, std::chrono::milliseconds(msec), [this] { return receiver == nullptr; });
}

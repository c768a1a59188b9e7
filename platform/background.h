#pragma once

#include <functional>
#include <memory>

class GuiPost;
class QObject;

// Runs work on a thread of its own, one piece at a time, and runs what the
// work hands back on the GUI thread while `receiver` lives. Work asked for
// while a piece runs waits its turn, and only the latest waits: what is
// asked is always to do over what came before. It is to be a member of the
// receiver, which it lives no longer than.
class Background
{
public:
    explicit Background(QObject *receiver);
    // The piece under way is not waited for: it ends on its own, and what it
    // hands back goes nowhere.
    ~Background();

    using Work = std::function<std::function<void()>()>;
    void run(Work work);
    bool busy() const { return running; }

private:
    void start(Work work);

    std::shared_ptr<GuiPost> post;
    bool running = false;
    Work next;
};

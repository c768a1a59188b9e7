#pragma once

#include <deque>
#include <functional>
#include <memory>

class GuiPost;
class QObject;

// Runs work on a thread of its own, one piece at a time and in the order
// asked, at a lower priority than the window's, and runs what each piece
// hands back on the GUI thread while `receiver` lives. It is to be a member
// of the receiver, which it lives no longer than.
class Background
{
public:
    explicit Background(QObject *receiver);
    // The piece under way is not waited for: it ends on its own, and what it
    // hands back goes nowhere.
    ~Background();

    using Work = std::function<std::function<void()>()>;
    // A piece that `stands in` for the one before it, when that one still
    // waits its turn and stands in too, takes its place: what is asked is to
    // do over what was asked before.
    void run(Work work, bool standsIn = false);

private:
    void start();

    std::shared_ptr<GuiPost> post;
    bool running = false;
    struct Piece
    {
        Work work;
        bool standsIn;
    };
    std::deque<Piece> waiting;
};

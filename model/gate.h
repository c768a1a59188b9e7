#pragma once

#include "formstate.h"

#include <functional>

// Whether a press may act now, decided here for every button and timer. The
// draw machine's waits run other handlers nested inside a draw, so a press can
// come at any moment: in a roll, in a hold, right after a draw.
class Gate
{
public:
    enum Press {
        Command, // Clear, Sort, Save, both prints, "deb": refused while a line draws
        Start,   // a line's START or the machine's own: refused while any draw runs
        Cycle,   // a tick of the repeat run: refused while any draw or cycle runs
    };

    explicit Gate(const FormState &state) : state(state) {}

    // True when the press may act. Before it does, every line still waiting
    // for its last mirror tick gets it, so that no line copies a draw, a sort
    // or a clear it did not start. (No line waits so while a draw runs: every
    // START, the draw's own included, gave the others their tick first.)
    bool admit(Press press);

    // Gives those lines their last mirror tick; set by the ticket lines.
    std::function<void()> finishMirrors;

private:
    const FormState &state;
};

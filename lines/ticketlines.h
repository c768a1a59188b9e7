#pragma once

#include "app/controls.h"
#include "app/formstate.h"
#include "draw/drawmachine.h"

// The five ticket lines A to E. A line's START runs one draw of the machine on
// the line's behalf; its mirror timer copies the machine's numbers and rolling
// button into the line every 50 ms until the first tick after the draw.
class TicketLines
{
public:
    TicketLines(Controls &ui, FormState &state, DrawMachine &machine);

    void CommandA_Click() { Command_Click(0); }
    void CommandB_Click() { Command_Click(1); }
    void CommandC_Click() { Command_Click(2); }
    void CommandD_Click() { Command_Click(3); }
    void CommandE_Click() { Command_Click(4); }

    void Command_Click(int line);
    void Timer_Timer(int line);

    // Gives every line whose mirror is still waiting for its last tick that
    // tick now, so a line never copies a draw, a sort or a clear it did not
    // start. Does nothing while a draw runs.
    void finishMirrors();

private:
    Controls &ui;
    FormState &st;
    DrawMachine &machine;
};

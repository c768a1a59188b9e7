#pragma once

#include "draw/drawmachine.h"
#include "model/controls.h"
#include "model/formstate.h"
#include "model/gate.h"

// The five ticket lines A to E. A line's START runs one draw of the machine on
// the line's behalf; its mirror timer copies the machine's numbers and rolling
// button into the line every 50 ms until the first tick after the draw.
class TicketLines
{
public:
    TicketLines(Controls &controls, FormState &state, Gate &gate, DrawMachine &machine);

    void CommandA_Click() { Command_Click(0); }
    void CommandB_Click() { Command_Click(1); }
    void CommandC_Click() { Command_Click(2); }
    void CommandD_Click() { Command_Click(3); }
    void CommandE_Click() { Command_Click(4); }

    void Command_Click(int line);
    void Timer_Timer(int line);

private:
    // Gives every line whose mirror still waits for its last tick that tick.
    void finishMirrors();

    Controls &controls;
    FormState &state;
    Gate &gate;
    DrawMachine &machine;
};

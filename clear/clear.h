#pragma once

#include "model/controls.h"
#include "model/formstate.h"
#include "model/gate.h"

// Clear: empties the five lines and every stamp and begins a new batch. It
// also stops a repeat run that waits for its next cycle.
class Clear
{
public:
    Clear(Controls &controls, FormState &state, Gate &gate);

    void CommandClr_Click();
    void ClearAll();

private:
    Controls &controls;
    FormState &state;
    Gate &gate;
};

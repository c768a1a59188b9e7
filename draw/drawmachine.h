#pragma once

#include "model/controls.h"
#include "model/formstate.h"
#include "model/gate.h"
#include "platform/pacer.h"

#include <cstdint>

// The draw machine: six distinct numbers from 1 to 43, each shown rolling on
// the machine's button, held half a second and settled into the next label
// with a beep. It lives in the hidden work area; the ticket lines mirror it.
class DrawMachine
{
public:
    DrawMachine(Controls &controls, FormState &state, Gate &gate, Pacer &pacer);

    // Runs one whole draw and returns when it is over.
    void CommandS_Click();
    void TimerS_Timer();
    void SubSleep(std::int16_t msec);

private:
    void draw();
    struct Candidate
    {
        int number;
        int remainder;
    };
    Candidate pickCandidate();

    Controls &controls;
    FormState &state;
    Pacer &pacer;
};

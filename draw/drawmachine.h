#pragma once

#include "app/controls.h"
#include "app/formstate.h"
#include "platform/pacer.h"

#include <cstdint>

// The draw machine: six distinct numbers from 1 to 43, each shown rolling on
// the machine's button, held half a second and settled into the next label
// with a beep. It lives in the hidden work area; the ticket lines mirror it.
class DrawMachine
{
public:
    DrawMachine(Controls &ui, FormState &state, Pacer &pacer);

    // Runs one whole draw and returns when it is over. Refused while a draw
    // runs, whoever started it: two draws would share the roll.
    void CommandS_Click();
    void TimerS_Timer();
    void SubSleep(std::int16_t msec);

    bool isDrawing() const { return drawing_; }

private:
    void draw();
    struct Candidate
    {
        int number;
        int remainder;
    };
    Candidate pickCandidate();

    Controls &ui;
    FormState &st;
    Pacer &pacer;
    bool drawing_ = false;
};

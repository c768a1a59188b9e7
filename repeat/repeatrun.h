#pragma once

#include "clear/clear.h"
#include "lines/ticketlines.h"
#include "log/drawlog.h"
#include "model/controls.h"
#include "model/formstate.h"
#include "model/gate.h"
#include "platform/pacer.h"
#include "sort/sorter.h"

// The hidden "deb" button's unattended run: every 1.2 s after the last cycle
// ended, clear, draw lines A to E with 300 ms after each, sort and save. Only
// a Clear between two cycles stops it.
class RepeatRun
{
public:
    struct Parts
    {
        Clear &clear;
        TicketLines &lines;
        Sorter &sorter;
        DrawLog &log;
    };

    RepeatRun(Controls &controls, FormState &state, Gate &gate, Pacer &pacer, Parts parts);

    void CommandDeb_Click();
    void TimerDeb_Timer();

private:
    void runCycle();

    Controls &controls;
    FormState &state;
    Gate &gate;
    Pacer &pacer;
    Parts parts;
};

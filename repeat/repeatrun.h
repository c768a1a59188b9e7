#pragma once

class Form1;
class Pacer;

// The hidden "deb" button's unattended run: every 1.2 s after the last cycle
// ended, clear, draw lines A to E with 300 ms after each, sort and save. Only
// a Clear between two cycles stops it.
class RepeatRun
{
public:
    RepeatRun(Form1 &form, Pacer &pacer);

    void CommandDeb_Click();
    void TimerDeb_Timer();

private:
    void runCycle();

    Form1 &form;
    Pacer &pacer;
    bool cycleRunning = false;
};

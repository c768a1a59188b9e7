#include "repeatrun.h"

#include <QPushButton>

namespace {
constexpr int cycleGap = 1200;
constexpr int lineGap = 300;
} // namespace

RepeatRun::RepeatRun(Controls &controls, FormState &state, Gate &gate, Pacer &pacer, Parts parts)
    : controls(controls), state(state), gate(gate), pacer(pacer), parts(parts)
{
    QObject::connect(controls.CommandDeb, &QPushButton::clicked, [this] { CommandDeb_Click(); });
    controls.TimerDeb->onTick = [this] { TimerDeb_Timer(); };
}

void RepeatRun::CommandDeb_Click()
{
    if (!gate.admit(Gate::Command))
        return;
    controls.TimerDeb->setInterval(cycleGap);
    controls.TimerDeb->setEnabled(true);
}

void RepeatRun::TimerDeb_Timer()
{
    // A tick that finds a cycle or a draw under way would run a cycle inside
    // it. The timer stays armed, so the run goes on afterwards.
    if (!gate.admit(Gate::Cycle))
        return;
    state.cycleRunning = true;
    runCycle();
    state.cycleRunning = false;
}

void RepeatRun::runCycle()
{
    parts.clear.ClearAll(); // also disarms TimerDeb for the length of the cycle
    for (int k = 0; k < 5; ++k) {
        parts.lines.Command_Click(k);
        // The pause lets the line's mirror take its last copy.
        pacer.sleepFor(lineGap);
        if (pacer.stopping())
            return; // the window is closing: nothing more is saved
    }
    parts.sorter.CommandSort_Click();
    parts.log.SaveDraws();
    controls.TimerDeb->setEnabled(true);
}

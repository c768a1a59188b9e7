#include "repeatrun.h"

#include "app/form1.h"

#include <QPushButton>

namespace {
constexpr int cycleGap = 1200;
constexpr int lineGap = 300;
} // namespace

RepeatRun::RepeatRun(Form1 &form, Pacer &pacer) : form(form), pacer(pacer)
{
    QObject::connect(form.ui.CommandDeb, &QPushButton::clicked, [this] { CommandDeb_Click(); });
    form.ui.TimerDeb->onTick = [this] { TimerDeb_Timer(); };
}

void RepeatRun::CommandDeb_Click()
{
    if (form.st.busyFlag != 0)
        return;
    form.ui.TimerDeb->setInterval(cycleGap);
    form.ui.TimerDeb->setEnabled(true);
}

void RepeatRun::TimerDeb_Timer()
{
    // A tick that finds a cycle or a draw under way would run a cycle inside
    // it. The timer stays armed, so the run goes on afterwards.
    if (cycleRunning || form.st.busyFlag != 0 || form.machine.isDrawing())
        return;
    cycleRunning = true;
    runCycle();
    cycleRunning = false;
}

void RepeatRun::runCycle()
{
    form.ClearAll(); // also disarms TimerDeb for the length of the cycle
    for (int k = 0; k < 5; ++k) {
        form.lines.Command_Click(k);
        // The pause lets the line's mirror take its last copy.
        form.machine.SubSleep(lineGap);
        if (pacer.stopping())
            return; // the window is closing: nothing more is saved
    }
    form.sorter.CommandSort_Click();
    form.log.SaveDraws();
    form.ui.TimerDeb->setEnabled(true);
}

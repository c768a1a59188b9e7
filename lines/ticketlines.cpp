#include "ticketlines.h"

#include "model/stamps.h"
#include "rules/game.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr int mirrorInterval = 50;
}

TicketLines::TicketLines(Controls &controls, FormState &state, Gate &gate, DrawMachine &machine)
    : controls(controls), state(state), gate(gate), machine(machine)
{
    for (int k = 0; k < 5; ++k) {
        QObject::connect(controls.lines[k].start, &QPushButton::clicked, [this, k] { Command_Click(k); });
        controls.lines[k].mirror->onTick = [this, k] { Timer_Timer(k); };
    }
    gate.finishMirrors = [this] { finishMirrors(); };
}

void TicketLines::Command_Click(int k)
{
    if (!gate.admit(Gate::Start))
        return;
    LineControls &line = controls.lines[k];
    state.busyFlag = k + 1;
    line.stamp->setText(Stamps::line(state.clockTime));
    for (QLabel *number : line.numbers)
        number->setText(QStringLiteral("  "));
    line.mirror->setInterval(mirrorInterval);
    line.mirror->setEnabled(true);
    machine.CommandS_Click();
}

void TicketLines::Timer_Timer(int k)
{
    LineControls &line = controls.lines[k];
    for (int i = 0; i < Game::picked; ++i)
        line.numbers[i]->setText(controls.LabelS[i]->text());
    line.start->setText(controls.CommandS->text());
    if (state.busyFlag == 0)
        line.mirror->setEnabled(false);
}

void TicketLines::finishMirrors()
{
    for (int k = 0; k < 5; ++k)
        if (controls.lines[k].mirror->isEnabled())
            Timer_Timer(k);
}

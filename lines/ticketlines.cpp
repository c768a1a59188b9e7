#include "ticketlines.h"

#include "app/stamps.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr int mirrorInterval = 50;
}

TicketLines::TicketLines(Controls &ui, FormState &state, DrawMachine &machine)
    : ui(ui), st(state), machine(machine)
{
    for (int k = 0; k < 5; ++k) {
        QObject::connect(ui.lines[k].start, &QPushButton::clicked, [this, k] { Command_Click(k); });
        ui.lines[k].mirror->onTick = [this, k] { Timer_Timer(k); };
    }
    // A press of the machine's own button is a draw no line has started.
    QObject::connect(ui.CommandS, &QPushButton::clicked, [this] {
        finishMirrors();
        this->machine.CommandS_Click();
    });
}

void TicketLines::Command_Click(int k)
{
    if (st.busyFlag != 0 || machine.isDrawing())
        return;
    finishMirrors();

    LineControls &line = ui.lines[k];
    st.busyFlag = k + 1;
    line.stamp->setText(Stamps::line(st.clockTime));
    for (QLabel *number : line.numbers)
        number->setText(QStringLiteral("  "));
    line.mirror->setInterval(mirrorInterval);
    line.mirror->setEnabled(true);
    machine.CommandS_Click();
}

void TicketLines::Timer_Timer(int k)
{
    LineControls &line = ui.lines[k];
    for (int i = 0; i < 6; ++i)
        line.numbers[i]->setText(ui.LabelS[i]->text());
    line.start->setText(ui.CommandS->text());
    if (st.busyFlag == 0)
        line.mirror->setEnabled(false);
}

void TicketLines::finishMirrors()
{
    if (st.busyFlag != 0 || machine.isDrawing())
        return;
    for (int k = 0; k < 5; ++k)
        if (ui.lines[k].mirror->isEnabled())
            Timer_Timer(k);
}

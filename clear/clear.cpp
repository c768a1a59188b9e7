#include "clear.h"

#include <QLabel>
#include <QPushButton>

Clear::Clear(Controls &controls, FormState &state, Gate &gate)
    : controls(controls), state(state), gate(gate)
{
    QObject::connect(controls.CommandClr, &QPushButton::clicked, [this] { CommandClr_Click(); });
}

void Clear::CommandClr_Click()
{
    ClearAll();
}

void Clear::ClearAll()
{
    if (!gate.admit(Gate::Command))
        return;
    for (LineControls &line : controls.lines)
        line.mirror->setEnabled(false);
    controls.TimerDeb->setEnabled(false);
    state.batchStamped = 0;
    controls.LabelSN->clear();
    controls.LabelSN0->clear();
    for (LineControls &line : controls.lines)
        line.stamp->clear();
    for (LineControls &line : controls.lines)
        for (QLabel *number : line.numbers)
            number->clear();
}

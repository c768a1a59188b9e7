#include "drawmachine.h"

#include "model/stamps.h"
#include "rules/game.h"
#include "pick.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <array>

namespace {
constexpr int rollInterval = 50;
constexpr int holdMsec = 500;
const QString awaiting = QStringLiteral("  ");
const QString idleCaption = QStringLiteral("START");
} // namespace

DrawMachine::DrawMachine(Controls &controls, FormState &state, Gate &gate, Pacer &pacer)
    : controls(controls), state(state), pacer(pacer)
{
    controls.TimerS->onTick = [this] { TimerS_Timer(); };
    // A press of the machine's own button is a draw that no line started.
    QObject::connect(controls.CommandS, &QPushButton::clicked, [this, &gate] {
        if (gate.admit(Gate::Start))
            CommandS_Click();
    });
}

void DrawMachine::CommandS_Click()
{
    state.drawing = true;
    draw();
    state.drawing = false;
}

void DrawMachine::draw()
{
    std::array<int, 7> drawnNumbers{}; // positions 1 to 6
    for (QLabel *label : controls.LabelS)
        label->setText(awaiting);
    state.drawTarget = 0;
    state.rollValue = 0;

    if (state.batchStamped == 0) {
        state.batchStamped = 1;
        controls.LabelSN->setText(Stamps::batch(state.clockTime));
        controls.LabelSN0->setText(Stamps::batchFileName(state.clockTime));
    }

    controls.TimerS->setInterval(rollInterval);
    controls.TimerS->setEnabled(true);
    pacer.processEventsOnce();
    pacer.reseedRandom();
    pacer.beep();

    for (state.drawIndex = 1; state.drawIndex <= Game::picked; ++state.drawIndex) {
        const int position = state.drawIndex;
        Candidate pick = pickCandidate();
        // A duplicate never reaches the screen: wait its tick remainder while the
        // roll goes on, then pick afresh.
        while (std::find(drawnNumbers.begin() + 1, drawnNumbers.begin() + position, pick.number)
               != drawnNumbers.begin() + position) {
            SubSleep(static_cast<std::int16_t>(pick.remainder));
            if (pacer.stopping())
                return;
            pick = pickCandidate();
        }
        drawnNumbers[position] = pick.number;

        state.drawTarget = pick.number;
        pacer.waitUntil([this] { return state.drawTarget == 0; });
        if (pacer.stopping())
            return;
        controls.LabelS[position - 1]->setText(QString::number(pick.number));
        pacer.beep();
    }

    SubSleep(holdMsec);
    if (pacer.stopping())
        return;
    controls.CommandS->setText(idleCaption);
    pacer.beep();
    state.busyFlag = 0;
}

DrawMachine::Candidate DrawMachine::pickCandidate()
{
    const Pick::ClockFields fields = Pick::clockFields(state.clockTime);
    const int remainder = Pick::tickRemainder(pacer.tickCount());
    const std::int16_t range = Pick::drawRange(fields, remainder);
    return {Pick::candidate(range, pacer.nextRandom()), remainder};
}

void DrawMachine::TimerS_Timer()
{
    if (++state.rollValue > Game::highest)
        state.rollValue = 1;
    controls.CommandS->setText(QString::number(state.rollValue));

    if (state.drawTarget > 0 && state.rollValue == state.drawTarget) {
        controls.TimerS->setEnabled(false);
        state.drawTarget = 0;
        pacer.processEventsOnce();
        SubSleep(holdMsec); // the button keeps showing the number
        if (pacer.stopping())
            return;
        // After the sixth number the roll stays stopped.
        if (state.drawIndex != Game::picked)
            controls.TimerS->setEnabled(true);
    }
}

void DrawMachine::SubSleep(std::int16_t msec)
{
    pacer.sleepFor(msec);
}

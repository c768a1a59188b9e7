#include "drawmachine.h"

#include "app/stamps.h"
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

DrawMachine::DrawMachine(Controls &ui, FormState &state, Pacer &pacer)
    : ui(ui), st(state), pacer(pacer)
{
    ui.TimerS->onTick = [this] { TimerS_Timer(); };
}

void DrawMachine::CommandS_Click()
{
    if (drawing_)
        return;
    drawing_ = true;
    draw();
    drawing_ = false;
}

void DrawMachine::draw()
{
    std::array<int, 7> drawnNumbers{}; // positions 1 to 6
    for (QLabel *label : ui.LabelS)
        label->setText(awaiting);
    st.drawTarget = 0;
    st.rollValue = 0;

    if (st.batchStamped == 0) {
        st.batchStamped = 1;
        ui.LabelSN->setText(Stamps::batch(st.clockTime));
        ui.LabelSN0->setText(Stamps::batchFileName(st.clockTime));
    }

    ui.TimerS->setInterval(rollInterval);
    ui.TimerS->setEnabled(true);
    pacer.processEventsOnce();
    pacer.reseedRandom();
    pacer.beep();

    for (st.drawIndex = 1; st.drawIndex <= 6; ++st.drawIndex) {
        const int position = st.drawIndex;
        Candidate pick = pickCandidate();
        // A repeat never reaches the screen: wait its tick remainder while the
        // roll goes on, then pick afresh.
        while (std::find(drawnNumbers.begin() + 1, drawnNumbers.begin() + position, pick.number)
               != drawnNumbers.begin() + position) {
            SubSleep(static_cast<std::int16_t>(pick.remainder));
            if (pacer.stopping())
                return;
            pick = pickCandidate();
        }
        drawnNumbers[position] = pick.number;

        st.drawTarget = pick.number;
        pacer.waitUntil([this] { return st.drawTarget == 0; });
        if (pacer.stopping())
            return;
        ui.LabelS[position - 1]->setText(QString::number(pick.number));
        pacer.beep();
    }

    SubSleep(holdMsec);
    if (pacer.stopping())
        return;
    ui.CommandS->setText(idleCaption);
    pacer.beep();
    st.busyFlag = 0;
}

DrawMachine::Candidate DrawMachine::pickCandidate()
{
    const Pick::ClockFields fields = Pick::clockFields(st.clockTime);
    const int remainder = Pick::tickRemainder(pacer.tickCount());
    const std::int16_t range = Pick::drawRange(fields, remainder);
    return {Pick::candidate(range, pacer.nextRandom()), remainder};
}

void DrawMachine::TimerS_Timer()
{
    if (++st.rollValue > Pick::highest)
        st.rollValue = 1;
    ui.CommandS->setText(QString::number(st.rollValue));

    if (st.drawTarget > 0 && st.rollValue == st.drawTarget) {
        ui.TimerS->setEnabled(false);
        st.drawTarget = 0;
        pacer.processEventsOnce();
        SubSleep(holdMsec); // the button keeps showing the number
        if (pacer.stopping())
            return;
        // After the sixth number the roll stays stopped.
        if (st.drawIndex != 6)
            ui.TimerS->setEnabled(true);
    }
}

void DrawMachine::SubSleep(std::int16_t msec)
{
    pacer.sleepFor(msec);
}

#include "sortnumbers.h"

#include "lines/ticketlines.h"

#include <QLabel>
#include <QPushButton>

#include <limits>

namespace {
// One more than any drawn number: where each minimum search starts, and the
// mark of an element already taken.
constexpr std::int16_t taken = 44;
}

std::int16_t captionValue(const QString &caption)
{
    const QString text = caption.trimmed();
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < std::numeric_limits<std::int16_t>::min()
        || value > std::numeric_limits<std::int16_t>::max())
        return 0;
    return static_cast<std::int16_t>(value);
}

Sorter::Sorter(Controls &ui, FormState &state, TicketLines &lines) : ui(ui), st(state), lines(lines)
{
    QObject::connect(ui.CommandSort, &QPushButton::clicked, [this] { CommandSort_Click(); });
}

void Sorter::CommandSort_Click()
{
    if (st.busyFlag != 0)
        return;
    // A line still waiting for its last mirror tick would copy the scratch
    // labels ("44") over its sorted numbers: give it that tick now.
    lines.finishMirrors();
    for (LineControls &line : ui.lines) {
        for (int k = 0; k < 6; ++k)
            ui.LabelS[k]->setText(line.numbers[k]->text());
        SortNumbers();
        for (int k = 0; k < 6; ++k)
            line.numbers[k]->setText(ui.NumberLabelS[k]->text());
    }
}

void Sorter::SortNumbers()
{
    for (int i = 0; i < 6; ++i) {
        std::int16_t best = taken;
        for (int j = 0; j < 6; ++j) {
            const std::int16_t v = captionValue(ui.LabelS[j]->text());
            if (best > v) {
                bestPos = j;
                best = v;
            }
        }
        ui.NumberLabelS[i]->setText(best == 0 ? QStringLiteral("  ") : QString::number(best));
        ui.LabelS[bestPos]->setText(QString::number(taken));
    }
}

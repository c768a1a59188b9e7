#include "sorter.h"

#include "rules/game.h"

#include <QLabel>
#include <QPushButton>

#include <limits>

namespace {
// One more than any drawn number: where each minimum search starts, and the
// mark of an element already taken.
constexpr std::int16_t taken = Game::highest + 1;
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

Sorter::Sorter(Controls &controls, Gate &gate) : controls(controls), gate(gate)
{
    QObject::connect(controls.CommandSort, &QPushButton::clicked, [this] { CommandSort_Click(); });
}

void Sorter::CommandSort_Click()
{
    if (!gate.admit(Gate::Command))
        return;
    for (LineControls &line : controls.lines) {
        for (int k = 0; k < Game::picked; ++k)
            controls.LabelS[k]->setText(line.numbers[k]->text());
        SortNumbers();
        for (int k = 0; k < Game::picked; ++k)
            line.numbers[k]->setText(controls.NumberLabelS[k]->text());
    }
}

void Sorter::SortNumbers()
{
    for (int i = 0; i < Game::picked; ++i) {
        std::int16_t best = taken;
        for (int j = 0; j < Game::picked; ++j) {
            const std::int16_t v = captionValue(controls.LabelS[j]->text());
            if (best > v) {
                bestPos = j;
                best = v;
            }
        }
        controls.NumberLabelS[i]->setText(best == 0 ? QStringLiteral("  ") : QString::number(best));
        controls.LabelS[bestPos]->setText(QString::number(taken));
    }
}

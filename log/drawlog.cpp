#include "drawlog.h"

#include "platform/textfile.h"
#include "records.h"

#include <QLabel>
#include <QPushButton>

const QString DrawLog::masterLogName = QStringLiteral("KelpLog.csv");

DrawLog::DrawLog(Controls &controls, FormState &state, Gate &gate, TellUser tellUser)
    : controls(controls), state(state), gate(gate), tellUser(std::move(tellUser))
{
    QObject::connect(controls.CommandSave, &QPushButton::clicked, [this] { CommandSave_Click(); });
}

void DrawLog::CommandSave_Click()
{
    if (gate.admit(Gate::Command))
        SaveDraws();
}

void DrawLog::SaveDraws()
{
    for (int k = 0; k < 5; ++k) {
        const LineControls &line = controls.lines[k];
        if (line.stamp->text().isEmpty()) {
            state.lineRecords[k].clear();
            continue;
        }
        QStringList numbers;
        for (const QLabel *number : line.numbers)
            numbers << number->text();
        state.lineRecords[k] = recordText(line.stamp->text(), QChar(line.letter), numbers);
    }

    QStringList failed;
    if (!AppendLogFile())
        failed << masterLogName;
    if (!WriteBatchFile())
        failed << controls.LabelSN0->text();
    if (!failed.isEmpty())
        tellUser(QStringLiteral("保存できませんでした: ") + failed.join(QStringLiteral(", ")));
}

namespace {
QStringList savedRecords(const FormState &state)
{
    QStringList records;
    for (int k = 0; k < 5; ++k)
        if (!state.lineRecords[k].isEmpty())
            records << state.lineRecords[k];
    return records;
}
} // namespace

bool DrawLog::AppendLogFile()
{
    return TextFile::appendLines(state.appFolder + masterLogName, savedRecords(state));
}

bool DrawLog::WriteBatchFile()
{
    // No batch has begun: nothing to write, and nothing failed.
    if (controls.LabelSN->text().isEmpty())
        return true;
    return TextFile::replaceWithLines(state.appFolder + controls.LabelSN0->text(),
                                      QStringList{controls.LabelSN->text()} + savedRecords(state));
}

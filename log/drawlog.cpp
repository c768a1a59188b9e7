#include "drawlog.h"

#include "files/textfile.h"
#include "records.h"

#include <QDir>
#include <QLabel>
#include <QRegularExpression>
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

    if (state.appFolder.isEmpty()) {
        tellUser(QStringLiteral("保存できませんでした: 保存先のフォルダがわかりません"));
        return;
    }
    QDir().mkpath(state.appFolder); // the user's data folder may not be there yet
    // Each file on its own: one that fails leaves the other to be written.
    QStringList failed;
    QString why;
    if (!AppendLogFile(why))
        failed << QStringLiteral("%1 (%2)").arg(masterLogName, why);
    if (!WriteBatchFile(why))
        failed << QStringLiteral("%1 (%2)").arg(controls.LabelSN0->text(), why);
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

// A save cut off between writing the new batch file beside its name and
// renaming it over the old one leaves that copy behind: the batch file's name,
// a dot and six letters or digits. Nothing else in the folder is ours to remove.
void DrawLog::RemoveLeftovers()
{
    static const QRegularExpression ours(QStringLiteral("^\\d{6}_\\d{4}\\.csv\\.[A-Za-z0-9]{6}$"));
    QDir folder(state.appFolder);
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (ours.match(name).hasMatch())
            folder.remove(name);
}

bool DrawLog::AppendLogFile(QString &why)
{
    return TextFile::appendLines(state.appFolder + masterLogName, savedRecords(state), why);
}

bool DrawLog::WriteBatchFile(QString &why)
{
    // No batch has begun: nothing to write, and nothing failed.
    if (controls.LabelSN->text().isEmpty())
        return true;
    return TextFile::replaceWithLines(state.appFolder + controls.LabelSN0->text(),
                                      QStringList{controls.LabelSN->text()} + savedRecords(state), why);
}

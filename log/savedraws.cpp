#include "savedraws.h"

#include "platform/textfile.h"
#include "records.h"

#include <QLabel>
#include <QPushButton>

const QString DrawLog::masterLogName = QStringLiteral("KelpLog.csv");

DrawLog::DrawLog(Controls &ui, FormState &state, std::function<void(const QString &)> notify)
    : ui(ui), st(state), notify(std::move(notify))
{
    QObject::connect(ui.CommandSave, &QPushButton::clicked, [this] { CommandSave_Click(); });
}

void DrawLog::CommandSave_Click()
{
    if (st.busyFlag != 0)
        return;
    SaveDraws();
}

void DrawLog::SaveDraws()
{
    for (int k = 0; k < 5; ++k) {
        const LineControls &line = ui.lines[k];
        if (line.stamp->text().isEmpty()) {
            st.lineRecords[k].clear();
            continue;
        }
        QStringList numbers;
        for (const QLabel *number : line.numbers)
            numbers << number->text();
        st.lineRecords[k] = recordText(line.stamp->text(), QChar(line.letter), numbers);
    }

    QStringList failed;
    if (!AppendLogFile())
        failed << masterLogName;
    if (!WriteBatchFile())
        failed << ui.LabelSN0->text();
    if (!failed.isEmpty())
        notify(QStringLiteral("保存できませんでした: ") + failed.join(QStringLiteral(", ")));
}

namespace {
QStringList savedRecords(const FormState &st)
{
    QStringList records;
    for (int k = 0; k < 5; ++k)
        if (!st.lineRecords[k].isEmpty())
            records << st.lineRecords[k];
    return records;
}
} // namespace

bool DrawLog::AppendLogFile()
{
    return TextFile::appendLines(st.appFolder + masterLogName, savedRecords(st));
}

bool DrawLog::WriteBatchFile()
{
    // No batch has begun: nothing to write, and nothing failed.
    if (ui.LabelSN->text().isEmpty())
        return true;
    return TextFile::replaceWithLines(st.appFolder + ui.LabelSN0->text(),
                                      QStringList{ui.LabelSN->text()} + savedRecords(st));
}

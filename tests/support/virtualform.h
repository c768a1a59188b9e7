#pragma once

#include "app/form1.h"
#include "platform/virtualpacer.h"
#include "recordingprinter.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

// The window on a virtual clock, in a program folder of its own. The clock
// starts at 09:05:03 on 6 December 2026 unless told otherwise.
struct VirtualForm
{
    explicit VirtualForm(const QDateTime &start = QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)),
                         std::uint32_t startTick = 1000000, unsigned seed = 1,
                         const QString &programFolder = QString(), Printer *realPrinter = nullptr)
        : pacer(start, startTick, seed),
          form(pacer, realPrinter ? *realPrinter : printer,
               programFolder.isEmpty() ? folder.path() : programFolder)
    {
    }
    explicit VirtualForm(const QString &programFolder)
        : VirtualForm(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)), 1000000, 1, programFolder)
    {
    }
    // Prints through `realPrinter` instead of recording.
    explicit VirtualForm(Printer &realPrinter)
        : VirtualForm(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)), 1000000, 1, QString(), &realPrinter)
    {
    }

    void setLine(int line, const QStringList &numbers, const QString &stamp = QString())
    {
        form.ui.lines[line].stamp->setText(stamp);
        for (int k = 0; k < 6; ++k)
            form.ui.lines[line].numbers[k]->setText(numbers[k]);
    }
    QStringList numbers(int line) const { return captions(form.ui.lines[line].numbers); }
    QStringList machine() const { return captions(form.ui.LabelS); }
    static QStringList captions(const std::array<QLabel *, 6> &labels)
    {
        QStringList texts;
        for (const QLabel *l : labels)
            texts << l->text();
        return texts;
    }

    QTemporaryDir folder;
    VirtualPacer pacer;
    RecordingPrinter printer;
    Form1 form;
};

#pragma once

#include "realfiles.h"

#include "app/form1.h"
#include "historywindow/historywindow.h"
#include "print/cups/qtprinter.h"
#include "virtualclock/virtualpacer.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QProcess>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QtTest>

#include <unistd.h>

// The window on a virtual clock, in a program folder of its own (or the one
// given; "" for none that can be told), from 09:05:03 on 6 December 2026 unless
// told otherwise. It prints into "print.pdf" there, or to the default queue.
struct VirtualForm
{
    explicit VirtualForm(QDateTime start = QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)),
                         quint32 startTick = 1000000, const QString &programFolder = {}, bool toQueue = false)
        : pacer(start, startTick), printer(toQueue ? QString() : folder.filePath("print.pdf")),
          form(pacer, printer, programFolder.isNull() ? folder.path() : programFolder)
    {
    }

    static constexpr int machine = 5;
    // The number captions of line 0 to 4 (A to E), or of the draw machine.
    QStringList numbers(int line) const
    {
        QStringList texts;
        for (const QLabel *l : line == machine ? form.controls.LabelS : form.controls.lines[line].numbers)
            texts << l->text();
        return texts;
    }
    QAbstractButton *button(const QString &name) { return form.findChild<QAbstractButton *>(name); }

    // Plays a scenario: "A" presses CommandA and lets 300 ms pass after its
    // draw (so do "B" to "E" and "S"), "Save" presses CommandSave; "+N" lets N ms
    // pass, "saved" until the files change; "N:step" plays a step N ms on.
    void play(const QString &steps)
    {
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step.contains(':')) {
                const QString later = step.section(':', 1);
                pacer.schedule(step.section(':', 0, 0).toInt(), [this, later] { play(later); });
            } else if (step.startsWith('+')) {
                pacer.advance(step.mid(1).toInt());
            } else if (step == "saved") {
                for (const QByteArray before = files(); files() == before;)
                    pacer.advance(10);
            } else {
                // A step that names no control is a slip in the test itself:
                // a QVERIFY here would only leave this function.
                if (!button("Command" + step))
                    qFatal("no control Command%s", qPrintable(step));
                button("Command" + step)->click();
                if (step.size() == 1)
                    pacer.advance(300);
            }
        }
    }

    // Every file of the program folder with its bytes, in name order.
    QByteArray files() const
    {
        QByteArray all;
        for (const QFileInfo &info : QDir(form.state.appFolder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QFile file(info.filePath());
            all += "== " + info.fileName().toUtf8() + "\n" + (file.open(QIODevice::ReadOnly) ? file.readAll() : "?");
        }
        return all;
    }

    QTemporaryDir folder;
    VirtualPacer pacer;
    QtPrinter printer;
    Form1 form;
};

// The history windows open.
inline QWidgetList histories()
{
    QWidgetList windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (qobject_cast<HistoryWindow *>(window))
            windows << window;
    return windows;
}

// What a window says in the line of text that assistive technology knows as `what`.
inline QString lineOf(const QWidget *window, const QString &what)
{
    for (const QLabel *label : window->findChildren<QLabel *>())
        if (label->accessibleDescription() == what)
            return label->text();
    return QString();
}

// A window's control that assistive technology knows as `name`.
template<typename Control = QWidget>
Control *named(const QWidget *window, const QString &name)
{
    for (Control *control : window->findChildren<Control *>())
        if (control->accessibleName() == name)
            return control;
    return nullptr;
}


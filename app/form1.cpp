#include "form1.h"

#include "appfolder.h"
#include "icon.h"
#include "stamps.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace {
const QString windowCaption = QStringLiteral("Drava   ver1.00 (C) 2026 the Drava makers");
}

Form1::Form1(Pacer &pacer, Printer &printer, const QString &startFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      ui(this, pacer), machine(ui, st, pacer), lines(ui, st, machine),
      notice(new Notice(this, pacer)), tell([this](const QString &text) { notice->show(text); }),
      sorter(ui, st, lines), log(ui, st, tell), repeat(*this, pacer),
      textPrintout(ui, st, printer, tell), screenPrint(this, ui, st, pacer, printer, tell),
      pacer(pacer), startFolder(startFolder)
{
    setObjectName("Form1");
    setWindowTitle(windowCaption);
    setWindowIcon(dravaIcon());
    setFixedSize(clientArea.size());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 255, 0));
    setPalette(p);

    ui.Timer1->onTick = [this] { Timer1_Timer(); };
    ui.Timer1->setInterval(1000);
    ui.Timer1->setEnabled(true);
    connect(ui.CommandClr, &QPushButton::clicked, this, &Form1::CommandClr_Click);

    Form_Load();
    ui.lines[0].start->setFocus();
}

void Form1::Form_Load()
{
    st.busyFlag = 0;
    st.batchStamped = 0;
    if (st.appFolder.isEmpty())
        st.appFolder = folderWithSeparator(startFolder);
    for (int i = 0; i <= 4; ++i)
        st.lineRecords[i].clear();
    ShowClock();
}

void Form1::Timer1_Timer()
{
    ShowClock();
}

void Form1::ShowClock()
{
    const QDateTime now = pacer.now();
    // Stamps are to the second; the milliseconds would only confuse comparisons.
    st.clockTime = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
    ui.DateLabel->setText(Stamps::date(st.clockTime));
    ui.TimeLabel->setText(Stamps::time(st.clockTime));
}

void Form1::CommandClr_Click()
{
    ClearAll();
}

void Form1::ClearAll()
{
    if (st.busyFlag != 0)
        return;
    // A line that has not had its last mirror tick gets it first, so its button
    // shows "START" again rather than the last number of its draw.
    lines.finishMirrors();
    for (LineControls &line : ui.lines)
        line.mirror->setEnabled(false);
    ui.TimerDeb->setEnabled(false);
    st.batchStamped = 0;
    ui.LabelSN->clear();
    ui.LabelSN0->clear();
    for (LineControls &line : ui.lines)
        line.stamp->clear();
    for (LineControls &line : ui.lines)
        for (QLabel *number : line.numbers)
            number->clear();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // A draw or a repeat cycle may be running below this event: stop every
    // wait and timer so those handlers unwind, and let the application quit.
    pacer.shutDown();
    event->accept();
}

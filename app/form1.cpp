#include "form1.h"

#include "accessibility.h"
#include "appfolder.h"
#include "icon.h"
#include "historywindow/historywindow.h"
#include "model/stamps.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

namespace {
const QString windowCaption = QStringLiteral("Drava   ver1.00 (C) 2026 the Drava makers");
}

Form1::Form1(Pacer &pacer, Printer &printer, const QString &saveFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      controls(this, pacer), gate(state), notice(new Notice(this, pacer)),
      tellUser([this](const QString &text) { notice->tell(text); }),
      machine(controls, state, gate, pacer), lines(controls, state, gate, machine),
      clear(controls, state, gate), sorter(controls, gate), log(controls, state, gate, tellUser),
      repeat(controls, state, gate, pacer, {clear, lines, sorter, log}),
      textPrintout(controls, gate, printer, tellUser),
      screenPrint(this, controls, gate, pacer, printer, tellUser), pacer(pacer), saveFolder(saveFolder)
{
    installCaptionAccessibility();
    setObjectName("Form1");
    setWindowTitle(windowCaption);
    setWindowIcon(dravaIcon());
    setFixedSize(clientArea.size());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 255, 0));
    setPalette(p);

    controls.Timer1->onTick = [this] { Timer1_Timer(); };
    controls.Timer1->setInterval(1000);
    controls.Timer1->setEnabled(true);

    // A print's later news comes while the window is open, never after.
    printer.setJobNews(this, [this](const QString &news) {
        if (isVisible())
            tellUser(news);
    });

    // The history is reached without a control of its own: the window stays as designed.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), this), &QShortcut::activated, this,
            &Form1::OpenHistory);
    // Shift+F10 opens the menu as the Menu key does, at the focused control.
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this), &QShortcut::activated, this, [this] {
        const QWidget *focused = focusWidget() ? focusWidget() : this;
        ShowContextMenu(focused->mapToGlobal(focused->rect().center()));
    });

    Form_Load();
    controls.lines[0].start->setFocus();
}

void Form1::Form_Load()
{
    state.busyFlag = 0;
    state.batchStamped = 0;
    // With no folder that can be told the logs go nowhere, never to the root.
    if (state.appFolder.isEmpty() && !saveFolder.isEmpty())
        state.appFolder = folderWithSeparator(saveFolder);
    for (int i = 0; i <= 4; ++i)
        state.lineRecords[i].clear();
    if (!state.appFolder.isEmpty())
        log.RemoveLeftovers();
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
    state.clockTime = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
    controls.DateLabel->setText(Stamps::date(state.clockTime));
    controls.TimeLabel->setText(Stamps::time(state.clockTime));
}

Form1::~Form1()
{
    delete history; // closed with this window, and not yet deleted
}

HistoryWindow *Form1::historyWindow() const
{
    return history;
}

void Form1::OpenHistory()
{
    // A window of its own, not this one's child: a dialog it holds its own
    // input for (the file dialog of "結果の読み込み…") holds only it, and
    // this window stays usable and closable meanwhile.
    if (!history) {
        history = new HistoryWindow(state.appFolder.isEmpty() ? QString() : state.appFolder + DrawLog::masterLogName);
        history->setFetching(fetching);
    }
    history->show();
    history->raise();
    history->activateWindow();
}

void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    ShowContextMenu(event->globalPos());
}

void Form1::ShowContextMenu(const QPoint &at)
{
    if (contextMenu)
        contextMenu->close();
    // popup(), not exec(): a draw below this event must not wait for the menu.
    // No parent: assistive technology finds it among the application's
    // windows, where its parent is the application too.
    contextMenu = new QMenu;
    contextMenu->setAttribute(Qt::WA_DeleteOnClose);
    connect(contextMenu->addAction(HistoryWindow::title + QStringLiteral("…")), &QAction::triggered, this,
            &Form1::OpenHistory);
    contextMenu->popup(at);
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (history)
        history->close();
    if (contextMenu)
        contextMenu->close();
    // A draw or a repeat cycle may be running below this event: stop every
    // wait and timer so those handlers unwind, and let the application quit.
    pacer.shutDown();
    notice->hide();
    event->accept();
}

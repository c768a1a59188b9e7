#pragma once

#include "app/notice.h"
#include "clear/clear.h"
#include "draw/drawmachine.h"
#include "historywindow/book/fetchrow.h"
#include "lines/ticketlines.h"
#include "log/drawlog.h"
#include "model/controls.h"
#include "model/formstate.h"
#include "model/gate.h"
#include "model/tell.h"
#include "print/screenprint.h"
#include "print/textprintout.h"
#include "repeat/repeatrun.h"
#include "sort/sorter.h"

#include <QPointer>
#include <QWidget>

class HistoryWindow;
class QMenu;

// The program's one window. Its controls are the data; the state variables
// and the subsystems that handle its events hang off it.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    // The log files are written to `saveFolder`, made when first needed. Empty
    // when there is none: then nothing is saved.
    Form1(Pacer &pacer, Printer &printer, const QString &saveFolder, QWidget *parent = nullptr);
    ~Form1() override;

    void Form_Load();
    // Opens "履歴と照合" on the log Save writes to, or brings it forward.
    void OpenHistory();
    HistoryWindow *historyWindow() const;
    // What the history window fetches the book and tells wins with, once opened.
    void setFetching(const Fetching &parts) { fetching = parts; }
    // The window's menu, "履歴と照合…", at `at` on the screen.
    void ShowContextMenu(const QPoint &at);
    void Timer1_Timer();
    void ShowClock();

    Controls controls;
    FormState state;
    Gate gate;
    Notice *notice;
    TellUser tellUser;
    DrawMachine machine;
    TicketLines lines;
    Clear clear;
    Sorter sorter;
    DrawLog log;
    RepeatRun repeat;
    TextPrintout textPrintout;
    ScreenPrint screenPrint;

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    Pacer &pacer;
    QString saveFolder;
    QPointer<HistoryWindow> history;
    Fetching fetching;
    QPointer<QMenu> contextMenu;
};

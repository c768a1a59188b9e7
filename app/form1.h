#pragma once

#include "controls.h"
#include "formstate.h"
#include "draw/drawmachine.h"
#include "lines/ticketlines.h"
#include "log/savedraws.h"
#include "notice.h"
#include "print/screenprint.h"
#include "print/textprintout.h"
#include "repeat/repeatrun.h"
#include "sort/sortnumbers.h"

#include <QWidget>

// The program's one window. Its controls are the data; the state variables
// and the subsystems that handle its events hang off it.
class Form1 : public QWidget
{
public:
    // `startFolder` is the folder the program was started from; the log files
    // are written there.
    Form1(Pacer &pacer, Printer &printer, const QString &startFolder, QWidget *parent = nullptr);

    void Form_Load();
    void Timer1_Timer();
    void ShowClock();
    void CommandClr_Click();
    void ClearAll();

    Controls ui;
    FormState st;
    DrawMachine machine;
    TicketLines lines;
    Notice *notice;
    // Tells the user, in the notice, what could not be done.
    const std::function<void(const QString &)> tell;
    Sorter sorter;
    DrawLog log;
    RepeatRun repeat;
    TextPrintout textPrintout;
    ScreenPrint screenPrint;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Pacer &pacer;
    QString startFolder;
};

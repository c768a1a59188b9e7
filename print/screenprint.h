#pragma once

#include "model/controls.h"
#include "model/gate.h"
#include "model/tell.h"
#include "platform/pacer.h"
#include "print/printer.h"

#include <functional>

class QWidget;

// The screen print: with "画面全体" ticked, a snapshot of the whole window
// fitted to the page; otherwise the window's client area at its real size.
class ScreenPrint
{
public:
    using Snapshot = std::function<void(QWidget *window)>;

    ScreenPrint(QWidget *form, Controls &controls, Gate &gate, Pacer &pacer, Printer &printer,
                TellUser tellUser);

    void CommandPrint_Click();
    void PrintWindowPicture();

    // How the window's picture reaches the clipboard; tests replace it.
    Snapshot snapshot;

private:
    void failed(const QString &why);

    QWidget *form;
    Controls &controls;
    Gate &gate;
    Pacer &pacer;
    Printer &printer;
    TellUser tellUser;
};

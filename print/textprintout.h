#pragma once

#include "model/controls.h"
#include "model/gate.h"
#include "model/tell.h"
#include "print/printer.h"

// The text print-out: the batch stamp, the title and the five lines on one
// page, in the fixed-pitch mincho face at 12 points.
class TextPrintout
{
public:
    TextPrintout(Controls &controls, Gate &gate, Printer &printer, TellUser tellUser);

    void CommandPrintTxt_Click();
    void PrintDraws();

private:
    void PrintAt(int column, int row, const QString &text);

    Controls &controls;
    Gate &gate;
    Printer &printer;
    TellUser tellUser;
};

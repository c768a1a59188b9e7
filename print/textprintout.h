#pragma once

#include "app/controls.h"
#include "app/formstate.h"
#include "platform/printer.h"

#include <functional>

// The text print-out: the batch stamp, the title and the five lines on one
// page, in the fixed-pitch mincho face at 12 points.
class TextPrintout
{
public:
    TextPrintout(Controls &ui, FormState &state, Printer &printer,
                 std::function<void(const QString &)> notify);

    void CommandPrintTxt_Click();
    void PrintDraws();

private:
    void PrintAt(int column, int row, const QString &text);

    Controls &ui;
    FormState &st;
    Printer &printer;
    std::function<void(const QString &)> notify;
};

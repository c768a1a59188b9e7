#pragma once

#include "platform/pacer.h"
#include "rules/game.h"

#include <QRect>

#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

// Positions and sizes are designed in twips; 15 twips make one pixel.
constexpr int twipsPerPixel = 15;
constexpr QRect fromTwips(int left, int top, int width, int height)
{
    return QRect(left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel,
                 height / twipsPerPixel);
}
// The client area; everything at or right of its width is the hidden work area.
constexpr QRect clientArea = fromTwips(0, 0, 7335, 3600);

// One ticket line: its frame, six number labels (element 0 on top), START
// button, stamp label and mirror timer.
struct LineControls
{
    char letter;
    QGroupBox *frame;
    std::array<QLabel *, Game::picked> numbers;
    QPushButton *start;
    QLabel *stamp;
    std::unique_ptr<Timer> mirror;
};

// Every control of the window. The captions are the program's data.
struct Controls
{
    // Creates every control on `form` as designed, timers included, and sets
    // the tab order.
    Controls(QWidget *form, Pacer &pacer);

    QLabel *DateLabel;
    QLabel *TimeLabel;
    QPushButton *CommandSave;
    QLabel *LabelSN;
    std::array<LineControls, 5> lines; // A to E
    std::array<QLabel *, 30> NumberLabelA;
    QPushButton *CommandClr;
    QPushButton *CommandSort;
    QCheckBox *CheckPrn;
    QPushButton *CommandPrint;
    QPushButton *CommandPrintTxt;

    // The work area.
    QGroupBox *FrameS;
    std::array<QLabel *, Game::picked> NumberLabelS;
    std::array<QLabel *, Game::picked> LabelS;
    QPushButton *CommandS;
    QLabel *LabelSN0;
    QLabel *Picture1;
    QPushButton *CommandDeb;

    std::unique_ptr<Timer> Timer1;
    std::unique_ptr<Timer> TimerS;
    std::unique_ptr<Timer> TimerDeb;

private:
    void makeClock(QWidget *form);
    void makeLines(QWidget *form, Pacer &pacer);
    void makeCommands(QWidget *form);
    void makeWorkArea(QWidget *form);
    void setTabOrder();
};

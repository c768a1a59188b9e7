#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

// The window's shared variables. Everything else the program knows lives in
// the captions of its controls.
struct FormState
{
    QDateTime clockTime;   // the clock as of its last one-second tick
    QString appFolder;     // where the log files go; ends in one separator
    int rollValue = 0;     // number on the draw machine's button while it rolls
    int drawTarget = 0;    // number the roll must stop on; 0 for none
    std::int16_t drawIndex = 0; // position being drawn, 1 to 6; 7 when done
    int busyFlag = 0;      // 0, or the line (1 to 5) whose draw is running
    std::int16_t batchStamped = 0; // 1 once this batch's stamps are written
    std::array<QString, 7> lineRecords; // records of lines A to E as last saved

    // What runs besides a line's draw, for the gate: a draw of the machine,
    // whoever started it, and a cycle of the repeat run.
    bool drawing = false;
    bool cycleRunning = false;
};

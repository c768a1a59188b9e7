#pragma once

#include <QString>

class QLabel;

// A line of text that assistive technology reads out, known by what it is
// (its description), and that can be selected and copied.
QLabel *describedLine(const char *description, const QString &text = {});

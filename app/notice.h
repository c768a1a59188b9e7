#pragma once

#include "platform/pacer.h"

#include <QLabel>

#include <memory>

// A short notice across the foot of the window for something that went wrong,
// such as a save that failed. It blocks nothing and goes away by itself.
class Notice : public QLabel
{
public:
    Notice(QWidget *form, Pacer &pacer);

    void show(const QString &text);

    static constexpr int shownMsec = 8000;

private:
    std::unique_ptr<Timer> hideTimer;
};

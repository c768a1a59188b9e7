#pragma once

#include "platform/pacer.h"

#include <QLabel>

#include <memory>

// A short notice of something that went wrong, such as a save that failed, in
// a balloon beside the window. It blocks nothing, hides nothing of the window,
// is announced to assistive technology and goes away by itself.
class Notice : public QLabel
{
    Q_OBJECT
public:
    Notice(QWidget *form, Pacer &pacer);

    void tell(const QString &text);

    static constexpr int shownMsec = 8000;

private:
    QWidget *form;
    std::unique_ptr<Timer> hideTimer;
};

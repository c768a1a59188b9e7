#pragma once

#include <QHash>
#include <QPixmap>
#include <QPushButton>

// A button that shows the roll. During a draw its caption changes 20 times a
// second, through the same 44 captions (the numbers and "START"). The style
// draws each caption in each state once; later showings copy those pixels
// instead of laying out and drawing the text again.
class RollButton : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QHash<QString, QPixmap> looks_;
};

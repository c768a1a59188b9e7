#include "notice.h"

#include "model/controls.h"

Notice::Notice(QWidget *form, Pacer &pacer) : QLabel(form), hideTimer(pacer.makeTimer())
{
    setObjectName("Notice");
    setGeometry(0, clientArea.height() - 22, clientArea.width(), 22);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(128, 0, 0));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setTextFormat(Qt::PlainText);
    // Clicks go through to the buttons underneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    hideTimer->setInterval(shownMsec);
    hideTimer->onTick = [this] {
        hideTimer->setEnabled(false);
        hide();
    };
}

void Notice::show(const QString &text)
{
    setText(text);
    raise();
    QLabel::show();
    hideTimer->setEnabled(false);
    hideTimer->setEnabled(true);
}

#include "notice.h"

#include <QAccessible>
#include <QScreen>

Notice::Notice(QWidget *form, Pacer &pacer)
    : QLabel(form, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      form(form), hideTimer(pacer.makeTimer())
{
    setObjectName("Notice");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMargin(4);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(128, 0, 0));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setTextFormat(Qt::PlainText);
    hideTimer->setInterval(shownMsec);
    hideTimer->onTick = [this] {
        hideTimer->setEnabled(false);
        hide();
    };
}

void Notice::tell(const QString &text)
{
    setText(text);
    adjustSize();
    // Just below the window's frame, or just above it at the foot of the
    // screen: it covers nothing of the window.
    const QRect frame = form->frameGeometry();
    QPoint at(frame.left(), frame.bottom() + 5);
    if (const QScreen *screen = form->screen(); screen && at.y() + height() > screen->geometry().bottom())
        at.setY(frame.top() - height() - 4);
    move(at);
    QLabel::show();
    raise();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    hideTimer->setEnabled(false);
    hideTimer->setEnabled(true);
}

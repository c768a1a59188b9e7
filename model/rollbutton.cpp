#include "rollbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void RollButton::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const qreal ratio = devicePixelRatioF();
    const QString key = QStringLiteral("%1|%2|%3|%4x%5@%6")
                            .arg(option.text)
                            .arg(option.state.toInt())
                            .arg(option.features.toInt())
                            .arg(width())
                            .arg(height())
                            .arg(ratio);
    auto look = looks_.constFind(key);
    if (look == looks_.cend()) {
        if (looks_.size() >= 256) // focus and hover give a few sets; never grow without end
            looks_.clear();
        QPixmap pixmap(size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QStylePainter painter(&pixmap, this);
        painter.drawControl(QStyle::CE_PushButton, option);
        painter.end();
        look = looks_.insert(key, pixmap);
    }
    QPainter(this).drawPixmap(0, 0, *look);
}

// What the key does not hold: the colours, the face and the style.
void RollButton::changeEvent(QEvent *event)
{
    looks_.clear();
    QPushButton::changeEvent(event);
}

#include "icon.h"

#include <QPainter>
#include <QPixmap>

QIcon dravaIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    QFont font;
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 192));
    p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, QStringLiteral("43"));
    return QIcon(pixmap);
}

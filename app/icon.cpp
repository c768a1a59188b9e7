#include "icon.h"

#include <QPainter>

QImage dravaIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const bool smooth = size != 32;
    p.setRenderHint(QPainter::Antialiasing, smooth);
    p.setRenderHint(QPainter::TextAntialiasing, smooth);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    QFont font;
    font.setPixelSize(14);
    font.setBold(true);
    if (!smooth)
        font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(QColor(0, 0, 192));
    p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, QStringLiteral("43"));
    return image;
}

QIcon dravaIcon()
{
    return QIcon(QPixmap::fromImage(dravaIconImage(32)));
}

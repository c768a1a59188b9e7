#include "pairmap.h"

#include "rules/game.h"

#include <QPainter>

#include <algorithm>

PairMap::PairMap(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("一緒に出た組"));
    setMinimumSize(180, 180);
}

void PairMap::setPairs(const DrawStats &stats, const QString &description)
{
    pairs = stats.pairs;
    most = 0;
    for (const auto &row : pairs)
        most = std::max(most, *std::max_element(row.begin(), row.end()));
    setAccessibleDescription(description);
    update();
}

void PairMap::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics(font());
    // Room for the numbers along the top and the left.
    const int margin = metrics.horizontalAdvance(QString::number(Game::highest)) + 4;
    const qreal cell = qreal(std::min(width(), height()) - margin) / Game::highest;
    const auto at = [&](int n) { return margin + (n - 1) * cell; };
    for (int a = Game::lowest; a <= Game::highest; ++a) {
        for (int b = Game::lowest; b <= Game::highest; ++b) {
            const QRectF square(at(b), at(a), cell, cell);
            if (a == b) {
                painter.fillRect(square, palette().window());
                continue;
            }
            // From the base colour to dark blue, as often as the pair came.
            const qreal share = most ? qreal(pairs[size_t(a)][size_t(b)]) / most : 0;
            painter.fillRect(square, QColor::fromRgbF(1 - 0.85 * share, 1 - 0.75 * share, 1 - 0.2 * share));
        }
    }
    painter.setPen(palette().color(QPalette::Text));
    for (int n = Game::lowest; n <= Game::highest; ++n) {
        if (n != 1 && n % 5 != 0)
            continue;
        const QString label = QString::number(n);
        painter.drawText(QRectF(at(n) - cell, 0, 3 * cell, margin), Qt::AlignCenter, label);
        painter.drawText(QRectF(0, at(n) - cell, margin - 2, 3 * cell), Qt::AlignRight | Qt::AlignVCenter, label);
    }
}

#include "frequencychart.h"

#include <QPainter>

#include <algorithm>

FrequencyChart::FrequencyChart(const QString &name, QWidget *parent) : QWidget(parent)
{
    setAccessibleName(name);
    setMinimumHeight(120);
}

void FrequencyChart::setCounts(const Counts &shown, uint64_t sets, Game::Drawn drawn)
{
    counts = shown;
    even = Game::evenShare(sets, drawn);
    setAccessibleDescription(describe(counts));
    update();
}

QString FrequencyChart::describe(const Counts &counts)
{
    QStringList texts;
    for (int n = Game::lowest; n <= Game::highest; ++n)
        texts << QStringLiteral("%1: %2").arg(n).arg(counts[size_t(n)]);
    return texts.join(QStringLiteral(", "));
}

void FrequencyChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int labelHeight = metrics.height();
    const QRect plot = rect().adjusted(4, labelHeight + 2, -4, -labelHeight - 2);
    const uint64_t most = *std::max_element(counts.begin() + 1, counts.end());
    const qreal top = std::max<qreal>({qreal(most), even, 1});
    const qreal slot = qreal(plot.width()) / Game::highest;
    // Where the numbers do not fit under every bar, every fifth says where one is.
    const bool everyLabel = slot >= metrics.horizontalAdvance(QString::number(Game::highest)) + 2;
    const auto heightOf = [&](qreal count) { return count / top * plot.height(); };

    painter.fillRect(rect(), palette().base());
    for (int n = Game::lowest; n <= Game::highest; ++n) {
        const qreal h = heightOf(qreal(counts[size_t(n)]));
        const QRectF bar(plot.left() + (n - 1) * slot + 1, plot.bottom() + 1 - h, slot - 2, h);
        painter.fillRect(bar, QColor(70, 110, 200));
        if (everyLabel || n == 1 || n % 5 == 0) {
            const QRectF label(plot.left() + (n - 1.5) * slot, plot.bottom() + 2, 2 * slot, labelHeight);
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(label, Qt::AlignCenter, QString::number(n));
        }
    }
    if (even > 0) {
        const qreal y = plot.bottom() + 1 - heightOf(even);
        painter.setPen(QPen(QColor(220, 40, 40), 1.5, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.drawText(QRectF(plot.left(), y - labelHeight - 1, plot.width(), labelHeight), Qt::AlignRight,
                         QStringLiteral("平均 %1").arg(even, 0, 'f', 1));
    }
}

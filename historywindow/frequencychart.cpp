#include "frequencychart.h"

#include <QPainter>

#include <algorithm>

FrequencyChart::FrequencyChart(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("数字の出現回数"));
    setMinimumHeight(120);
}

void FrequencyChart::show(const Tally &shown)
{
    tally = shown;
    setAccessibleDescription(describe(tally));
    update();
}

QString FrequencyChart::describe(const Tally &tally)
{
    QStringList counts;
    for (int n = 1; n <= 43; ++n)
        counts << QStringLiteral("%1: %2").arg(n).arg(tally.numbers[size_t(n)]);
    return counts.join(QStringLiteral(", "));
}

QString FrequencyChart::judge(const Evenness &test)
{
    const QString p = test.p < 0.0001 ? QStringLiteral("p < 0.0001") : QStringLiteral("p = %1").arg(test.p, 0, 'f', 4);
    const char *verdict = test.verdict == Evenness::TooFewLines ? "判断には行数が足りません"
                          : test.verdict == Evenness::Even      ? "偏りは見られません"
                                                                : "偏りがあります";
    return QStringLiteral("偏りの検定: χ² = %1 (自由度 %2), %3 · %4")
        .arg(test.chi2, 0, 'f', 2)
        .arg(Evenness::degreesOfFreedom)
        .arg(p, QString::fromUtf8(verdict));
}

void FrequencyChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int labelHeight = metrics.height();
    const QRect plot = rect().adjusted(4, labelHeight + 2, -4, -labelHeight - 2);
    const qreal even = 6.0 * double(tally.lines) / 43;
    const uint64_t most = *std::max_element(tally.numbers.begin() + 1, tally.numbers.end());
    const qreal top = std::max<qreal>({qreal(most), even, 1});
    const qreal slot = qreal(plot.width()) / 43;
    // Where the numbers do not fit under every bar, every fifth says where one is.
    const bool everyLabel = slot >= metrics.horizontalAdvance(QStringLiteral("43")) + 2;
    const auto heightOf = [&](qreal count) { return count / top * plot.height(); };

    painter.fillRect(rect(), palette().base());
    for (int n = 1; n <= 43; ++n) {
        const qreal h = heightOf(qreal(tally.numbers[size_t(n)]));
        const QRectF bar(plot.left() + (n - 1) * slot + 1, plot.bottom() + 1 - h, slot - 2, h);
        painter.fillRect(bar, QColor(70, 110, 200));
        if (everyLabel || n == 1 || n % 5 == 0) {
            const QRectF label(plot.left() + (n - 1.5) * slot, plot.bottom() + 2, 2 * slot, labelHeight);
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(label, Qt::AlignCenter, QString::number(n));
        }
    }
    if (tally.lines > 0) {
        const qreal y = plot.bottom() + 1 - heightOf(even);
        painter.setPen(QPen(QColor(220, 40, 40), 1.5, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.drawText(QRectF(plot.left(), y - labelHeight - 1, plot.width(), labelHeight), Qt::AlignRight,
                         QStringLiteral("平均 %1").arg(even, 0, 'f', 1));
    }
}

#include "fonts.h"

#include <QFontMetricsF>
#include <QStringList>

#include <cmath>

namespace Fonts {
const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString mincho = QStringLiteral("ＭＳ 明朝");

void substituteJapaneseFaces()
{
    const QStringList gothicFaces = {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "VL PGothic"};
    const QStringList minchoFaces = {"IPAMincho", "IPAPMincho", "Noto Serif CJK JP"};
    QFont::insertSubstitutions(gothic, gothicFaces);
    QFont::insertSubstitutions(mincho, minchoFaces);
}

QFont gothicFont(qreal points, Style style)
{
    QFont font(gothic);
    font.setPointSizeF(points);
    font.setBold(style != Style::Regular);
    font.setItalic(style == Style::BoldItalic);
    return font;
}
QFont fitting(QFont font, const QString &pattern, int width)
{
    // Glyphs grow with the size: one measure at the designed size gives the
    // size to try, and a step or two of half a point makes sure.
    auto widest = [&pattern](const QFontMetricsF &metrics) {
        QChar digit = '0';
        for (char d = '1'; d <= '9'; ++d)
            digit = metrics.horizontalAdvance(QChar(d)) > metrics.horizontalAdvance(digit) ? QChar(d) : digit;
        return QString(pattern).replace('0', digit);
    };
    auto needed = [&](const QFont &f) {
        const QFontMetricsF metrics(f);
        const QString text = widest(metrics);
        return qMax(metrics.boundingRect(text).right() + 1, metrics.horizontalAdvance(text));
    };
    const qreal designed = font.pointSizeF();
    font.setPointSizeF(qMin(designed, std::floor(2 * designed * width / needed(font)) / 2));
    while (needed(font) > width && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}
} // namespace Fonts

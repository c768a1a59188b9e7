#include "fonts.h"

#include <QFontMetricsF>
#include <QStringList>

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

QFont gothicFont(qreal points, bool bold, bool italic)
{
    QFont font(gothic);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
QFont fitting(QFont font, const QString &pattern, int width)
{
    for (;; font.setPointSizeF(font.pointSizeF() - 0.5)) {
        const QFontMetricsF metrics(font);
        bool fits = true;
        for (char digit = '0'; digit <= '9'; ++digit) {
            const QString text = QString(pattern).replace('0', QChar(digit));
            fits = fits && metrics.boundingRect(text).right() < width && metrics.horizontalAdvance(text) <= width;
        }
        if (fits || font.pointSizeF() <= 6)
            return font;
    }
}
} // namespace Fonts

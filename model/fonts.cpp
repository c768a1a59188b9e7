#include "fonts.h"

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
} // namespace Fonts

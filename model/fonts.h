#pragma once

#include <QFont>
#include <QString>

// The two Japanese faces the window and the text page are designed in. Where
// they are not installed, font substitution maps them to the IPA faces, or to
// any Japanese face the system has.
namespace Fonts {
extern const QString gothic; // the window's proportional gothic
extern const QString mincho; // the text page's fixed-pitch mincho

void substituteJapaneseFaces();
enum class Style { Regular, Bold, BoldItalic };
QFont gothicFont(qreal points, Style style = Style::Regular);
// The font made smaller, half a point at a time, until the text `pattern`
// fits `width` pixels whole, slant included, whichever digit stands for its
// zeros: "0000/00/00" for any date.
QFont fitting(QFont font, const QString &pattern, int width);
} // namespace Fonts

#pragma once

#include "files/numberlist.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <utility>

class QLabel;
class QTableView;

// What the history's tables and its lines of text have alike.
namespace Tables {
// Rows as high as the view's font, and each column given as wide as the
// widest text it may hold, or its heading. From the font, not from the rows:
// measuring thousands of rows at every change of the log would hold up the
// window's thread. Called again when the font changes.
void fit(QTableView *view, std::initializer_list<std::pair<int, const char *>> widest);

// A line of text that assistive technology reads out, known by what it is
// (its description), and that can be selected and copied.
QLabel *readOut(const char *description, const QString &text = {});

// The first of `numbers` ("1, 5, 17"), each in `shown` words, and "…" when
// there are more.
template<typename Shown>
QString listed(const NumberList &numbers, Shown shown)
{
    QStringList texts;
    for (const uint64_t n : numbers.first)
        texts << shown(n);
    if (numbers.count > uint64_t(texts.size()))
        texts << QStringLiteral("…");
    return texts.join(QStringLiteral(", "));
}
inline QString listed(const NumberList &numbers)
{
    return listed(numbers, [](uint64_t n) { return QString::number(n); });
}
} // namespace Tables

#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <utility>

class QTableView;

// What the history's tables and its lines of text have alike.
namespace Tables {
// Rows as high as the view's font, and each column given as wide as the
// widest text it may hold, or its heading. From the font, not from the rows:
// measuring thousands of rows at every change of the log would hold up the
// window's thread. Called again when the font changes.
void fit(QTableView *view, std::initializer_list<std::pair<int, const char *>> widest);

// The first ten of `numbers`, as `shown` words each ("1, 5, 17"), and "…"
// when `count` says there are more.
template<typename Numbers, typename Shown>
QString listed(const Numbers &numbers, uint64_t count, Shown shown)
{
    QStringList texts;
    for (const auto n : numbers)
        if (texts.size() < 10)
            texts << shown(n);
    if (count > uint64_t(texts.size()))
        texts << QStringLiteral("…");
    return texts.join(QStringLiteral(", "));
}
} // namespace Tables

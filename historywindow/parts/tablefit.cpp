#include "tablefit.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>

void fitToFont(QTableView *view, std::initializer_list<std::pair<int, const char *>> widest)
{
    const QFontMetrics metrics = view->fontMetrics();
    view->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
    // A cell's text has a frame's margin and a pixel on each side; the grid
    // takes a line, and digits that are not all as wide as 0 a little more.
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 4;
    for (const auto &[column, text] : widest)
        view->horizontalHeader()->resizeSection(column, std::max(metrics.horizontalAdvance(QString::fromUtf8(text)) + margins,
                                                                 view->horizontalHeader()->sectionSizeHint(column)));
}

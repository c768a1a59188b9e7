#pragma once

#include "fetchrow.h"
#include "resultspanel.h"

#include <QScrollArea>

class DrawFigures;
class QLabel;
class TrialPanel;

// The page of the results book: its draws with the lines played for each
// and the totals, the figures of the draws themselves in the date range, and
// a line tried against them all. Taller than the window: it scrolls, to
// whatever the keyboard goes to.
class BookPage : public QScrollArea
{
    Q_OBJECT
public:
    explicit BookPage(const QString &bookPath, QWidget *parent = nullptr);

    ResultsPanel &results() const { return *panel; }
    // The program's fetching and telling, lent to the page.
    void setFetching(const Fetching &fetching);
    // The draws the figures and the trial take, by date (0 for an open end).
    void setDateRange(int fromDate, int toDate);
    // Tries a line (bit n for each number) against every draw; with none,
    // the trial waits for one typed in.
    void tryLine(uint64_t lineMask);
    // What the lines played for the draw chosen won, shown where it was chosen.
    void setDrawSummary(const QString &text);

private:
    void showDraws();

    int fromDate = 0, toDate = 0;
    FetchRow *fetchRow;
    ResultsPanel *panel;
    QLabel *drawSummary;
    DrawFigures *figures;
    TrialPanel *trial;
};

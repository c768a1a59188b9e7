#include "bookpage.h"

#include "historywindow/draws/drawfigures.h"
#include "historywindow/draws/trialpanel.h"
#include "historywindow/parts/describedline.h"
#include "notify/winteller.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

BookPage::BookPage(const QString &bookPath, QWidget *parent)
    : QScrollArea(parent), fetchRow(new FetchRow(bookPath)), panel(new ResultsPanel(bookPath)),
      drawSummary(describedLine("選んだ回の当せん")), figures(new DrawFigures), trial(new TrialPanel)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(fetchRow);
    layout->addWidget(panel);
    layout->addWidget(drawSummary);
    layout->addWidget(figures);
    layout->addWidget(trial);
    setWidget(page);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    connect(panel, &ResultsPanel::bookChanged, this, &BookPage::showDraws);
    // What the keyboard goes to, by Tab or a control's key, is scrolled into sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && widget()->isAncestorOf(now))
            ensureWidgetVisible(trial->isAncestorOf(now) ? trial : now);
    });
}

void BookPage::setFetching(const Fetching &fetching)
{
    fetchRow->setFetching(fetching);
    // A draw typed in or a file read in, by this copy or another, may bring
    // the tickets' results: what was told already is not told again.
    if (fetching.teller)
        connect(panel, &ResultsPanel::bookChanged, fetching.teller, &WinTeller::tellNews);
}

void BookPage::setDateRange(int from, int to)
{
    fromDate = from;
    toDate = to;
    showDraws();
}

// The draws of the book in the range, as the figures and the trial show them.
void BookPage::showDraws()
{
    figures->setDraws(panel->book(), fromDate, toDate);
    trial->setDraws(panel->book(), fromDate, toDate);
}

void BookPage::tryLine(uint64_t lineMask)
{
    if (lineMask)
        trial->tryLine(lineMask);
    else
        trial->setFocus();
    ensureWidgetVisible(trial);
}

void BookPage::setDrawSummary(const QString &text)
{
    drawSummary->setText(text);
}

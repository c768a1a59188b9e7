#pragma once

#include "follow/logfollower.h"
#include "historywindow/book/fetchrow.h"

#include <QWidget>

class BookPage;
class BuyPanel;
class LinesPage;
class QCheckBox;
class QDateEdit;
class QLayout;
class QTabWidget;
class TicketsPage;

// "履歴と照合": the lines the master log holds, how often each number came up
// among them, and what they win against an announced draw, or against the
// draws of the results book they were played for, each page under one date
// range. A result file dropped on the window is read into the book.
class HistoryWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HistoryWindow(const QString &logPath, QWidget *parent = nullptr);

    static const QString title;

    // The program's fetching and telling of wins, lent to the book's page.
    void setFetching(const Fetching &fetching);

    // The log as read: for those who wait on it, as the benchmarks do.
    const LogFollower &logFollower() const { return follower; }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QLayout *rangeRow();
    void follow();
    void followTickets();

    void showLines();
    void showDraws();
    void showBookDraw();
    void tryOnEveryDraw(uint64_t lineMask);
    void showSpanOfLog();
    int dateOf(const QCheckBox *on, const QDateEdit *date) const;

    LogFollower follower;
    SettledLines shown;

    QCheckBox *fromOn, *toOn;
    QDateEdit *from, *to;
    QTabWidget *pages;
    LinesPage *linesPage;
    BookPage *bookPage;
    TicketsPage *ticketsPage;
    BuyPanel *buyPanel;
};

#pragma once

#include "drawfigures.h"
#include "frequencychart.h"
#include "linetable.h"
#include "resultspanel.h"
#include "trialpanel.h"

#include "follow/logfollower.h"

#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLayout;
class QLineEdit;
class QProgressBar;
class QScrollArea;
class QTabWidget;
class QTableView;

// "履歴と照合": the lines the master log holds, how often each number came up
// among them, and what they win against an announced draw, or against the
// draws of the results book they were played for. A result file dropped on
// the window is read into the book.
class HistoryWindow : public QWidget
{
public:
    explicit HistoryWindow(const QString &logPath, QWidget *parent = nullptr);

    static const QString title;

    // The log as read: for those who wait on it, as the benchmarks do.
    const LogFollower &logFollower() const { return follower; }

protected:
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QLayout *rangeRow();
    QWidget *linesPage();
    QWidget *drawsPage();
    QLayout *drawRow();
    void setUpView();
    void fitColumns();
    QLayout *statusRow();
    void follow();

    void showLines();
    void showDraws();
    void trySelectedLine();
    void showDraw();
    void showPrizes();
    void tallyTyped();
    void showSpanOfLog();
    void enterDraw();
    int dateOf(const QCheckBox *on, const QDateEdit *date) const;

    LineTable table;
    LogFollower follower;
    SettledLines shown;
    LineSpan span{nullptr, nullptr};
    std::optional<AnnouncedDraw> draw; // entered by hand
    Game::ByTier<uint64_t> typedTiers{};

    QCheckBox *fromOn, *toOn;
    QDateEdit *from, *to;
    QLineEdit *drawEntry;
    QLabel *drawProblem;
    QTableView *view;
    ResultsPanel *results;
    DrawFigures *figures;
    TrialPanel *trial;
    QTabWidget *pages;
    QScrollArea *drawsScroll;
    FrequencyChart *chart;
    QProgressBar *progress;
    QLabel *evenness;
    QLabel *count, *prizes, *skipped;
};

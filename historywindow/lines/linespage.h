#pragma once

#include "linetable.h"

#include "follow/logfollower.h"

#include <QWidget>

#include <functional>
#include <optional>

class FrequencyChart;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTableView;

// The page of the lines picked: the table, how often each number came up
// among them and the test of it, and what they win against a draw typed in
// or chosen in the results book.
class LinesPage : public QWidget
{
    Q_OBJECT
public:
    explicit LinesPage(const LogFollower &follower, QWidget *parent = nullptr);

    // Shows `span` of `lines`, as the log now stands.
    void setLines(SettledLines lines, LineSpan span);

    // A draw chosen in the results book: the lines played for it checked
    // against it, and what they won. It takes the place of one typed in.
    struct BookDraw
    {
        AnnouncedDraw draw;
        std::function<bool(const LoggedLine &)> playedFor;
        Game::ByTier<uint64_t> won;
    };
    void setBookDraw(std::optional<BookDraw> chosen);
    // A section of the page below its draw's row, shown and hidden by its owner.
    void addSection(QWidget *section);

signals:
    // A draw was typed in: the book's, if one was chosen, gives way.
    void drawTyped();
    // The line chosen (bit n for each number; 0 for none) is to be tried
    // against every draw.
    void lineChosenToTry(uint64_t lineMask);
    // The lines chosen ("2026/12/06,09:05:03,A; …", oldest first) are to be recorded as bought.
    void linesChosenToBuy(const QString &lines);

protected:
    void changeEvent(QEvent *event) override;

private:
    QLayout *drawRow();
    void setUpView();
    void fitColumns();
    QLayout *statusRow();
    QString chosenLines() const;

    void enterDraw();
    void tallyTyped();
    void showDraw();
    void showPrizes();

    const LogFollower &follower;
    LineTable table;
    SettledLines lines;
    LineSpan span{nullptr, nullptr};
    std::optional<AnnouncedDraw> typed;
    Game::ByTier<uint64_t> typedTiers{};
    std::optional<BookDraw> bookDraw;

    QLineEdit *drawEntry;
    QLabel *drawProblem;
    QTableView *view;
    FrequencyChart *chart;
    QProgressBar *progress;
    QLabel *evenness;
    QLabel *count, *prizes, *skipped;
};

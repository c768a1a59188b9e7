#pragma once

#include "drawtable.h"

#include "follow/bookkeeper.h"
#include "history/logreader.h"
#include "threads/background.h"

#include <QWidget>

class QDateEdit;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableView;

// The results book in the history window: the draws it holds with what the
// lines shown came to in each, and the totals of what they cost and won. A
// draw is entered by hand, or a result file read in (by its button, or
// dropped on the window); the book follows what any copy writes to it.
class ResultsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ResultsPanel(const QString &bookPath, QWidget *parent = nullptr);

    // The lines shown: what they cost and won is worked out anew.
    void setLines(SettledLines lines, LineSpan span);
    // Reads a result file into the book.
    void import(const QString &path);

    const ResultsBook &book() const { return results; }
    // How many draws in a row each line was played for.
    int drawsInARow() const;
    // The draw chosen in the table, if any; what the lines played for a draw came to.
    const DrawResult *chosen() const;
    Plays::DrawTotals totalsOf(const DrawResult &draw) const;
    // No draw chosen any more.
    void clearChoice();
    // The money spent and won, as the tickets alone tell it.
    void setTicketTotals(const QString &text);

protected:
    void changeEvent(QEvent *event) override;

signals:
    // A draw was chosen in the table, or let go; or what the lines played
    // for the one chosen came to changed.
    void changed();
    // The book was read again, or changed.
    void bookChanged();

private:
    QLayout *entryRow();
    void fitColumns();
    void showBook(const BookFile::Read &read);
    void record();
    void showChange(const BookFile::Update &update, const NumberList &skippedRows, const NumberList &unreadablePrizes);
    void tell(const QString &text);
    void workOutLedger();

    BookKeeper keeper;
    ResultsBook results;
    QString bookProblem; // what is wrong with the book's file, as last said
    bool reportSaysProblem = false;
    SettledLines lines;
    LineSpan span{nullptr, nullptr};
    DrawTable table;
    Background ledgerWork{this};

    QSpinBox *drawCount, *number;
    QDateEdit *date;
    QLineEdit *numbers, *prizes;
    QTableView *view;
    QLabel *totals, *ifBought, *report;
};

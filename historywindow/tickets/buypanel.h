#pragma once

#include "ticketkeeper.h"

#include "results/resultsbook.h"

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QSpinBox;

// "購入を記録": a section of the lines page, never a box over the window,
// that records the lines chosen, or numbers typed, as one ticket bought: its
// units, its draws in a row, and its first draw, preset as the rule gives
// it: the book's draw where the book has it, else the next draw day, marked
// 見込み. Left as preset, the ticket keeps its moment, not that guess.
class BuyPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit BuyPanel(TicketKeeper &keeper, QWidget *parent = nullptr);

    // Opens it with the lines chosen ("2026/12/06,09:05:03,A; …"), the log they are in.
    void open(const QString &lines, SettledLines log);
    void setBook(const ResultsBook &book);

private:
    QLayout *firstDrawRow();
    void presetFirstDraw();
    void showFirstDraw();
    void record();

    TicketKeeper &keeper;
    ResultsBook book;
    SettledLines log;
    int presetDraw = 0; // the first draw as the rule gives it; 0 where the book has it not
    int guessedDay = 0; // then the next draw day the calendar gives
    bool recording = false; // a ticket recorded here is being written

    QLineEdit *lines;
    QSpinBox *units, *draws, *firstDraw;
    QLabel *firstDrawDay, *problem;
};

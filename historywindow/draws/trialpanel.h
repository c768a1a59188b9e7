#pragma once

#include "analysis/trial.h"

#include <QAbstractTableModel>
#include <QWidget>

class QLabel;
class TrialHits;
class QLineEdit;
class QTableView;

// A line tried against every draw of the book in the date range: the draws it
// would have won, and what a ticket for each would have cost and won.
class TrialPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TrialPanel(QWidget *parent = nullptr);

    // The draws a line is tried against; the line tried, if any, again.
    void setDraws(const ResultsBook &book, int fromDate, int toDate);
    // Tries a line of six numbers (bit n for each).
    void tryLine(uint64_t lineMask);

    // "全 2,000 回 · 1等 0 · … · 当せん 512,300 円 · 購入 400,000 円"
    static QString summaryOf(const Trial &trial);

protected:
    void changeEvent(QEvent *event) override;

private:
    void tryTyped();

    ResultsBook book;
    int fromDate = 0, toDate = 0;
    uint64_t tried = 0; // the line's mask; 0 for none
    QLineEdit *entry;
    TrialHits *hits;
    QTableView *view;
    QLabel *summary;
};

#pragma once

#include "numbertable.h"

#include "analysis/drawstats.h"

#include "results/resultsbook.h"

#include <QWidget>

class FrequencyChart;
class PairMap;
class QCheckBox;
class QLabel;
class QTableView;

// The draws of the results book in the date range, as players study them:
// how often each number was drawn (or, ticked, came as the bonus), the test
// of evenness on them, how long since each came, which came together, and
// the plain word that none of it changes the next draw.
class DrawFigures : public QWidget
{
    Q_OBJECT
public:
    explicit DrawFigures(QWidget *parent = nullptr);

    void setDraws(const ResultsBook &book, int fromDate, int toDate);

    // The ten pairs in words: "1と2 (25回), 3と7 (22回), …".
    static QString pairsInWords(const DrawStats &stats);

protected:
    void changeEvent(QEvent *event) override;

private:
    void showCounts();

    DrawStats stats;
    QLabel *heading;
    FrequencyChart *chart;
    QCheckBox *bonus;
    QLabel *evenness;
    NumberTable numbers;
    QTableView *numbersView;
    PairMap *map;
    QLabel *pairs;
};

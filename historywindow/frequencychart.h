#pragma once

#include "history/evenness.h"
#include "history/tally.h"

#include <QWidget>

// How often each number 1 to 43 came up among the lines shown, one bar each,
// with the even share (six numbers a line spread over 43) drawn across.
// Assistive technology reads the counts from its description.
class FrequencyChart : public QWidget
{
public:
    explicit FrequencyChart(QWidget *parent = nullptr);

    void show(const Tally &tally);

    QSize sizeHint() const override { return {43 * 14 + 40, 160}; }

    // The counts as read aloud: "1: 12, 2: 9, …".
    static QString describe(const Tally &tally);
    // The test of evenness in words: "偏りの検定: χ² = 79.46 (自由度 42),
    // p = 0.0004 · 偏りがあります".
    static QString judge(const Evenness &test);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Tally tally;
};

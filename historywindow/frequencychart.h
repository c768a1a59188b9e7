#pragma once

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

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Tally tally;
};

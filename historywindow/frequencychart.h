#pragma once

#include "history/evenness.h"

#include <QWidget>

#include <array>

// How often each number 1 to 43 came up, among the lines shown or in the
// draws, one bar each, with the even share drawn across. Assistive
// technology reads the counts from its description.
class FrequencyChart : public QWidget
{
public:
    using Counts = std::array<uint64_t, 44>; // by number; 0 unused

    explicit FrequencyChart(const QString &name, QWidget *parent = nullptr);

    // `even`: the count each number would have if all came alike; none at 0.
    void show(const Counts &counts, double even);

    QSize sizeHint() const override { return {43 * 14 + 40, 160}; }

    // The counts as read aloud: "1: 12, 2: 9, …".
    static QString describe(const Counts &counts);
    // The test of evenness in words: "偏りの検定: χ² = 79.46 (自由度 42),
    // p = 0.0004 · 偏りがあります", with "判断には行数が足りません", or
    // what `counted` names, when there are too few.
    static QString judge(const Evenness &test, const char *counted = "行数");

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Counts counts{};
    double even = 0;
};

#pragma once

#include "rules/game.h"

#include <QWidget>

// How often each number 1 to 43 came up, among the lines shown or in the
// draws, one bar each, with the even share drawn across. Assistive
// technology reads the counts from its description.
class FrequencyChart : public QWidget
{
    Q_OBJECT
public:
    using Counts = Game::ByNumber<uint64_t>;

    explicit FrequencyChart(const QString &name, QWidget *parent = nullptr);

    // How often each number came up among `sets` sets of the six, or among
    // as many bonuses: the chart draws the even share across.
    void setCounts(const Counts &counts, uint64_t sets, Game::Drawn drawn = Game::Drawn::six);

    QSize sizeHint() const override { return {Game::highest * 14 + 40, 160}; }

    // The counts as read aloud: "1: 12, 2: 9, …".
    static QString describe(const Counts &counts);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Counts counts{};
    double even = 0;
};

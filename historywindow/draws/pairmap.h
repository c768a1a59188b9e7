#pragma once

#include "analysis/drawstats.h"

#include <QWidget>

// How often each two numbers came in the same draw: a square of 43 × 43
// cells, the darker the more often, the same pair on either side of the
// diagonal. Assistive technology reads the pairs that came together most
// often from its description.
class PairMap : public QWidget
{
    Q_OBJECT
public:
    explicit PairMap(QWidget *parent = nullptr);

    void setPairs(const DrawStats &stats, const QString &description);

    QSize sizeHint() const override { return {260, 260}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    decltype(DrawStats::pairs) pairs{};
    uint32_t most = 0;
};

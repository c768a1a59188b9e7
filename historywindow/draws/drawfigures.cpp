#include "drawfigures.h"

#include "pairmap.h"

#include "historywindow/parts/describedline.h"
#include "historywindow/parts/frequencychart.h"
#include "historywindow/parts/tablefit.h"
#include "texts/texts.h"

#include "calendar/calendar.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>

DrawFigures::DrawFigures(QWidget *parent)
    : QWidget(parent), heading(describedLine("抽せんの回数")), chart(new FrequencyChart(QStringLiteral("抽せんの出現回数"))),
      bonus(new QCheckBox(QStringLiteral("ボーナス数字(&O)"))), evenness(describedLine("抽せんの偏りの検定")),
      numbersView(new QTableView), map(new PairMap), pairs(describedLine("よく一緒に出た組"))
{
    connect(bonus, &QCheckBox::toggled, this, &DrawFigures::showCounts);

    auto *sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(&numbers);
    sorted->setSortRole(NumberTable::SortRole);
    QTableView *view = numbersView;
    view->setModel(sorted);
    view->setAccessibleName(QStringLiteral("数字ごとの出現と間隔"));
    view->setSortingEnabled(true);
    view->sortByColumn(NumberTable::Number, Qt::AscendingOrder);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->setTabKeyNavigation(false);
    view->setMinimumHeight(260);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *top = new QHBoxLayout;
    top->addWidget(heading, 1);
    top->addWidget(bonus);
    layout->addLayout(top, 0, 0, 1, 2);
    layout->addWidget(chart, 1, 0, 1, 2);
    layout->addWidget(evenness, 2, 0, 1, 2);
    layout->addWidget(view, 3, 0);
    auto *together = new QVBoxLayout;
    together->addWidget(map, 1);
    together->addWidget(pairs);
    layout->addLayout(together, 3, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->addWidget(describedLine("抽せんについて", QStringLiteral("どの数字も、毎回同じ確率で選ばれます。"
                                                        "それまでに何回出たか、しばらく出ていないかで、次の回の確率は変わりません。")),
                      4, 0, 1, 2);
}

void DrawFigures::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        fitToFont(numbersView, {});
    QWidget::changeEvent(event);
}

void DrawFigures::setDraws(const ResultsBook &book, int fromDate, int toDate)
{
    stats = drawStatsOf(book, fromDate, toDate);
    heading->setText(stats.draws ? QStringLiteral("抽せん %1 回 (%2〜%3) の数字")
                                       .arg(Texts::count(stats.draws),
                                            QString::fromStdString(Calendar::dateText(stats.firstDate)),
                                            QString::fromStdString(Calendar::dateText(stats.lastDate)))
                                 : QStringLiteral("この期間の抽せん結果はまだありません"));
    showCounts();
    evenness->setText(Texts::evenness(stats.evenness, Texts::Form::Window, "回数"));
    numbers.setStats(stats);
    const QString inWords = pairsInWords(stats);
    map->setPairs(stats, inWords);
    pairs->setText(inWords.isEmpty() ? QString() : QStringLiteral("よく一緒に出た組: ") + inWords);
}

// The six numbers of each draw, against their even share of 6 × draws ÷ 43;
// or the bonus, one a draw.
void DrawFigures::showCounts()
{
    const bool bonuses = bonus->isChecked();
    chart->setCounts(bonuses ? stats.bonuses : stats.counts, stats.draws, bonuses ? Game::Drawn::bonus : Game::Drawn::six);
}

QString DrawFigures::pairsInWords(const DrawStats &stats)
{
    QStringList words;
    for (const DrawStats::Pair &pair : stats.mostOften(10))
        words << QStringLiteral("%1と%2\u00a0(%3回)").arg(pair.a).arg(pair.b).arg(pair.times); // kept on one line
    return words.join(QStringLiteral(", "));
}

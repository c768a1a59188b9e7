#include "trialpanel.h"

#include "historywindow/parts/describedline.h"
#include "historywindow/parts/tablefit.h"
#include "texts/texts.h"

#include "calendar/calendar.h"
#include "rules/game.h"
#include "rules/prize.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

// The draws a line would have won, in the order of their numbers.
class TrialHits : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setHits(std::vector<Trial::Hit> shown)
    {
        beginResetModel();
        hits = std::move(shown);
        endResetModel();
    }

    enum Column { Number, Date, Tier, Prize, Columns };

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(hits.size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : Columns; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
            return {};
        const Trial::Hit &hit = hits[size_t(index.row())];
        const int64_t prize = hit.draw.prizeOf(hit.tier);
        switch (index.column()) {
        case Number:
            return QStringLiteral("第%1回").arg(hit.draw.number);
        case Date:
            return QString::fromStdString(Calendar::dateText(hit.draw.date));
        case Tier:
            return QStringLiteral("%1等").arg(hit.tier);
        default:
            return prize == DrawResult::unknown ? QStringLiteral("?") : Texts::yen(prize) + QStringLiteral(" 円");
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        static const char *const names[] = {"回", "日付", "等", "賞金"};
        return QString::fromUtf8(names[section]);
    }

private:
    std::vector<Trial::Hit> hits;
};

TrialPanel::TrialPanel(QWidget *parent)
    : QWidget(parent), entry(new QLineEdit), hits(new TrialHits(this)), view(new QTableView),
      summary(describedLine("全回との照合"))
{
    auto *label = new QLabel(QStringLiteral("照合する行(&Y):"));
    label->setBuddy(entry);
    entry->setAccessibleName(QStringLiteral("照合する行"));
    setFocusProxy(entry);
    entry->setPlaceholderText(QStringLiteral("3,7,12,25,31,40"));
    auto *button = new QPushButton(QStringLiteral("全回と照合(&A)"));
    button->setAccessibleName(QStringLiteral("全回と照合"));
    connect(button, &QPushButton::clicked, this, &TrialPanel::tryTyped);
    connect(entry, &QLineEdit::returnPressed, this, &TrialPanel::tryTyped);

    view->setModel(hits);
    view->setAccessibleName(QStringLiteral("当せんした回"));
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->setTabKeyNavigation(false);
    view->setMinimumHeight(140);

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(entry, 1);
    row->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(view);
    layout->addWidget(summary);
}

void TrialPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        fitToFont(view, {});
    QWidget::changeEvent(event);
}

void TrialPanel::setDraws(const ResultsBook &shown, int from, int to)
{
    book = shown;
    fromDate = from;
    toDate = to;
    if (tried)
        tryLine(tried);
}

void TrialPanel::tryLine(uint64_t lineMask)
{
    tried = lineMask;
    QStringList numbers;
    for (int n = Game::lowest; n <= Game::highest; ++n)
        if (lineMask >> n & 1)
            numbers << QString::number(n);
    if (entry->text() != numbers.join(','))
        entry->setText(numbers.join(','));
    const Trial trial = ::tryLine(book, lineMask, fromDate, toDate);
    hits->setHits(trial.hits);
    summary->setText(summaryOf(trial));
}

void TrialPanel::tryTyped()
{
    uint64_t mask = 0;
    std::string why;
    if (parseLine(entry->text().trimmed().toStdString(), mask, why)) {
        tryLine(mask);
        return;
    }
    tried = 0;
    hits->setHits({});
    summary->setText(QStringLiteral("6つの数字(1〜43)を , で区切って入れてください"));
}

QString TrialPanel::summaryOf(const Trial &trial)
{
    QStringList parts{QStringLiteral("全 %1 回").arg(Texts::count(trial.draws)),
                      Texts::tiers(trial.tiers, Texts::Form::Window, Texts::Digits::Grouped),
                      QStringLiteral("当せん %1 円").arg(Texts::yen(trial.won)),
                      QStringLiteral("購入 %1 円").arg(Texts::yen(trial.cost()))};
    if (trial.unknownPrizes)
        parts << QStringLiteral("賞金不明 %1 回").arg(trial.unknownPrizes);
    return parts.join(QStringLiteral(" · "));
}

#include "trialpanel.moc"

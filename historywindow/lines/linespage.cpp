#include "linespage.h"

#include "historywindow/parts/frequencychart.h"
#include "historywindow/parts/tablefit.h"
#include "texts/texts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

LinesPage::LinesPage(const LogFollower &logFollower, QWidget *parent)
    : QWidget(parent), follower(logFollower), drawEntry(new QLineEdit), drawProblem(new QLabel), view(new QTableView),
      chart(new FrequencyChart(QStringLiteral("数字の出現回数"))), progress(new QProgressBar), evenness(new QLabel),
      count(new QLabel), prizes(new QLabel), skipped(new QLabel)
{
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(drawRow());
    setUpView();
    layout->addWidget(view, 4);
    layout->addWidget(chart, 1);
    layout->addWidget(evenness);
    layout->addLayout(statusRow());

    connect(&follower, &LogFollower::progress, this, [this](qint64 done, qint64 total) {
        progress->setVisible(done < total);
        // In kibibytes: a progress bar counts in int.
        progress->setRange(0, int(total >> 10));
        progress->setValue(int(done >> 10));
    });
    connect(&follower, &LogFollower::changed, progress, &QWidget::hide);
}

QLayout *LinesPage::drawRow()
{
    auto *drawLabel = new QLabel(QStringLiteral("当せん番号(&N):"));
    drawLabel->setBuddy(drawEntry);
    drawEntry->setAccessibleName(QStringLiteral("当せん番号"));
    drawEntry->setPlaceholderText(QStringLiteral("3,7,12,25,31,40+18"));
    drawEntry->setClearButtonEnabled(true);
    auto *check = new QPushButton(QStringLiteral("照合(&C)"));
    check->setAccessibleName(QStringLiteral("照合"));
    connect(check, &QPushButton::clicked, this, &LinesPage::enterDraw);
    connect(drawEntry, &QLineEdit::returnPressed, this, &LinesPage::enterDraw);
    drawProblem->setAccessibleName(QStringLiteral("当せん番号の誤り"));
    auto *tryAll = new QPushButton(QStringLiteral("選んだ行を全回と照合(&W)"));
    tryAll->setAccessibleName(QStringLiteral("選んだ行を全回と照合"));
    // The line chosen in the table (the first, of several); none, for one to be typed in.
    connect(tryAll, &QPushButton::clicked, this, [this] {
        const QModelIndexList chosen = view->selectionModel()->selectedRows();
        emit lineChosenToTry(chosen.isEmpty() ? 0 : table.lineAt(chosen.first().row()).numberMask());
    });
    auto *buy = new QPushButton(QStringLiteral("購入を記録…(&P)"));
    buy->setAccessibleName(QStringLiteral("購入を記録"));
    connect(buy, &QPushButton::clicked, this, [this] { emit linesChosenToBuy(chosenLines()); });
    auto *row = new QHBoxLayout;
    row->addWidget(drawLabel);
    row->addWidget(drawEntry, 1);
    row->addWidget(check);
    row->addWidget(drawProblem, 1);
    row->addWidget(tryAll);
    row->addWidget(buy);
    return row;
}

// The lines chosen in the table, a batch or any, as a ticket names them.
QString LinesPage::chosenLines() const
{
    QModelIndexList chosen = view->selectionModel()->selectedRows();
    std::sort(chosen.begin(), chosen.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() > b.row(); });
    QStringList named;
    for (const QModelIndex &row : chosen) {
        // The record begins with its stamp and letter: "2026/12/06,09:05:03,A".
        named << QString::fromStdString(table.lineAt(row.row()).text().substr(0, 21));
    }
    return named.join(QStringLiteral("; "));
}

void LinesPage::addSection(QWidget *section)
{
    static_cast<QVBoxLayout *>(layout())->insertWidget(1, section);
}

void LinesPage::setUpView()
{
    view->setModel(&table);
    view->setAccessibleName(QStringLiteral("抽選した行"));
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (const int column : {LineTable::Date, LineTable::Time, LineTable::Letter})
        view->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Fixed);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setTabKeyNavigation(false);
}

void LinesPage::fitColumns()
{
    fitToFont(view, {{LineTable::Date, "0000/00/00"}, {LineTable::Time, "00:00:00"}, {LineTable::Letter, "行"}});
}

void LinesPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        fitColumns();
    QWidget::changeEvent(event);
}

QLayout *LinesPage::statusRow()
{
    progress->setAccessibleName(QStringLiteral("読み込み"));
    // Its place is kept while hidden: shown again, it moves nothing else.
    QSizePolicy keep = progress->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    progress->setSizePolicy(keep);
    progress->hide();
    // Their text is what is read out; what each is, is its description.
    for (auto [label, name] : {std::pair{evenness, "偏りの検定"}, std::pair{count, "行数"}, std::pair{prizes, "当せんの集計"},
                               std::pair{skipped, "読めない行"}}) {
        label->setAccessibleDescription(QString::fromUtf8(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    auto *status = new QHBoxLayout;
    status->addWidget(count);
    status->addWidget(prizes, 1);
    status->addWidget(skipped);
    status->addWidget(progress);
    return status;
}

void LinesPage::setLines(SettledLines shown, LineSpan shownSpan)
{
    lines = std::move(shown);
    span = shownSpan;
    table.setLines(lines, span);
    // The whole log's tally is made while it is read; a range is tallied here.
    const bool whole = lines == follower.lines() && span.size() == (lines ? lines->size() : 0);
    const Tally tally = whole ? follower.tally() : tallyOf(span);
    chart->setCounts(tally.numbers, tally.lines);
    evenness->setText(Texts::evenness(evennessOf(tally), Texts::Form::Window));

    const bool reading = follower.loading() && !follower.missing();
    if (follower.missing() && (!lines || lines->empty()))
        count->setText(QStringLiteral("ログはまだありません"));
    else if (follower.failed())
        count->setText(QStringLiteral("ログを読めません (%1)").arg(follower.failure()));
    else
        count->setText(QStringLiteral("行数: %1%2").arg(span.size()).arg(reading ? QStringLiteral(" (読み込み中)") : QString()));
    // The first few say where to look; the count says how many.
    const NumberList &unreadable = follower.skipped();
    skipped->setText(unreadable.empty() ? QString()
                                        : QStringLiteral("読めない行: %1 (%2)").arg(unreadable.count).arg(Texts::listed(unreadable)));
    tallyTyped();
    showPrizes();
}

void LinesPage::setBookDraw(std::optional<BookDraw> chosen)
{
    bookDraw = std::move(chosen);
    if (bookDraw && typed) {
        const QSignalBlocker quiet(drawEntry);
        drawEntry->clear();
        typed.reset();
    }
    showDraw();
}

void LinesPage::enterDraw()
{
    AnnouncedDraw entered;
    std::string why;
    const QString text = drawEntry->text().trimmed();
    if (text.isEmpty()) {
        typed.reset();
        drawProblem->clear();
    } else if (parseDraw(text.toStdString(), entered, why)) {
        typed = entered;
        drawProblem->clear();
    } else {
        drawProblem->setText(QStringLiteral("6つの数字(1〜43)と+ボーナス数字を入れてください"));
        return;
    }
    emit drawTyped();
    tallyTyped();
    showDraw();
}

// What the lines shown win against the draw typed in: a tally of all of
// them, made when either changes, not at every change of the book's totals.
void LinesPage::tallyTyped()
{
    typedTiers = typed ? tallyOf(span, &*typed).prizes : Game::ByTier<uint64_t>{};
}

// The draw the lines are checked against: one chosen in the results book,
// against the lines played for it, or one typed in, against all shown.
void LinesPage::showDraw()
{
    if (bookDraw)
        table.setDraw(bookDraw->draw, bookDraw->playedFor);
    else
        table.setDraw(typed);
    showPrizes();
}

// The prize summary alone: the lines keep their marks as they change.
void LinesPage::showPrizes()
{
    prizes->setText(bookDraw || typed ? Texts::tiers(bookDraw ? bookDraw->won : typedTiers, Texts::Form::Window) : QString());
}

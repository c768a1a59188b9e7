#include "historywindow.h"

#include "tables.h"

#include "calendar/calendar.h"
#include "model/fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <tuple>

const QString HistoryWindow::title = QStringLiteral("履歴と照合");

namespace {
QDateEdit *dateEdit(const QString &name)
{
    auto *edit = new QDateEdit(QDate::currentDate());
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    edit->setCalendarPopup(true);
    edit->setEnabled(false);
    edit->setAccessibleName(name);
    return edit;
}
} // namespace

HistoryWindow::HistoryWindow(const QString &logPath, QWidget *parent)
    : QWidget(parent, Qt::Window), follower(logPath), fromOn(new QCheckBox(QStringLiteral("開始日(&F)"))),
      toOn(new QCheckBox(QStringLiteral("終了日(&T)"))), from(dateEdit(QStringLiteral("開始日"))),
      to(dateEdit(QStringLiteral("終了日"))), drawEntry(new QLineEdit), drawProblem(new QLabel),
      view(new QTableView),
      results(new ResultsPanel(logPath.isEmpty() ? QString()
                                                 : QFileInfo(logPath).path() + '/' + QLatin1String(ResultsBook::fileName))),
      figures(new DrawFigures), trial(new TrialPanel), pages(new QTabWidget), drawsScroll(new QScrollArea),
      chart(new FrequencyChart(QStringLiteral("数字の出現回数"))), progress(new QProgressBar), evenness(new QLabel),
      count(new QLabel), prizes(new QLabel), skipped(new QLabel)
{
    Fonts::substituteJapaneseFaces();
    setFont(Fonts::gothicFont(10));
    setWindowTitle(title);
    setObjectName(QStringLiteral("HistoryWindow"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rangeRow());
    pages->addTab(linesPage(), QStringLiteral("抽選した行(&L)"));
    pages->addTab(drawsPage(), QStringLiteral("当せん結果(&B)"));
    layout->addWidget(pages, 1);
    fitColumns(); // in the window's face, which the view has from here on
    resize(760, 740);
    setAcceptDrops(true);
    // A draw chosen in the book takes the place of one typed in, and the other way round.
    connect(results, &ResultsPanel::changed, this, [this] {
        if (results->chosen() && draw) {
            const QSignalBlocker quiet(drawEntry);
            drawEntry->clear();
            draw.reset();
        }
        showDraw();
    });
    connect(results, &ResultsPanel::bookChanged, this, &HistoryWindow::showDraws);
    // The page of draws is taller than the window: what the keyboard goes
    // to, by Tab or a control's key, is scrolled into sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && drawsScroll->widget()->isAncestorOf(now))
            drawsScroll->ensureWidgetVisible(trial->isAncestorOf(now) ? trial : now);
    });
    follow();
    showLines();
}

QLayout *HistoryWindow::rangeRow()
{
    auto *range = new QHBoxLayout;
    for (auto [on, date] : {std::pair{fromOn, from}, std::pair{toOn, to}}) {
        on->setAccessibleName(date->accessibleName());
        range->addWidget(on);
        range->addWidget(date);
        connect(on, &QCheckBox::toggled, date, &QWidget::setEnabled);
        // The draws follow the range, not each change of the log.
        for (auto show : {&HistoryWindow::showLines, &HistoryWindow::showDraws}) {
            connect(on, &QCheckBox::toggled, this, show);
            connect(date, &QDateEdit::dateChanged, this, show);
        }
    }
    range->addStretch();
    return range;
}

// The lines picked: the table, how often each number came up among them and
// the test of it, and what they win against a draw typed in or chosen.
QWidget *HistoryWindow::linesPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(drawRow());
    setUpView();
    layout->addWidget(view, 4);
    layout->addWidget(chart, 1);
    layout->addWidget(evenness);
    layout->addLayout(statusRow());
    return page;
}

// The draws of the results book: the lines played for each and the totals,
// the figures of the draws themselves, and a line tried against them all. A
// page taller than the window: it scrolls.
QWidget *HistoryWindow::drawsPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(results);
    layout->addWidget(figures);
    layout->addWidget(trial);
    drawsScroll->setWidget(page);
    drawsScroll->setWidgetResizable(true);
    drawsScroll->setFrameShape(QFrame::NoFrame);
    return drawsScroll;
}

QLayout *HistoryWindow::drawRow()
{
    auto *drawLabel = new QLabel(QStringLiteral("当せん番号(&N):"));
    drawLabel->setBuddy(drawEntry);
    drawEntry->setAccessibleName(QStringLiteral("当せん番号"));
    drawEntry->setPlaceholderText(QStringLiteral("3,7,12,25,31,40+18"));
    drawEntry->setClearButtonEnabled(true);
    auto *check = new QPushButton(QStringLiteral("照合(&C)"));
    check->setAccessibleName(QStringLiteral("照合"));
    connect(check, &QPushButton::clicked, this, &HistoryWindow::enterDraw);
    connect(drawEntry, &QLineEdit::returnPressed, this, &HistoryWindow::enterDraw);
    drawProblem->setAccessibleName(QStringLiteral("当せん番号の誤り"));
    auto *tryAll = new QPushButton(QStringLiteral("選んだ行を全回と照合(&W)"));
    tryAll->setAccessibleName(QStringLiteral("選んだ行を全回と照合"));
    connect(tryAll, &QPushButton::clicked, this, &HistoryWindow::trySelectedLine);
    auto *row = new QHBoxLayout;
    row->addWidget(drawLabel);
    row->addWidget(drawEntry, 1);
    row->addWidget(check);
    row->addWidget(drawProblem, 1);
    row->addWidget(tryAll);
    return row;
}

void HistoryWindow::setUpView()
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

void HistoryWindow::fitColumns()
{
    Tables::fit(view, {{LineTable::Date, "0000/00/00"}, {LineTable::Time, "00:00:00"}, {LineTable::Letter, "行"}});
}

void HistoryWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        fitColumns();
    QWidget::changeEvent(event);
}

QLayout *HistoryWindow::statusRow()
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

void HistoryWindow::follow()
{
    connect(&follower, &LogFollower::newest, this, [this](SettledLines lines) {
        if (!follower.loading())
            return; // the whole log came first
        shown = lines;
        showLines();
    });
    connect(&follower, &LogFollower::progress, this, [this](qint64 done, qint64 total) {
        progress->setVisible(done < total);
        // In kibibytes: a progress bar counts in int.
        progress->setRange(0, int(total >> 10));
        progress->setValue(int(done >> 10));
    });
    connect(&follower, &LogFollower::changed, this, [this] {
        shown = follower.lines();
        showSpanOfLog();
        progress->hide();
        showLines();
    });
}

// An open end of the range shows where the log ends, as a start to narrow it from.
void HistoryWindow::showSpanOfLog()
{
    if (shown->empty())
        return;
    for (auto [on, date, day] : {std::tuple{fromOn, from, shown->front().date()}, std::tuple{toOn, to, shown->back().date()}}) {
        if (!on->isChecked()) {
            const QSignalBlocker quiet(date);
            date->setDate(Calendar::dayOf<QDate>(day));
        }
    }
}

int HistoryWindow::dateOf(const QCheckBox *on, const QDateEdit *date) const
{
    return on->isChecked() ? Calendar::dateOf(date->date()) : 0;
}

void HistoryWindow::showLines()
{
    const std::vector<LoggedLine> none;
    const std::vector<LoggedLine> &lines = shown ? *shown : none;
    span = linesBetween(lines, dateOf(fromOn, from), dateOf(toOn, to));
    table.show(shown, span);
    results->showLines(shown, span);
    // The whole log's tally is made while it is read; a range is tallied here.
    const bool whole = shown == follower.lines() && span.size() == lines.size();
    const Tally tally = whole ? follower.tally() : tallyOf(span);
    chart->setCounts(tally.numbers, tally.lines);
    evenness->setText(FrequencyChart::judge(evennessOf(tally)));

    const bool reading = follower.loading() && !follower.missing();
    if (follower.missing() && lines.empty())
        count->setText(QStringLiteral("ログはまだありません"));
    else if (follower.failed())
        count->setText(QStringLiteral("ログを読めません (%1)").arg(follower.failure()));
    else
        count->setText(QStringLiteral("行数: %1%2").arg(span.size()).arg(reading ? QStringLiteral(" (読み込み中)") : QString()));
    // The first few say where to look; the count says how many.
    const NumberList &unreadable = follower.skipped();
    skipped->setText(unreadable.empty() ? QString()
                                        : QStringLiteral("読めない行: %1 (%2)").arg(unreadable.count).arg(Tables::listed(unreadable)));
    tallyTyped();
    showPrizes();
}

// The draws of the book in the range, as the figures and the trial show them.
void HistoryWindow::showDraws()
{
    const int fromDate = dateOf(fromOn, from), toDate = dateOf(toOn, to);
    figures->show(results->book(), fromDate, toDate);
    trial->show(results->book(), fromDate, toDate);
}

// The line chosen in the table tried against every draw (the first, of
// several); with none chosen, one is typed in.
void HistoryWindow::trySelectedLine()
{
    pages->setCurrentWidget(drawsScroll);
    const QModelIndexList chosen = view->selectionModel()->selectedRows();
    if (!chosen.isEmpty())
        trial->tryLine(table.lineAt(chosen.first().row()).numberMask());
    else
        trial->setFocus();
    drawsScroll->ensureWidgetVisible(trial);
}

// The draw the lines are checked against: one chosen in the results book,
// against the lines played for it, or one typed in, against all shown.
void HistoryWindow::showDraw()
{
    if (const DrawResult *chosen = results->chosen()) {
        const int number = chosen->number, draws = results->drawsInARow();
        table.setDraw(chosen->draw, [book = results->book(), number, draws](const LoggedLine &line) {
            return Plays::playedFor(book, line, number, draws);
        });
    } else {
        table.setDraw(draw);
    }
    showPrizes();
}

// The prize summary alone: the lines keep their marks as they change.
void HistoryWindow::showPrizes()
{
    const DrawResult *chosen = results->chosen();
    const Game::ByTier<uint64_t> tiers = chosen ? results->totalsOf(*chosen).tiers : typedTiers;
    prizes->setText(chosen || draw ? QStringLiteral("1等 %1 · 2等 %2 · 3等 %3 · 4等 %4 · 5等 %5")
                                         .arg(tiers[1]).arg(tiers[2]).arg(tiers[3]).arg(tiers[4]).arg(tiers[5])
                                   : QString());
}

void HistoryWindow::enterDraw()
{
    AnnouncedDraw entered;
    std::string why;
    const QString text = drawEntry->text().trimmed();
    if (text.isEmpty()) {
        draw.reset();
        drawProblem->clear();
    } else if (parseDraw(text.toStdString(), entered, why)) {
        draw = entered;
        drawProblem->clear();
    } else {
        drawProblem->setText(QStringLiteral("6つの数字(1〜43)と+ボーナス数字を入れてください"));
        return;
    }
    results->letGo();
    tallyTyped();
    showDraw();
}

// What the lines shown win against the draw typed in: a tally of all of
// them, made when either changes, not at every change of the book's totals.
void HistoryWindow::tallyTyped()
{
    typedTiers = draw ? tallyOf(span, &*draw).prizes : Game::ByTier<uint64_t>{};
}

void HistoryWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

// Each result file dropped is read into the book.
void HistoryWindow::dropEvent(QDropEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            results->import(url.toLocalFile());
    event->acceptProposedAction();
}

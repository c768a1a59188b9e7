#include "resultspanel.h"

#include "historywindow/parts/describedline.h"
#include "historywindow/parts/tablefit.h"
#include "texts/texts.h"

#include "calendar/calendar.h"

#include <QDateEdit>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

ResultsPanel::ResultsPanel(const QString &bookPath, QWidget *parent)
    : QWidget(parent), keeper(bookPath), drawCount(new QSpinBox), number(new QSpinBox), date(new QDateEdit),
      numbers(new QLineEdit), prizes(new QLineEdit), view(new QTableView), totals(describedLine("収支")),
      ifBought(describedLine("買っていれば")), report(describedLine("読み込みの結果"))
{
    auto *open = new QPushButton(QStringLiteral("結果の読み込み…(&I)"));
    open->setAccessibleName(QStringLiteral("結果の読み込み"));
    // open(), not exec(): a draw running in the main window meanwhile does not wait for the dialog.
    connect(open, &QPushButton::clicked, this, [this] {
        auto *dialog = new QFileDialog(window(), QStringLiteral("結果の読み込み"), QString(),
                                       QStringLiteral("CSV (*.csv *.txt);;すべてのファイル (*)"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setFileMode(QFileDialog::ExistingFile);
        connect(dialog, &QFileDialog::fileSelected, this, &ResultsPanel::import);
        dialog->open();
    });
    auto *countLabel = new QLabel(QStringLiteral("継続回数(&K):"));
    countLabel->setBuddy(drawCount);
    drawCount->setRange(1, Game::mostDraws);
    drawCount->setAccessibleName(QStringLiteral("継続回数"));
    connect(drawCount, qOverload<int>(&QSpinBox::valueChanged), this, &ResultsPanel::workOutLedger);
    auto *top = new QHBoxLayout;
    top->addWidget(open);
    top->addStretch();
    top->addWidget(countLabel);
    top->addWidget(drawCount);

    view->setModel(&table);
    view->setAccessibleName(QStringLiteral("当せん結果"));
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setTabKeyNavigation(false);
    view->setMinimumHeight(220);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ResultsPanel::changed);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(entryRow());
    layout->addWidget(totals);
    // What every line logged would have cost and won: a view of its own, never what was spent.
    auto *heading = new QLabel(QStringLiteral("買っていれば: 抽選した行をすべて、継続回数だけ買っていたら"));
    heading->setAccessibleName(QStringLiteral("買っていれば"));
    layout->addWidget(heading);
    layout->addWidget(view, 1);
    layout->addWidget(ifBought);
    layout->addWidget(report);

    fitColumns();
    connect(&keeper, &BookKeeper::bookRead, this, &ResultsPanel::showBook);
    connect(&keeper, &BookKeeper::changed, this, &ResultsPanel::showChange);
    connect(&keeper, &BookKeeper::unreadable, this, [this](const QString &path, const QString &why) {
        tell(QStringLiteral("読み込めません: %1 (%2)").arg(QFileInfo(path).fileName(), why));
    });
}

void ResultsPanel::fitColumns()
{
    fitToFont(view, {{DrawTable::Number, "第9999回"}, {DrawTable::Date, "0000/00/00"},
                     {DrawTable::Numbers, "43 43 43 43 43 43 +43"}, {DrawTable::Lines, "99999"},
                     {DrawTable::FirstTier, "999"}, {DrawTable::FirstTier + 1, "999"}, {DrawTable::FirstTier + 2, "9999"},
                     {DrawTable::FirstTier + 3, "99999"}, {DrawTable::FirstTier + 4, "999999"},
                     {DrawTable::Won, "9,999,999,999 +?"}, {DrawTable::Cost, "99,999,999"}});
}

void ResultsPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        fitColumns();
    QWidget::changeEvent(event);
}

// A draw entered by hand: its number, its date, the six numbers and the
// bonus, and the prizes if they are known.
QLayout *ResultsPanel::entryRow()
{
    auto *numberLabel = new QLabel(QStringLiteral("第(&D)"));
    numberLabel->setBuddy(number);
    number->setRange(1, 999999);
    number->setAccessibleName(QStringLiteral("回"));
    date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    date->setDate(QDate::currentDate());
    date->setCalendarPopup(true);
    date->setAccessibleName(QStringLiteral("抽せん日"));
    numbers->setPlaceholderText(QStringLiteral("3,7,12,25,31,40+18"));
    numbers->setAccessibleName(QStringLiteral("記録する当せん番号"));
    prizes->setPlaceholderText(QStringLiteral("賞金 1等,2等,3等,4等,5等"));
    prizes->setAccessibleName(QStringLiteral("賞金"));
    auto *add = new QPushButton(QStringLiteral("結果に記録(&R)"));
    add->setAccessibleName(QStringLiteral("結果に記録"));
    connect(add, &QPushButton::clicked, this, &ResultsPanel::record);
    auto *row = new QHBoxLayout;
    row->addWidget(numberLabel);
    row->addWidget(number);
    row->addWidget(new QLabel(QStringLiteral("回")));
    row->addWidget(date);
    row->addWidget(numbers, 2);
    row->addWidget(prizes, 3);
    row->addWidget(add);
    return row;
}

int ResultsPanel::drawsInARow() const
{
    return drawCount->value();
}

const DrawResult *ResultsPanel::chosen() const
{
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : &table.drawAt(rows.first().row());
}

Plays::DrawTotals ResultsPanel::totalsOf(const DrawResult &draw) const
{
    for (int row = 0; row < table.rowCount(); ++row)
        if (table.drawAt(row).number == draw.number)
            return table.totalsAt(row);
    return {};
}

void ResultsPanel::clearChoice()
{
    view->clearSelection();
}

void ResultsPanel::setTicketTotals(const QString &text)
{
    totals->setText(text);
}

void ResultsPanel::setLines(SettledLines shown, LineSpan shownSpan)
{
    lines = std::move(shown);
    span = shownSpan;
    workOutLedger();
}

// The book as it was read: shown, and what is wrong with its file said once.
void ResultsPanel::showBook(const BookFile::Read &read)
{
    results = read.book;
    QString problem;
    const QLatin1String name(ResultsBook::fileName);
    if (read.error == BookFile::notABook)
        problem = QStringLiteral("%1 は結果の記録ではないため、書き換えません").arg(name);
    else if (read.error && read.error != ENOENT)
        problem = QStringLiteral("%1 を読めません (%2)").arg(name, BookFile::reason(read.error));
    else if (!read.book.skipped().empty())
        problem = QStringLiteral("%1 の読めない行: %2 (%3)")
                      .arg(name)
                      .arg(read.book.skipped().count)
                      .arg(Texts::listed(read.book.skipped()));
    if (problem != bookProblem && (!problem.isEmpty() || reportSaysProblem)) {
        report->setText(problem);
        reportSaysProblem = !problem.isEmpty();
    }
    bookProblem = problem;
    workOutLedger();
    emit bookChanged();
}

void ResultsPanel::record()
{
    AnnouncedDraw announced;
    std::string why;
    DrawResult draw;
    if (!parseDraw(numbers->text().trimmed().toStdString(), announced, why)
        || !makeDraw(number->value(), Calendar::dateOf(date->date()), announced.numbers, announced.bonus, draw)
        || !readPrizes(prizes->text().toStdString(), draw.prizes)) {
        tell(QStringLiteral("記録できません: 6つの数字(1〜43)と+ボーナス数字、賞金は5つを , で区切って入れてください"));
        return;
    }
    keeper.record(draw);
}

void ResultsPanel::import(const QString &path)
{
    keeper.import(path);
}

// A report that says nothing of the book's file.
void ResultsPanel::tell(const QString &text)
{
    report->setText(text);
    reportSaysProblem = false;
}

// Says what came of a change to the book, and shows the book as it now stands.
void ResultsPanel::showChange(const BookFile::Update &update, const NumberList &skippedRows,
                              const NumberList &unreadablePrizes)
{
    if (!update.failure.isEmpty()) {
        tell(QStringLiteral("保存できませんでした: %1 (%2)").arg(QLatin1String(ResultsBook::fileName), update.failure));
        return;
    }
    const ResultsBook::Merging &merged = update.merging;
    // "食い違い 1 (第1500回)": how many, and which.
    const auto counted = [](const char *what, const NumberList &numbers, const std::function<QString(uint64_t)> &named = {}) {
        const QString text = QStringLiteral("%1 %2").arg(QString::fromUtf8(what)).arg(numbers.count);
        return numbers.empty() ? text : text + QStringLiteral(" (%1)").arg(Texts::listed(numbers, named));
    };
    const auto drawName = [](uint64_t n) { return QStringLiteral("第%1回").arg(n); };
    QStringList parts{QStringLiteral("追加 %1").arg(merged.added), QStringLiteral("既存 %1").arg(merged.known),
                      counted("食い違い", merged.conflicts, drawName), counted("読めない行", skippedRows)};
    if (!unreadablePrizes.empty())
        parts << counted("賞金を読めない", unreadablePrizes);
    tell(parts.join(QStringLiteral(" · ")));
    results = update.read.book;
    workOutLedger();
    emit bookChanged();
}

// What the lines shown cost and won, worked out behind the window's thread:
// a log of years holds millions of lines.
void ResultsPanel::workOutLedger()
{
    ledgerWork.run([book = results, lines = lines, span = span, draws = drawsInARow()] {
        return Plays::ledgerOf(book, span, draws);
    }, [this, book = results](const Plays::Ledger &ledger) {
        // Told anew only of a change, and the draw chosen stays chosen.
        const int chosenNumber = chosen() ? chosen()->number : 0;
        if (table.setDraws(book, ledger))
            for (int row = 0; row < table.rowCount(); ++row)
                if (table.drawAt(row).number == chosenNumber)
                    view->selectRow(row);
        const Plays::DrawTotals &all = ledger.all;
        // Never called spent or won: no player buys every line.
        QString text = QStringLiteral("%1 行すべてなら %2 円 · 賞金 %3 円 · 差 %4 円")
                           .arg(Texts::count(all.lines), Texts::yen(all.cost()), Texts::yen(all.won),
                                Texts::yen(all.won - all.cost()));
        if (all.cost() > 0)
            text += QStringLiteral(" · %1 %").arg(QLocale(QLocale::English).toString(100.0 * double(all.won) / double(all.cost()), 'f', 1));
        text += QStringLiteral(" · 結果待ち %1 行").arg(Texts::count(ledger.waiting));
        if (all.unknownPrizes)
            text += QStringLiteral(" · 賞金不明 %1 行").arg(all.unknownPrizes);
        ifBought->setText(text);
        if (chosen()) // what the lines played for it won
            emit changed();
    }, Background::StandsIn);
}

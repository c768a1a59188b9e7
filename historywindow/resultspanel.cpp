#include "resultspanel.h"

#include "platform/filewatch.h"
#include "platform/guipost.h"
#include "platform/inputfile.h"
#include "platform/regularfile.h"
#include "platform/textfile.h"
#include "results/resultfile.h"

#include <QDateEdit>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace {
// "1, 5, 17", or the first ten of them and "…".
template<typename Numbers, typename Shown>
QString listed(const Numbers &numbers, Shown shown)
{
    QStringList texts;
    for (const auto n : numbers)
        if (texts.size() < 10)
            texts << shown(n);
    if (size_t(numbers.size()) > 10)
        texts << QStringLiteral("…");
    return texts.join(QStringLiteral(", "));
}

// What the book's five prizes are given as: "200000000,10000000,300000,6800,1000",
// any of them left empty, or nothing at all.
bool readPrizes(const QString &text, std::array<int64_t, 5> &prizes)
{
    if (text.trimmed().isEmpty())
        return true;
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 5)
        return false;
    for (int tier = 0; tier < 5; ++tier) {
        const QString field = fields[tier].trimmed();
        bool number = true;
        prizes[size_t(tier)] = field.isEmpty() ? DrawResult::unknown : field.toLongLong(&number);
        if (!number || prizes[size_t(tier)] < DrawResult::unknown)
            return false;
    }
    return true;
}

QLabel *readOut(const char *description)
{
    auto *label = new QLabel;
    label->setAccessibleDescription(QString::fromUtf8(description));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setWordWrap(true);
    return label;
}
} // namespace

ResultsPanel::ResultsPanel(const QString &bookPath, QWidget *parent)
    : QWidget(parent), bookPath(bookPath), drawCount(new QSpinBox), number(new QSpinBox), date(new QDateEdit),
      numbers(new QLineEdit), prizes(new QLineEdit), view(new QTableView), totals(readOut("収支")),
      report(readOut("読み込みの結果"))
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
    drawCount->setRange(1, Plays::mostDraws);
    drawCount->setAccessibleName(QStringLiteral("継続回数"));
    connect(drawCount, qOverload<int>(&QSpinBox::valueChanged), this, &ResultsPanel::workOut);
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
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ResultsPanel::changed);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(entryRow());
    layout->addWidget(view, 1);
    layout->addWidget(totals);
    layout->addWidget(report);

    fitColumns();
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &ResultsPanel::load);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &ResultsPanel::load);
    load();
}

// Widths from the font, not from the rows, and again when the font changes
// (as the panel takes the window's): measuring thousands of rows at every
// change of the log would hold up the window's thread.
void ResultsPanel::fitColumns()
{
    const QFontMetrics metrics = view->fontMetrics();
    view->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 4;
    const char *widest[DrawTable::Columns] = {"第9999回", "0000/00/00", "43 43 43 43 43 43 +43", "99999", "999", "999",
                                              "9999", "99999", "999999", "9,999,999,999 +?", "99,999,999"};
    for (int column = 0; column < DrawTable::Columns; ++column)
        view->horizontalHeader()->resizeSection(column,
                                                std::max(metrics.horizontalAdvance(QString::fromUtf8(widest[column])) + margins,
                                                         view->horizontalHeader()->sectionSizeHint(column)));
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
    numbers->setAccessibleName(QStringLiteral("当せん番号"));
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

int ResultsPanel::draws() const
{
    return drawCount->value();
}

const DrawResult *ResultsPanel::chosen() const
{
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : &table.drawAt(rows.first().row());
}

Plays::DrawTotals ResultsPanel::ledgerOf(const DrawResult &draw) const
{
    for (int row = 0; row < table.rowCount(); ++row)
        if (table.drawAt(row).number == draw.number)
            return table.totalsAt(row);
    return {};
}

void ResultsPanel::letGo()
{
    view->clearSelection();
}

void ResultsPanel::showLines(SettledLines shown, LineSpan shownSpan)
{
    lines = std::move(shown);
    span = shownSpan;
    workOut();
}

// The book is read behind the window's thread, and only as a regular file.
void ResultsPanel::load()
{
    watchFile(watcher, bookPath);
    reading.run([path = QFile::encodeName(bookPath).toStdString(), this]() -> std::function<void()> {
        std::string bytes;
        const RegularFile file(path, O_RDONLY);
        int error = file.error();
        for (char piece[65536]; file.isOpen();) {
            const ssize_t n = ::read(file.handle(), piece, sizeof piece);
            if (n <= 0) {
                error = n < 0 ? errno : 0;
                break;
            }
            bytes.append(piece, size_t(n));
        }
        ResultsBook book = ResultsBook::read(bytes.data(), error ? 0 : bytes.size());
        return [this, book = std::move(book), error] {
            if (error && error != ENOENT)
                report->setText(QStringLiteral("%1 を読めません (%2)")
                                    .arg(QLatin1String(ResultsBook::fileName), QString::fromStdString(RegularFile::reason(error))));
            else if (book.skippedCount())
                report->setText(QStringLiteral("%1 の読めない行: %2 (%3)")
                                    .arg(QLatin1String(ResultsBook::fileName))
                                    .arg(book.skippedCount())
                                    .arg(listed(book.skippedLines(), [](uint64_t n) { return QString::number(n); })));
            results = book;
            workOut();
        };
    });
}

void ResultsPanel::record()
{
    AnnouncedDraw announced;
    std::string why;
    DrawResult draw;
    const QDate day = date->date();
    if (!parseDraw(numbers->text().trimmed().toStdString(), announced, why)
        || !makeDraw(number->value(), day.year() * 10000 + day.month() * 100 + day.day(), announced.numbers,
                     announced.bonus, draw)
        || !readPrizes(prizes->text(), draw.prizes)) {
        report->setText(QStringLiteral("記録できません: 6つの数字(1〜43)と+ボーナス数字、賞金は5つを , で区切って入れてください"));
        return;
    }
    save(results.mergeAll({draw}), {});
}

// Reads the file behind the window's thread, then takes its draws in.
void ResultsPanel::import(const QString &path)
{
    std::thread([post = GuiPost::to(this, {}), this, path] {
        std::string bytes;
        const int error = InputFile::read(QFile::encodeName(path).toStdString(),
                                          [&bytes](const char *data, size_t size) { bytes.append(data, size); });
        const ResultFile file = error ? ResultFile() : ResultFile::read(QByteArray::fromStdString(bytes));
        post->call([this, path, error, file] {
            if (error)
                report->setText(QStringLiteral("読み込めません: %1 (%2)")
                                    .arg(QFileInfo(path).fileName(), QString::fromStdString(RegularFile::reason(error))));
            else
                save(results.mergeAll(file.draws), file.skippedLines);
        });
    }).detach();
}

// Writes the book as the batch file is written, whole or not at all, and says what came of it.
void ResultsPanel::save(const ResultsBook::Merging &merged, const std::vector<uint64_t> &skippedLines)
{
    QString why;
    if (merged.changed() && !TextFile::replaceWith(bookPath, QByteArray::fromStdString(results.text()), why)) {
        report->setText(QStringLiteral("保存できませんでした: %1 (%2)").arg(QLatin1String(ResultsBook::fileName), why));
        load(); // what is on the disk
        return;
    }
    const auto drawName = [](int n) { return QStringLiteral("第%1回").arg(n); };
    const auto lineNumber = [](uint64_t n) { return QString::number(n); };
    QString text = QStringLiteral("追加 %1 · 既存 %2 · 食い違い %3").arg(merged.added).arg(merged.known).arg(merged.conflicts.size());
    if (!merged.conflicts.empty())
        text += QStringLiteral(" (%1)").arg(listed(merged.conflicts, drawName));
    text += QStringLiteral(" · 読めない行 %1").arg(skippedLines.size());
    if (!skippedLines.empty())
        text += QStringLiteral(" (%1)").arg(listed(skippedLines, lineNumber));
    report->setText(text);
    workOut();
}

// What the lines shown cost and won, worked out behind the window's thread:
// a log of years holds millions of lines.
void ResultsPanel::workOut()
{
    working.run([book = results, lines = lines, span = span, draws = draws(), this]() -> std::function<void()> {
        Plays::Ledger ledger = Plays::ledgerOf(book, span, draws);
        return [this, book, ledger = std::move(ledger)] {
            // The draw chosen stays chosen.
            const int chosenNumber = chosen() ? chosen()->number : 0;
            shownLedger = ledger;
            table.show(book, ledger);
            for (int row = 0; row < table.rowCount(); ++row)
                if (table.drawAt(row).number == chosenNumber)
                    view->selectRow(row);
            const Plays::DrawTotals &all = ledger.all;
            QString text = QStringLiteral("購入 %1 行 · %2 円 · 当せん %3 円 · 収支 %4 円 · 結果待ち %5 行")
                               .arg(DrawTable::yen(int64_t(all.lines)), DrawTable::yen(all.cost()), DrawTable::yen(all.won),
                                    DrawTable::yen(all.won - all.cost()), DrawTable::yen(int64_t(ledger.waiting)));
            if (all.unknownPrizes)
                text += QStringLiteral(" · 賞金不明 %1 行").arg(all.unknownPrizes);
            totals->setText(text);
            emit changed();
        };
    });
}

#include "historywindow.h"

#include "historywindow/book/bookpage.h"
#include "historywindow/lines/linespage.h"
#include "historywindow/tickets/buypanel.h"
#include "historywindow/tickets/ticketspage.h"

#include "calendar/calendar.h"
#include "model/fonts.h"
#include "texts/texts.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QHBoxLayout>
#include <QTabWidget>
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

QString besideLog(const QString &logPath, const char *name)
{
    return logPath.isEmpty() ? QString() : QFileInfo(logPath).path() + '/' + QLatin1String(name);
}
} // namespace

HistoryWindow::HistoryWindow(const QString &logPath, QWidget *parent)
    : QWidget(parent, Qt::Window), follower(logPath), fromOn(new QCheckBox(QStringLiteral("開始日(&F)"))),
      toOn(new QCheckBox(QStringLiteral("終了日(&T)"))), from(dateEdit(QStringLiteral("開始日"))),
      to(dateEdit(QStringLiteral("終了日"))), pages(new QTabWidget), linesPage(new LinesPage(follower)),
      bookPage(new BookPage(besideLog(logPath, ResultsBook::fileName))),
      ticketsPage(new TicketsPage(besideLog(logPath, TicketBook::fileName))),
      buyPanel(new BuyPanel(ticketsPage->keeper()))
{
    Fonts::substituteJapaneseFaces();
    setFont(Fonts::gothicFont(10));
    setWindowTitle(title);
    setObjectName(QStringLiteral("HistoryWindow"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rangeRow());
    pages->addTab(linesPage, QStringLiteral("抽選した行(&L)"));
    pages->addTab(bookPage, QStringLiteral("当せん結果(&B)"));
    pages->addTab(ticketsPage, QStringLiteral("購入の記録(&S)"));
    layout->addWidget(pages, 1);
    resize(760, 740);
    setAcceptDrops(true);
    // A draw chosen in the book takes the place of one typed in, and the other way round.
    ResultsPanel &results = bookPage->results();
    connect(&results, &ResultsPanel::changed, this, &HistoryWindow::showBookDraw);
    connect(linesPage, &LinesPage::drawTyped, &results, &ResultsPanel::clearChoice);
    connect(linesPage, &LinesPage::lineChosenToTry, this, &HistoryWindow::tryOnEveryDraw);
    follow();
    followTickets();
    showLines();
}

// The tickets bought: recorded from the lines page, their totals told on the book's.
void HistoryWindow::followTickets()
{
    linesPage->addSection(buyPanel);
    connect(linesPage, &LinesPage::linesChosenToBuy, this, [this](const QString &lines) { buyPanel->open(lines, shown); });
    ResultsPanel &results = bookPage->results();
    connect(&results, &ResultsPanel::bookChanged, this, [this, &results] {
        ticketsPage->setBook(results.book());
        buyPanel->setBook(results.book());
    });
    connect(ticketsPage, &TicketsPage::totalsChanged, &results, &ResultsPanel::setTicketTotals);
    results.setTicketTotals(TicketsPage::totalsText({}, {}));
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

void HistoryWindow::follow()
{
    connect(&follower, &LogFollower::newest, this, [this](SettledLines lines) {
        if (!follower.loading())
            return; // the whole log came first
        shown = lines;
        showLines();
    });
    connect(&follower, &LogFollower::changed, this, [this] {
        shown = follower.lines();
        showSpanOfLog();
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
    const LineSpan span = linesBetween(shown ? *shown : none, dateOf(fromOn, from), dateOf(toOn, to));
    linesPage->setLines(shown, span);
    bookPage->results().setLines(shown, span);
}

void HistoryWindow::showDraws()
{
    bookPage->setDateRange(dateOf(fromOn, from), dateOf(toOn, to));
    ticketsPage->setDateRange(dateOf(fromOn, from), dateOf(toOn, to));
}

// The draw chosen in the book, if any, against the lines played for it.
void HistoryWindow::showBookDraw()
{
    const ResultsPanel &results = bookPage->results();
    const DrawResult *chosen = results.chosen();
    if (!chosen) {
        linesPage->setBookDraw(std::nullopt);
        bookPage->setDrawSummary(QString());
        return;
    }
    const int number = chosen->number, draws = results.drawsInARow();
    const Game::ByTier<uint64_t> won = results.totalsOf(*chosen).tiers;
    linesPage->setBookDraw(LinesPage::BookDraw{chosen->draw,
                                               [book = results.book(), number, draws](const LoggedLine &line) {
                                                   return Plays::playedFor(book, line, number, draws);
                                               },
                                               won});
    // Shown on the page the draw is chosen on, too.
    bookPage->setDrawSummary(QStringLiteral("第%1回: %2").arg(number).arg(Texts::tiers(won, Texts::Form::Window)));
}

void HistoryWindow::tryOnEveryDraw(uint64_t lineMask)
{
    pages->setCurrentWidget(bookPage);
    bookPage->tryLine(lineMask);
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
            bookPage->results().import(url.toLocalFile());
    event->acceptProposedAction();
}

void HistoryWindow::setFetching(const Fetching &fetching)
{
    bookPage->setFetching(fetching);
}

#include "ticketspage.h"

#include "historywindow/parts/describedline.h"
#include "historywindow/parts/tablefit.h"
#include "texts/texts.h"

#include "calendar/calendar.h"

#include <QDate>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using TicketPlays::State;

namespace {
QTableView *tableView(QAbstractItemModel *model, const char *name)
{
    auto *view = new QTableView;
    view->setModel(model);
    view->setAccessibleName(QString::fromUtf8(name));
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setTabKeyNavigation(false);
    return view;
}

int today()
{
    return Calendar::dateOf(QDate::currentDate());
}

enum PlayColumn { PlayDraw, PlayDate, PlayLetter, PlayNumbers, PlayOutcome, PlayColumns };
constexpr int drawRole = Qt::UserRole, stateRole = Qt::UserRole + 1;
} // namespace

TicketsPage::TicketsPage(const QString &ticketsPath, QWidget *parent)
    : QWidget(parent), tickets(ticketsPath), plays(new QStandardItemModel(0, PlayColumns, this)),
      view(tableView(&table, "購入の記録")), playsView(tableView(plays, "選んだ購入の内訳")),
      remove(new QPushButton(QStringLiteral("選んだ購入を削除(&X)"))),
      receive(new QPushButton(QStringLiteral("受取済にする(&R)"))),
      unreceive(new QPushButton(QStringLiteral("受取を取り消す(&U)"))), report(describedLine("購入の記録の結果"))
{
    plays->setHorizontalHeaderLabels({QStringLiteral("回"), QStringLiteral("日付"), QStringLiteral("行"),
                                      QStringLiteral("数字"), QStringLiteral("結果")});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(view, 3);
    layout->addLayout(buttonRow());
    layout->addWidget(playsView, 2);
    layout->addWidget(report);
    fitColumns();

    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TicketsPage::showPlays);
    connect(playsView->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TicketsPage::showMarks);
    connect(&tickets, &TicketKeeper::ticketsRead, this, &TicketsPage::showTickets);
    connect(&tickets, &TicketKeeper::changed, this, &TicketsPage::showChange);
    connect(this, &TicketsPage::told, report, &QLabel::setText);
    showPlays();
}

QLayout *TicketsPage::buttonRow()
{
    remove->setAccessibleName(QStringLiteral("選んだ購入を削除"));
    receive->setAccessibleName(QStringLiteral("受取済にする"));
    unreceive->setAccessibleName(QStringLiteral("受取を取り消す"));
    connect(remove, &QPushButton::clicked, this, [this] {
        if (const int ticket = chosenTicket())
            tickets.remove(ticket);
    });
    for (auto [button, received] : {std::pair{receive, true}, std::pair{unreceive, false}}) {
        connect(button, &QPushButton::clicked, this, [this, received = received] {
            const QModelIndexList rows = playsView->selectionModel()->selectedRows();
            if (const int ticket = chosenTicket(); ticket && !rows.isEmpty())
                tickets.setReceived(ticket, rows.first().data(drawRole).toInt(), received);
        });
    }
    auto *row = new QHBoxLayout;
    row->addWidget(remove);
    row->addStretch();
    row->addWidget(receive);
    row->addWidget(unreceive);
    return row;
}

void TicketsPage::fitColumns()
{
    fitToFont(view, {{TicketTable::Number, "9999"}, {TicketTable::Moment, "0000/00/00 00:00:00"},
                     {TicketTable::Lines, "A 43 43 43 43 43 43 / B 43 43 43 43 43 43"}, {TicketTable::Units, "口数"},
                     {TicketTable::Draws, "第9999回–第9999回"}, {TicketTable::Cost, "99,999 円"},
                     {TicketTable::Won, "999,999,999 円 +?"}});
    fitToFont(playsView, {{PlayDraw, "第9999回"}, {PlayDate, "0000/00/00"}, {PlayLetter, "行"},
                          {PlayNumbers, "43 43 43 43 43 43"}});
}

void TicketsPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        fitColumns();
    QWidget::changeEvent(event);
}

void TicketsPage::setBook(const ResultsBook &results)
{
    book = results;
    refresh();
}

void TicketsPage::setDateRange(int from, int to)
{
    fromDate = from;
    toDate = to;
    refresh();
}

void TicketsPage::showTickets(const TicketFile::Read &read)
{
    bought = read.tickets;
    const QLatin1String name(TicketBook::fileName);
    if (read.error == TicketFile::notTickets)
        emit told(QStringLiteral("%1 は購入の記録ではないため、書き換えません").arg(name));
    else if (read.error && read.error != ENOENT)
        emit told(QStringLiteral("%1 を読めません (%2)").arg(name, TicketFile::reason(read.error)));
    else if (!read.tickets.skipped().empty())
        emit told(QStringLiteral("%1 の読めない行: %2 (%3)")
                      .arg(name)
                      .arg(read.tickets.skipped().count)
                      .arg(Texts::listed(read.tickets.skipped())));
    refresh();
}

void TicketsPage::showChange(const QString &failure, const TicketFile::Read &, int recorded)
{
    if (!failure.isEmpty())
        emit told(QStringLiteral("保存できませんでした: %1 (%2)").arg(QLatin1String(TicketBook::fileName), failure));
    else if (recorded)
        emit told(QStringLiteral("購入 %1 を記録しました").arg(recorded));
    else
        emit told(QString());
}

// The table and the totals, made anew on the window's thread: a thousand
// tickets take well under a frame.
void TicketsPage::refresh()
{
    const int chosen = chosenTicket();
    table.setTickets(bought, book, today());
    if (const int row = table.rowOf(chosen); row >= 0)
        view->selectRow(row);
    showPlays();
    emit totalsChanged(totalsText(bought, TicketPlays::totalsOf(bought, book, fromDate, toDate, today())));
}

int TicketsPage::chosenTicket() const
{
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : table.ticketAt(rows.first().row());
}

// The plays of the ticket chosen, on this page: each line for each draw.
void TicketsPage::showPlays()
{
    const int ticket = chosenTicket();
    const QModelIndexList before = playsView->selectionModel()->selectedRows();
    const int chosenRow = before.isEmpty() ? -1 : before.first().row();
    plays->removeRows(0, plays->rowCount());
    remove->setEnabled(ticket != 0);
    if (const Ticket *t = bought.find(ticket)) {
        // The plays of all, kept to the one chosen's.
        TicketPlays::forEachPlay(bought, book, today(), [&](const TicketPlays::Play &p) {
            if (p.ticket != t)
                return;
            QStringList numbers;
            for (const int n : t->lines[p.line].numbers)
                numbers << QString::number(n);
            QList<QStandardItem *> row{
                new QStandardItem(p.draw ? QStringLiteral("第%1回").arg(p.draw) : QStringLiteral("未定")),
                new QStandardItem(p.result ? QString::fromStdString(Calendar::dateText(p.result->date)) : QString()),
                new QStandardItem(QString(QLatin1Char(p.letter()))), new QStandardItem(numbers.join(QLatin1Char(' '))),
                new QStandardItem(outcomeOf(p.tier, p.prize, int(p.state), p.lastDay))};
            row.first()->setData(p.draw, drawRole);
            row.first()->setData(int(p.state), stateRole);
            for (QStandardItem *item : row)
                item->setEditable(false);
            plays->appendRow(row);
        });
    }
    if (chosenRow >= 0 && chosenRow < plays->rowCount())
        playsView->selectRow(chosenRow);
    showMarks();
}

// The buttons that mark a win follow the play chosen.
void TicketsPage::showMarks()
{
    const QModelIndexList rows = playsView->selectionModel()->selectedRows();
    const State state = rows.isEmpty() ? State::waiting : State(rows.first().data(stateRole).toInt());
    receive->setEnabled(state == State::unclaimed || state == State::lost);
    unreceive->setEnabled(state == State::received);
}

QString TicketsPage::totalsText(const TicketBook &tickets, const TicketPlays::Totals &totals)
{
    if (tickets.tickets().empty())
        return QStringLiteral("購入の記録はまだありません: 「抽選した行」で行を選び「購入を記録…」で記録すると、"
                              "購入・当せん・収支・還元はその記録だけから数えます");
    QString text = QStringLiteral("購入 %1 枚 · %2 行 · %3 回分 · %4 円 · 当せん %5 円")
                       .arg(Texts::count(totals.tickets), Texts::count(totals.lines), Texts::count(totals.plays),
                            Texts::yen(totals.spent), Texts::yen(totals.won));
    if (totals.unknownPrizes)
        text += QStringLiteral(" (賞金不明 %1)").arg(totals.unknownPrizes);
    text += QStringLiteral(" · 収支 %1 円").arg(Texts::yen(totals.balance()));
    if (totals.returned() >= 0)
        text += QStringLiteral(" · 還元 %1 %").arg(QLocale(QLocale::English).toString(totals.returned(), 'f', 1));
    text += QStringLiteral(" · 結果待ち %1 回分").arg(Texts::count(totals.waiting));
    if (totals.nearestLastDay)
        text += QStringLiteral(" · 未受取 %1 円 (%2 まで)")
                    .arg(Texts::yen(totals.unclaimed), QString::fromStdString(Calendar::dateText(totals.nearestLastDay)));
    if (totals.lost)
        text += QStringLiteral(" · 期限切れ %1 円").arg(Texts::yen(totals.lost));
    return text;
}

#pragma once

#include "ticketkeeper.h"
#include "tickettable.h"

#include "tickets/ticketplays.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

// The page of the tickets bought, "購入の記録": a table of them, newest
// first, the plays of the one chosen, and from them a ticket removed or a
// win marked received, or unmarked. It works out the totals of the money
// from the tickets alone, over the window's date range.
class TicketsPage : public QWidget
{
    Q_OBJECT
public:
    explicit TicketsPage(const QString &ticketsPath, QWidget *parent = nullptr);

    TicketKeeper &keeper() { return tickets; }
    void setBook(const ResultsBook &book);
    // The dates the totals take (yyyymmdd, 0 for an open end).
    void setDateRange(int fromDate, int toDate);
    // The tickets as last read, for those who wait on them, as the benchmarks do.
    const TicketBook &ticketBook() const { return bought; }

    // The totals of `tickets` as the window says them; with none, where they are recorded.
    static QString totalsText(const TicketBook &tickets, const TicketPlays::Totals &totals);

signals:
    // The totals changed: "購入 2 枚 · 7 行 …".
    void totalsChanged(const QString &text);
    // A report of the tickets: a change made or not, the file unreadable.
    void told(const QString &text);

protected:
    void changeEvent(QEvent *event) override;

private:
    QLayout *buttonRow();
    void fitColumns();
    void showTickets(const TicketFile::Read &read);
    void showChange(const QString &failure, const TicketFile::Read &read, int recorded);
    void refresh();
    void showPlays();
    void showMarks();
    int chosenTicket() const;

    TicketKeeper tickets;
    TicketBook bought;
    ResultsBook book;
    int fromDate = 0, toDate = 0;
    TicketTable table;
    QStandardItemModel *plays;

    QTableView *view, *playsView;
    QPushButton *remove, *receive, *unreceive;
    QLabel *report;
};

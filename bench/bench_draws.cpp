// The draws' page of the history window with a results book of 2,000 draws:
// once the book is read, how long its figures (the counts, the test, the
// gaps, the pairs) take to be worked out and shown, and the page to be
// painted whole; and how long one line takes to be tried against every
// draw; and the totals of 1,000 tickets against those draws, once the files
// are read, alone and with the tickets' table filled as the page fills it. Run it on an X server, or on Qt's offscreen platform.
// Usage: bench_draws [runs]
#include "analysis/trial.h"
#include "bigtickets.h"
#include "calendar/calendar.h"
#include "historywindow/draws/drawfigures.h"
#include "historywindow/draws/trialpanel.h"
#include "historywindow/tickets/ticketspage.h"
#include "historywindow/tickets/tickettable.h"
#include "tickets/ticketplays.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {
// 2,000 draws twice a week, as the lottery holds them, with their prizes.
ResultsBook twoThousandDraws()
{
    std::mt19937 random(1);
    std::string book;
    QDate day(2011, 1, 3);
    for (int number = 1; number <= 2000; ++number, day = day.addDays(day.dayOfWeek() == 1 ? 3 : 4)) {
        std::vector<int> all(43);
        for (int n = 0; n < 43; ++n)
            all[size_t(n)] = n + 1;
        std::shuffle(all.begin(), all.end(), random);
        std::sort(all.begin(), all.begin() + 6);
        book += std::to_string(number) + ',' + Calendar::dateText(Calendar::dateOf(day));
        for (int k = 0; k < 7; ++k)
            book += ',' + std::to_string(all[size_t(k)]);
        book += ",200000000,10000000,300000,6800,1000\r\n";
    }
    return ResultsBook::read(book.data(), book.size());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const ResultsBook book = twoThousandDraws();

    QWidget page;
    auto *figures = new DrawFigures;
    auto *trial = new TrialPanel;
    auto *layout = new QVBoxLayout(&page);
    layout->addWidget(figures);
    layout->addWidget(trial);
    page.resize(740, 1000);
    page.show();
    trial->tryLine(uint64_t(0x7E)); // a line is tried: it is tried again with the book
    app.processEvents();

    std::vector<double> shown, painted;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        figures->setDraws(book, 0, 0);
        trial->setDraws(book, 0, 0);
        shown.push_back(double(timer.nsecsElapsed()) / 1e6);
        page.grab(); // every figure painted, as the page shows them
        painted.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("draws' page with a book of 2,000 draws, median of %d: figures worked out and shown %.2f ms, "
                "and the page painted %.2f ms\n", runs, median(shown), median(painted));

    std::vector<double> tried;
    uint64_t wins = 0;
    for (int i = 0; i < 1000; ++i) {
        QElapsedTimer timer;
        timer.start();
        const Trial result = tryLine(book, uint64_t(0x7E) << i % 37, 0, 0);
        tried.push_back(double(timer.nsecsElapsed()) / 1e3);
        wins += result.hits.size();
    }
    std::printf("a line tried against 2,000 draws, median of 1000: %.0f µs (%.1f wins a line)\n", median(tried),
                double(wins) / 1000);

    const std::string rows = thousandTickets(20110103, 5000);
    const TicketBook tickets = TicketBook::read(rows.data(), rows.size());
    std::vector<double> totalled;
    uint64_t plays = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        plays = TicketPlays::totalsOf(tickets, book, 0, 0, 20261208).plays;
        totalled.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("the totals of 1,000 tickets (%llu plays) against 2,000 draws, median of %d: %.2f ms\n",
                static_cast<unsigned long long>(plays), runs, median(totalled));

    TicketTable table;
    std::vector<double> filled;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        table.setTickets(tickets, book, 20261208);
        const QString totals = TicketsPage::totalsText(tickets, TicketPlays::totalsOf(tickets, book, 0, 0, 20261208));
        filled.push_back(double(timer.nsecsElapsed()) / 1e6);
        plays = uint64_t(totals.size());
    }
    std::printf("the tickets' page: its table of 1,000 tickets filled and its totals said, median of %d: %.2f ms (%d rows)\n",
                runs, median(filled), table.rowCount());
    return 0;
}

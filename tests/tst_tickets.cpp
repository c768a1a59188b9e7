#include "realfiles.h"
#include "calendar/calendar.h"
#include "tickets/ticketplays.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

namespace {
// 29 February 2024 is a Thursday; 1902 (4 March) is missing, as a draw not yet typed in.
const QByteArray book = "1900,2024/02/26,1,2,3,4,5,6,7,200000000,10000000,300000,6800,1000\r\n"
                        "1901,2024/02/29,1,2,3,10,11,12,13,,,,6800,1000\r\n"
                        "1903,2024/03/07,20,21,22,23,24,25,26,,,,,\r\n"
                        "1904,2024/03/11,1,2,3,4,5,43,6,100000000,9000000,250000,7000,1000\r\n";
const QByteArray logged = "2024/02/29,18:29:59,D,6,5,4,3,2,1\r\n2024/02/29,18:30:00,E,1,2,3,10,11,20\r\n";

TicketBook ticketsOf(const QByteArray &bytes)
{
    return TicketBook::read(bytes.constData(), size_t(bytes.size()));
}
} // namespace

// Tickets: what the player bought, what it won, what is still to collect.
class TestTickets : public QObject
{
    Q_OBJECT
private slots:
    // Each ticket, "LINES|units|draws|moment|first draw|received draws",
    // against the book above, on the local date `today`: each play
    // "draw letter state" and the totals over the range.
    void plays_data()
    {
        QTest::addColumn<QString>("tickets");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("today");
        QTest::addColumn<QString>("plays");
        QTest::addColumn<QString>("totals");
        QTest::newRow("a logged line before 18:30 on 29 February: that draw, claimed to 2025/02/28")
            << "2024/02/29,18:29:59,D|1|1|||" << 0 << 0 << 20250228 << "1901A 5等 1000 2025/02/28 unclaimed"
            << "tickets 1 lines 1 plays 1 spent 200 won 1000 unknown 0 waiting 0 unclaimed 1000 2025/02/28 lost 0";
        QTest::newRow("lost the day after its last day") << "2024/02/29,18:29:59,D|1|1|||" << 0 << 0 << 20250301
            << "1901A 5等 1000 2025/02/28 lost" << "tickets 1 lines 1 plays 1 spent 200 won 1000 unknown 0 waiting 0 unclaimed 0 lost 1000";
        QTest::newRow("at 18:30: 1902, not in the book, so it waits, counted on its moment's day")
            << "2024/02/29,18:30:00,E|1|1|||" << 20240229 << 20240229 << 20250101 << "?A waits"
            << "tickets 1 lines 1 plays 1 spent 200 won 0 unknown 0 waiting 1 unclaimed 0 lost 0";
        QTest::newRow("typed, three units, two draws, before the book's first: prizes times three")
            << "1,2,3,4,5,6|3|2|2024/02/24 12:00:00||" << 0 << 0 << 20250101
            << "1900A 1等 600000000 2025/02/26 unclaimed, 1901A 5等 3000 2025/02/28 unclaimed"
            << "tickets 1 lines 1 plays 2 spent 1200 won 600003000 unknown 0 waiting 0 unclaimed 600003000 2025/02/26 lost 0";
        QTest::newRow("two lines, A logged and B typed; 1901 received, kept past its last day")
            << "2024/02/29,18:29:59,D;1,2,3,10,11,20|2|1||1901|1901" << 0 << 0 << 20260101
            << "1901A 5等 2000 2025/02/28 received, 1901B 3等 ? 2025/02/28 received"
            << "tickets 1 lines 2 plays 2 spent 800 won 2000 unknown 1 waiting 0 unclaimed 0 lost 0";
        QTest::newRow("a first draw named: 1903, 1904, and 1905 waiting for the book")
            << "1,2,3,4,5,6|1|3|2024/02/24 12:00:00|1903|" << 0 << 0 << 20250101
            << "1903A -, 1904A 2等 9000000 2025/03/11 unclaimed, 1905A waits"
            << "tickets 1 lines 1 plays 3 spent 600 won 9000000 unknown 0 waiting 1 unclaimed 9000000 2025/03/11 lost 0";
        QTest::newRow("a range: plays by their draw's date, the waiting one by its ticket's")
            << "1,2,3,4,5,6|1|3|2024/02/24 12:00:00|1903| / 1,2,3,10,11,20|1|1|2024/02/27 09:00:00||" << 20240301 << 20240308
            << 20250101 << "1903A -, 1904A 2等 9000000 2025/03/11 unclaimed, 1905A waits, 1901A 3等 ? 2025/02/28 unclaimed"
            << "tickets 1 lines 1 plays 1 spent 200 won 0 unknown 0 waiting 0 unclaimed 0 lost 0";
    }
    void plays()
    {
        QFETCH(QString, tickets);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, today);
        QFETCH(QString, plays);
        QFETCH(QString, totals);
        const ResultsBook results = ResultsBook::read(book.constData(), size_t(book.size()));
        std::vector<LoggedLine> log(2);
        for (int k = 0; k < 2; ++k) {
            const QByteArray record = logged.split('\n')[k].trimmed();
            QVERIFY(parseRecord(record.constData(), size_t(record.size()), 0, log[size_t(k)]));
        }
        TicketBook book;
        for (const QString &spec : tickets.split(" / ")) {
            const QStringList f = spec.split('|');
            Ticket t;
            std::string why;
            QVERIFY(parseTicketLines(f[0].toStdString(), t.lines, why));
            QVERIFY(findInLog(t.lines, log, why));
            t.units = f[1].toInt();
            t.draws = f[2].toInt();
            const QDateTime at = QDateTime::fromString(f[3], "yyyy/MM/dd HH:mm:ss");
            int64_t moment = 0;
            QVERIFY(momentOf(t.lines, at.isValid() ? at.toString("yyyyMMddHHmmss").toLongLong() : 0, 20260101000000, moment).empty());
            t.date = int(moment / 1000000);
            t.time = int(moment % 1000000);
            t.firstDraw = f[4].toInt();
            const int number = book.add(t);
            if (!f[5].isEmpty())
                book.setReceived(number, f[5].toInt(), true);
        }
        QStringList seen;
        TicketPlays::forEachPlay(book, results, today, [&](const TicketPlays::Play &p) {
            const QString draw = (p.draw ? QString::number(p.draw) : "?") + p.letter();
            const char *states[] = {"waits", "-", "unclaimed", "received", "lost"};
            if (!p.tier)
                seen << draw + ' ' + states[int(p.state)];
            else
                seen << QString("%1 %2等 %3 %4 %5").arg(draw).arg(p.tier)
                            .arg(p.prize == DrawResult::unknown ? "?" : QString::number(p.prize),
                                 QString::fromStdString(Calendar::dateText(p.lastDay)), states[int(p.state)]);
        });
        QCOMPARE(seen.join(", "), plays);
        const TicketPlays::Totals t = TicketPlays::totalsOf(book, results, from, to, today);
        QCOMPARE(QString("tickets %1 lines %2 plays %3 spent %4 won %5 unknown %6 waiting %7 unclaimed %8%9 lost %10")
                     .arg(t.tickets).arg(t.lines).arg(t.plays).arg(t.spent).arg(t.won).arg(t.unknownPrizes).arg(t.waiting)
                     .arg(t.unclaimed)
                     .arg(t.nearestLastDay ? ' ' + QString::fromStdString(Calendar::dateText(t.nearestLastDay)) : QString())
                     .arg(t.lost),
                 totals);
    }

    // The tickets file read and written again: what it cannot read stays,
    // after its rows; a byte-order mark is passed over; a number once given
    // is never given again.
    void file_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QByteArray>("after"); // the file written, then "skipped …"; or "not a tickets file"
        const QByteArray two = "ticket,2,2024/02/24,12:00:00,1,1,\r\nline,2,A,1,2,3,4,5,6,,,\r\n";
        QTest::newRow("a mark, a line on no ticket, a sixth letter and junk: kept, after the rows")
            << "\xEF\xBB\xBF" "numbered,2\r\n" + two + "junk\r\nline,9,A,1,2,3,4,5,6,,,\r\nline,2,F,1,2,3,4,5,6,,,\r\n"
                                                     "received,2,1900\r\n"
            << "" << "numbered,2\r\n" + two + "received,2,1900\r\njunk\r\nline,9,A,1,2,3,4,5,6,,,\r\nline,2,F,1,2,3,4,5,6,,,\r\n"
                     "skipped 4 5 6";
        QTest::newRow("removed with its marks; the next takes a new number")
            << "numbered,2\r\n" + two + "received,2,1900\r\n" << "remove 2, add"
            << QByteArray("numbered,3\r\nticket,3,2024/02/24,12:00:00,1,1,\r\nline,3,A,1,2,3,4,5,6,,,\r\nskipped");
        QTest::newRow("a logged line and its letter, lines out of order") << "line,2,B,6,5,4,3,2,1,2024/02/29,18:29:59,D\r\n" + two
            << "" << "numbered,2\r\n" + two + "line,2,B,6,5,4,3,2,1,2024/02/29,18:29:59,D\r\nskipped";
        QTest::newRow("the master log") << logged << "" << QByteArray("not a tickets file");
        QTest::newRow("the book") << book << "" << QByteArray("not a tickets file");
    }
    void file()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, change);
        QFETCH(QByteArray, after);
        TicketBook tickets = ticketsOf(before);
        if (!tickets.isTickets()) {
            QCOMPARE(QByteArray("not a tickets file"), after);
            return;
        }
        if (change.startsWith("remove")) {
            Ticket copy = *tickets.find(2);
            QVERIFY(tickets.remove(2) && !tickets.remove(2));
            QCOMPARE(tickets.add(copy), 3);
        }
        QByteArray skipped = "skipped";
        for (const uint64_t n : tickets.skipped().first)
            skipped += ' ' + QByteArray::number(qulonglong(n));
        QCOMPARE(QByteArray::fromStdString(tickets.text()) + skipped, after);
        QCOMPARE(ticketsOf(QByteArray::fromStdString(tickets.text())).text(), tickets.text());
    }

    // The real program on real files: the log and book above, a tickets file.
    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("tickets"); // the file before, "-" for none
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<QByteArray>("ticketsAfter"); // "" for as before
        const QByteArray one = "numbered,1\r\nticket,1,2024/02/24,12:00:00,2,3,\r\nline,1,A,1,2,3,4,5,6,,,\r\n"
                               "line,1,B,6,5,4,3,2,1,2024/02/29,18:29:59,D\r\n";
        const QStringList buy{"--buy", "1,2,3,4,5,6;2024/02/29,18:29:59,D", "--units", "2", "--draws", "3"};
        QTest::newRow("buy: typed and logged lines, as recorded")
            << buy + QStringList{"--at", "2024/02/29,18:29:59"} << QByteArray("-") << 0
            << QByteArray("ticket,1,2024/02/29,18:29:59,2,3,\nline,1,A,1,2,3,4,5,6,,,\nline,1,B,6,5,4,3,2,1,2024/02/29,18:29:59,D\n")
            << QByteArray("drava: recorded ticket 1: 2 lines, 2 units, 3 draws, 2,400 yen; draws 1901 to 1903\n")
            << QByteArray("numbered,1\r\nticket,1,2024/02/29,18:29:59,2,3,\r\nline,1,A,1,2,3,4,5,6,,,\r\n"
                          "line,1,B,6,5,4,3,2,1,2024/02/29,18:29:59,D\r\n");
        QTest::newRow("buy: after a removal, a new number, from the logged line's stamp")
            << QStringList{"--buy", "2024/02/29,18:29:59,D"} << QByteArray("numbered,4\r\n") << 0
            << QByteArray("ticket,5,2024/02/29,18:29:59,1,1,\nline,5,A,6,5,4,3,2,1,2024/02/29,18:29:59,D\n")
            << QByteArray("drava: recorded ticket 5: 1 line, 1 unit, 1 draw, 200 yen; draws 1901 to 1901\n")
            << QByteArray("numbered,5\r\nticket,5,2024/02/29,18:29:59,1,1,\r\nline,5,A,6,5,4,3,2,1,2024/02/29,18:29:59,D\r\n");
        QTest::newRow("buy: a line not in the log") << QStringList{"--buy", "2024/02/29,18:29:59,A"} << one << 1 << QByteArray()
            << QByteArray("drava: the line 2024/02/29,18:29:59,A is not in the log KelpLog.csv\n") << QByteArray();
        QTest::newRow("buy: into the log, which is no tickets file") << buy + QStringList{"--tickets", "KelpLog.csv"}
            << QByteArray("-") << 1 << QByteArray() << QByteArray("drava: KelpLog.csv is not a tickets file\n") << QByteArray("-");
        const QList<QPair<QStringList, QByteArray>> wrong{
            {{"--buy", "1,2,3,4,5,5"}, "--buy: '1,2,3,4,5,5' is neither a logged line, yyyy/mm/dd,hh:mm:ss,L, nor six numbers: the six numbers must be distinct"},
            {{"--buy", "1,2,3,4,5,6;1,2,3,4,5,6;1,2,3,4,5,6;1,2,3,4,5,6;1,2,3,4,5,6;1,2,3,4,5,6"}, "--buy: a slip holds five lines at most"},
            {{"--buy", "1,2,3,4,5,6", "--units", "11"}, "--units takes a number from 1 to 10, not '11'"},
            {{"--buy", "1,2,3,4,5,6", "--draws", "0"}, "--draws takes a number from 1 to 10, not '0'"},
            {{"--buy", "1,2,3,4,5,6", "--first-draw", "1901", "--at", "2024/02/29,10:00:00"}, "--first-draw and --at cannot go together"},
            {{"--buy", "1,2,3,4,5,6", "--at", "2999/01/01,00:00:00"}, "--at: the moment is still to come"},
            {buy + QStringList{"--at", "2024/02/29,18:29:58"}, "--at: the moment is before a logged line's stamp"},
            {{"--buy", "1,2,3,4,5,6", "--first-draw", "1899"}, "--first-draw 1899 is before the book's first draw, 1900"},
            {{"--buy", "1,2,3,4,5,6", "--units", "2", "--units", "2"}, "--units is given twice"},
            {{"--wins", "--tickets", ""}, "--tickets takes a file's name, not an empty one"},
            {{"--receive", "1"}, "--receive takes a ticket's number and a draw's, TICKET:DRAWNO, not '1'"},
            {{"--wins", "--units", "2"}, "--units goes with --buy"}};
        for (const auto &[arguments, why] : wrong)
            QTest::newRow(qPrintable("bad: " + arguments.join(' '))) << arguments << one << 2 << QByteArray() << "drava: " + why + '\n' << QByteArray();
        const QByteArray won = "numbered,3\r\nticket,1,2024/02/24,12:00:00,2,3,\r\nline,1,A,1,2,3,4,5,6,,,\r\n"
                               "line,1,B,1,2,3,10,11,20,,,\r\nreceived,1,1900\r\nticket,3,2024/03/08,09:00:00,1,2,1904\r\n"
                               "line,3,A,43,5,4,3,2,1,,,\r\n";
        QTest::newRow("wins: each winning play, in draw order, then ticket and letter; the totals")
            << QStringList{"--wins"} << won << 0
            << QByteArray("1900,2024/02/26,1,2,400000000,2025/02/26,received,1,A,1,2,3,4,5,6\n"
                          "1900,2024/02/26,5,2,2000,2025/02/26,received,1,B,1,2,3,10,11,20\n"
                          "1901,2024/02/29,5,2,2000,2025/02/28,lost,1,A,1,2,3,4,5,6\n"
                          "1901,2024/02/29,3,2,,2025/02/28,lost,1,B,1,2,3,10,11,20\n"
                          "1904,2024/03/11,1,1,100000000,2025/03/11,lost,3,A,1,2,3,4,5,43\n")
            << QByteArray("drava: tickets 2, lines 3, plays 8, spent 2,800 yen, won 500,004,000 yen (1 prize unknown), "
                          "balance 500,001,200 yen, return 17857285.7 %, 3 plays waiting, unclaimed 0 yen, lost 100,002,000 yen\n")
            << QByteArray();
        QTest::newRow("wins in a range") << QStringList{"--wins", "--from", "2024/03/01"} << won << 0
            << QByteArray("1904,2024/03/11,1,1,100000000,2025/03/11,lost,3,A,1,2,3,4,5,43\n")
            << QByteArray("drava: tickets 1, lines 1, plays 2, spent 400 yen, won 100,000,000 yen, balance 99,999,600 yen, "
                          "return 25000000.0 %, 1 play waiting, unclaimed 0 yen, lost 100,000,000 yen\n")
            << QByteArray();
        QTest::newRow("wins: no tickets left") << QStringList{"--wins"} << QByteArray("numbered,4\r\n") << 0 << QByteArray()
            << QByteArray("drava: no tickets recorded in t.csv: record them with --buy, or in the history window\n") << QByteArray();
        QTest::newRow("wins: a tickets file named, missing") << QStringList{"--wins"} << QByteArray("-") << 1 << QByteArray()
            << QByteArray("drava: cannot read the tickets t.csv: No such file or directory\n") << QByteArray();
        QTest::newRow("receive") << QStringList{"--receive", "3:1904"} << won << 0 << QByteArray()
            << QByteArray("drava: ticket 3's win in draw 1904 marked received\n") << won + "received,3,1904\r\n";
        QTest::newRow("unreceive") << QStringList{"--unreceive", "1:1900"} << won << 0 << QByteArray()
            << QByteArray("drava: ticket 1's win in draw 1900 marked not received\n") << won.left(won.indexOf("received")) + won.mid(won.indexOf("ticket,3"));
        QTest::newRow("receive: no win") << QStringList{"--receive", "3:1905"} << won << 1 << QByteArray()
            << QByteArray("drava: ticket 3 won nothing in draw 1905\n") << QByteArray();
        QTest::newRow("receive: no ticket") << QStringList{"--receive", "2:1900"} << won << 1 << QByteArray()
            << QByteArray("drava: there is no ticket 2\n") << QByteArray();
        QTest::newRow("remove") << QStringList{"--remove-ticket", "1"} << won << 0 << QByteArray()
            << QByteArray("drava: removed ticket 1\n") << "numbered,3\r\n" + won.mid(won.indexOf("ticket,3"));
        QTest::newRow("remove: no ticket") << QStringList{"--remove-ticket", "2"} << won << 1 << QByteArray()
            << QByteArray("drava: there is no ticket 2\n") << QByteArray();
        QTest::newRow("a folder") << QStringList{"--wins", "--tickets", "."} << QByteArray("-") << 1 << QByteArray()
            << QByteArray("drava: cannot read the tickets .: Is a directory\n") << QByteArray("-");
        QTest::newRow("a FIFO, not waited on") << QStringList{"--remove-ticket", "1", "--tickets", "fifo"} << QByteArray("-") << 1
            << QByteArray() << QByteArray("drava: cannot read the tickets fifo: not a regular file\n") << QByteArray("-");
        QTest::newRow("too large") << QStringList{"--receive", "1:1900", "--tickets", "large"} << QByteArray("-") << 1
            << QByteArray() << QByteArray("drava: cannot read the tickets large: File too large\n") << QByteArray("-");
    }
    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, tickets);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QFETCH(QByteArray, ticketsAfter);
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath("KelpLog.csv"), logged) && writeFile(folder.filePath("KelpResults.csv"), book));
        QVERIFY(tickets == "-" || writeFile(folder.filePath("t.csv"), tickets));
        QVERIFY(::mkfifo(QFile::encodeName(folder.filePath("fifo")), 0600) == 0);
        QVERIFY(writeFile(folder.filePath("large"), "") && QFile::resize(folder.filePath("large"), 65 << 20));
        if (!arguments.contains("--tickets"))
            arguments << "--tickets" << "t.csv";
        if (arguments.first() == "--buy")
            arguments << "--log" << "KelpLog.csv";
        if (arguments.first() != "--remove-ticket")
            arguments << "--book" << "KelpResults.csv";
        const std::unique_ptr<QProcess> p(drava(folder.path(), arguments));
        QVERIFY(p->waitForFinished(60000));
        QCOMPARE(p->readAllStandardOutput(), out);
        QCOMPARE(p->readAllStandardError(), err + (status == 2 ? "Try 'drava --help'.\n" : ""));
        QCOMPARE(p->exitCode(), status);
        QCOMPARE(readFile(folder.filePath("t.csv")), ticketsAfter.isEmpty() ? tickets == "-" ? "(missing)" : tickets
                                                     : ticketsAfter == "-" ? QByteArray("(missing)") : ticketsAfter);
        QCOMPARE(readFile(folder.filePath("KelpLog.csv")), logged);
        QCOMPARE(readFile(folder.filePath("KelpResults.csv")), book);
    }

    // Two copies recording tickets into one file of years at once, round
    // after round: none is lost, no number is given twice, and the file
    // keeps its mode.
    void twoAtOnce()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("t.csv");
        const mode_t mode = ::geteuid() == 0 ? 0444 : 0640;
        TicketBook years;
        const QByteArray line = "1,2,3,4,5,6;7,8,9,10,11,12;13,14,15,16,17,18";
        Ticket ticket{0, {}, 1, 1, 20240101, 0, 0};
        std::string why;
        QVERIFY(parseTicketLines(line.toStdString(), ticket.lines, why));
        for (int k = 0; k < 5000; ++k)
            years.add(ticket);
        QVERIFY(writeFile(path, QByteArray::fromStdString(years.text())) && ::chmod(QFile::encodeName(path), mode) == 0);
        QVERIFY(writeFile(folder.filePath("b.csv"), book));
        const QStringList buy{"--buy", "1,2,3,4,5,6", "--tickets", "t.csv", "--book", "b.csv", "--at", "2024/01/01,00:00:00"};
        for (int round = 0; round < 20; ++round) {
            const std::unique_ptr<QProcess> a(drava(folder.path(), buy)), b(drava(folder.path(), buy));
            QVERIFY(a->waitForFinished(60000) && b->waitForFinished(60000));
            QCOMPARE(a->exitCode() + b->exitCode(), 0);
        }
        const TicketBook tickets = ticketsOf(readFile(path));
        QCOMPARE(int(tickets.tickets().size()), 5040);
        QCOMPARE(tickets.tickets().rbegin()->first, 5040);
        struct stat st;
        QVERIFY(::stat(QFile::encodeName(path), &st) == 0 && (st.st_mode & 07777) == mode);
    }

    // A copy that holds the lock: a change waits for it, then gives up and
    // says why, and the file is left as it was.
    void lockHeld()
    {
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath("t.csv"), "numbered,4\r\n") && writeFile(folder.filePath("b.csv"), book));
        QProcess holder;
        holder.start(QCoreApplication::applicationDirPath() + "/holdlock", {folder.filePath("t.csv")});
        QVERIFY(holder.waitForReadyRead(10000));
        const std::unique_ptr<QProcess> p(drava(folder.path(), {"--buy", "1,2,3,4,5,6", "--tickets", "t.csv", "--book", "b.csv"}));
        QVERIFY(p->waitForFinished(60000));
        QCOMPARE(p->exitCode(), 1);
        QVERIFY(p->readAllStandardError().startsWith("drava: cannot write the tickets t.csv: in use by holdlock, process "));
        QCOMPARE(readFile(folder.filePath("t.csv")), QByteArray("numbered,4\r\n"));
        ::kill(pid_t(holder.processId()), SIGKILL);
        holder.waitForFinished(10000);
    }
};

QTEST_GUILESS_MAIN(TestTickets)
#include "tst_tickets.moc"

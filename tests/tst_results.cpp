#include "support.h"
#include "analysis/drawstats.h"
#include "calendar/calendar.h"
#include "historywindow/book/drawtable.h"
#include "historywindow/draws/trialpanel.h"
#include "historywindow/lines/linetable.h"
#include "results/importfile.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QSpinBox>
#include <QTableView>

#include <csignal>
#include <sys/stat.h>

namespace {
// The book of these tests: 1902 is missing, as a draw not yet typed in.
const QByteArray book = "1900,2024/06/06,1,2,3,4,5,6,7,200000000,10000000,300000,6800,1000\r\n"
                        "1901,2024/06/10,1,2,3,10,11,12,13,,,,6800,1000\r\n"
                        "1903,2024/06/17,20,21,22,23,24,25,26,,,,,\r\n"
                        "1904,2024/06/20,1,2,3,4,5,43,6,100000000,9000000,250000,7000,1000\r\n";

// Lines of 1 2 3 4 5 6: for 1901, 1901, 1904 and one waiting; and a line that is none.
const QByteArray logged = "2024/06/08,12:00:00,A,1,2,3,4,5,6\r\n2024/06/10,18:29:59,B,1,2,3,4,5,6\r\n"
                       "2024/06/18,09:00:00,C,1,2,3,4,5,6\r\n2024/06/21,09:00:00,D,1,2,3,4,5,6\r\nnot a line\r\n";
// A result file: 1901 with its first prize, 1902 new with a prize that
// cannot be read, 1903 on another day, and a row that is no draw.
const QByteArray resultFile = "1901,2024/06/10,1,2,3,10,11,12,13,200000000,,,,\n1902,2024/06/13,5,6,7,8,9,10,11,0,0,0,0,0,abc\n"
                              "1903,2024/06/18,20,21,22,23,24,25,26\nnot a draw\n";

QByteArray recordsOf(const std::vector<DrawResult> &draws)
{
    QByteArray records;
    for (const DrawResult &draw : draws)
        records += QByteArray::fromStdString(recordOf(draw)) + ' ';
    return records;
}

// "1 2 4", and "of 25" when there were more than were kept.
QByteArray numbersOf(const NumberList &numbers)
{
    QByteArrayList texts;
    for (const uint64_t n : numbers.first)
        texts << QByteArray::number(qulonglong(n));
    return texts.join(' ') + (numbers.count > numbers.first.size() ? " of " + QByteArray::number(qulonglong(numbers.count)) : "");
}

// The book of the worked example: 1 2 3 4 5 6 +7, 1 2 3 4 5 7 +8, 10 11 12 13 14 15 +1.
const QByteArray example = "1,2026/01/05,1,2,3,4,5,6,7,,,,,\r\n2,2026/01/08,1,2,3,4,5,7,8,200000000,10000000,,,\r\n"
                           "3,2026/01/12,10,11,12,13,14,15,1,,,,,\r\n";

ResultsBook bookOf(const QByteArray &bytes)
{
    return ResultsBook::read(bytes.constData(), size_t(bytes.size()));
}

// A result file of `count` draws from `first`, three days apart.
QByteArray drawsFrom(int first, int count)
{
    QByteArray rows;
    for (int n = first; n < first + count; ++n)
        rows += QByteArray::number(n) + QDate(2020, 1, 1).addDays(3 * n).toString(",yyyy/MM/dd").toUtf8() + ",1,2,3,4,5,6,7\n";
    return rows;
}

} // namespace

// The results book: result files read into it, lines against the draws they
// were played for, the command line and the history window on real files.
class TestResults : public QObject
{
    Q_OBJECT
private slots:
    void importRows_data()
    {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("read"); // the records
        QTest::addColumn<QByteArray>("skipped"); // the rows that are no draw
        QTest::addColumn<QByteArray>("prizes"); // the rows whose prizes cannot be read
        const QString header = "回別,抽せん日,本数字1,本数字2,本数字3,本数字4,本数字5,本数字6,ボーナス数字,"
                               "1等口数,2等口数,3等口数,4等口数,5等口数,1等賞金,2等賞金,3等賞金,4等賞金,5等賞金,キャリーオーバー\r\n";
        const QByteArray r1901 = "1901,2024/06/10,3,7,12,25,31,40,18,", none;
        QTest::newRow("UTF-8, a header, 第N回, quoted amounts with 円")
            << QByteArray("UTF-8")
            << header + "第1901回,2024/06/10,3,7,12,25,31,40,18,0,5,180,9000,150000,\"200,000,000円\",\"10,000,000円\","
                        "\"300,000円\",\"6,800円\",\"1,000円\",0円\r\n"
            << r1901 + "200000000,10000000,300000,6800,1000 " << none << none;
        QTest::newRow("Shift_JIS, no header, full-width, yyyy/m/d, numbers out of order, no winner")
            << QByteArray("Shift_JIS") << "第１９０１回,２０２４/６/１０,40,3,12,25,31,7,18,0,0,0,0,0,該当なし,該当なし,,,,0\r\n"
            << r1901 + ",,,, " << none << none;
        QTest::newRow("UTF-8 with its mark, yyyy-mm-dd, LF, the book's own layout")
            << QByteArray("UTF-8 mark") << "1901,2024-06-10,3,7,12,25,31,40,18,200000000,10000000,300000,6800,1000\n"
            << r1901 + "200000000,10000000,300000,6800,1000 " << none << none;
        QTest::newRow("yyyy年m月d日") << QByteArray("UTF-8") << "1901,2024年6月10日,3,7,12,25,31,40,18\n" << r1901 + ",,,, "
                                      << none << none;
        QTest::newRow("English names, the draw's number before the numbers, prizes by tier")
            << QByteArray("UTF-8")
            << "Draw number,Date,Number 1,Number 2,Number 3,Number 4,Number 5,Number 6,Bonus,Winners 1,Prize 1,2nd prize\n"
               "1901,2024/06/10,3,7,12,25,31,40,18,0,\"200,000,000\",\"10,000,000\"\n"
            << r1901 + "200000000,10000000,,, " << none << none;
        QTest::newRow("a bonus among the six, a repeated number, no date: skipped")
            << QByteArray("UTF-8")
            << "1901,2024/06/10,3,7,12,25,31,40,40\n1902,2024/06/13,3,7,7,25,31,40,18\n\n1903,,3,7,12,25,31,40,18\n"
               "1904,2024/06/20,3,7,12,25,31,40,18\n"
            << QByteArray("1904,2024/06/20,3,7,12,25,31,40,18,,,,, ") << QByteArray("1 2 4") << none;
        QTest::newRow("a title, then a header with a column added and columns moved: by their names")
            << QByteArray("Shift_JIS")
            << "ロト6 当せん番号一覧\r\n抽せん日,曜日,回別,ボーナス数字,本数字1,本数字2,本数字3,本数字4,本数字5,本数字6,1等賞金\r\n"
               "2024/06/10,月,第1901回,18,3,7,12,25,31,40,\"200,000,000\"\r\n"
            << r1901 + "200000000,,,, " << QByteArray("1") << none;
        QTest::newRow("the day of the week after the date, a wrong one skipped; amounts with ¥ and a space before 円")
            << QByteArray("Shift_JIS")
            << "第1901回,2024/06/10(月),3,7,12,25,31,40,18,0,0,0,0,0,\"￥200,000,000\",1234 円,該当なし,―,-\r\n"
               "1902,2024年6月13日(木),3,7,12,25,31,40,18\r\n1903,2024/6/17 (月),3,7,12,25,31,40,18\r\n"
               "1904,2024/06/20(月),3,7,12,25,31,40,18\r\n"
            << r1901 + "200000000,1234,,, 1902,2024/06/13,3,7,12,25,31,40,18,,,,, "
                       "1903,2024/06/17,3,7,12,25,31,40,18,,,,, "
            << QByteArray("4") << none;
        QTest::newRow("prizes that cannot be read: the draw taken, the prize unknown, the row told")
            << QByteArray("UTF-8")
            << "1901,2024/06/10,3,7,12,25,31,40,18,1e9,,,,\n1901,2024/06/10,3,7,12,25,31,40,18,-100,,,,\n"
               "1901,2024/06/10,3,7,12,25,31,40,18,1.5,,,,\n1901,2024/06/10,3,7,12,25,31,40,18,abc,,,,\n"
               "1901,2024/06/10,3,7,12,25,31,40,18,123456789012,,,,\n1901,2024/06/10,3,7,12,25,31,40,18,12345678901,,,,\n"
            << r1901 + ",,,, " + r1901 + ",,,, " + r1901 + ",,,, " + r1901 + ",,,, " + r1901 + ",,,, " + r1901
                   + "12345678901,,,, "
            << none << QByteArray("1 2 3 4 5");
        QTest::newRow("twenty-five rows that are no draw: the first twenty told")
            << QByteArray("UTF-8") << QString("junk\n").repeated(25)
            << none << QByteArray("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 of 25") << none;
    }
    void importRows()
    {
        QFETCH(QByteArray, encoding);
        QFETCH(QString, file);
        QFETCH(QByteArray, read);
        QFETCH(QByteArray, skipped);
        QFETCH(QByteArray, prizes);
        QStringEncoder encoder(encoding == "Shift_JIS" ? "Shift_JIS" : "UTF-8");
        const QByteArray bytes = (encoding == "UTF-8 mark" ? "\xEF\xBB\xBF" : "") + QByteArray(encoder(file));
        const ImportFile imported = ImportFile::read(bytes);
        QCOMPARE(recordsOf(imported.draws), read);
        QCOMPARE(numbersOf(imported.skippedRows), skipped);
        QCOMPARE(numbersOf(imported.unreadablePrizes), prizes);
    }

    // The five prizes as a user types them beside a draw: yen in digits,
    // any left empty, or none at all; else nothing is taken.
    void typedPrizes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read"); // "-" for unknown; "no" when refused
        QTest::newRow("all five") << "200000000,10000000,300000,6800,1000" << "200000000 10000000 300000 6800 1000";
        QTest::newRow("none") << " " << "- - - - -";
        QTest::newRow("some, with blanks") << " ,, 300000 ,6800, " << "- - 300000 6800 -";
        QTest::newRow("eleven digits") << "99999999999,,,," << "99999999999 - - - -";
        for (const char *refused : {"1,2,3,4", "1,2,3,4,5,6", "-1,,,,", "1e9,,,,", "1.5,,,,", "1 000,,,,", "123456789012,,,,", "abc"})
            QTest::newRow(refused) << refused << "no";
    }
    void typedPrizes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, read);
        std::array<int64_t, 5> prizes;
        prizes.fill(7);
        QStringList seen;
        if (readPrizes(typed.toStdString(), prizes))
            for (const int64_t prize : prizes)
                seen << (prize == DrawResult::unknown ? "-" : QString::number(prize));
        QCOMPARE(seen.isEmpty() ? "no" : seen.join(' '), read);
    }

    // The draws' own figures over a date range: how often each number was
    // drawn among the six ("n:count/gap/longest", those never drawn left
    // out), the bonuses, the ten pairs drawn together most often, and X².
    void drawStats_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<int>("draws");
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<QString>("bonuses");
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<QString>("chi2");
        QTest::newRow("the worked example") << QDate() << QDate() << 3
            << "1:2/1/1 2:2/1/1 3:2/1/1 4:2/1/1 5:2/1/1 6:1/2/2 7:1/1/1 10:1/0/2 11:1/0/2 12:1/0/2 13:1/0/2 14:1/0/2 15:1/0/2"
            << "1 7 8" << "1-2:2 1-3:2 1-4:2 1-5:2 2-3:2 2-4:2 2-5:2 3-4:2 3-5:2 4-5:2" << "55.50";
        QTest::newRow("from the second draw") << QDate(2026, 1, 8) << QDate() << 2
            << "1:1/1/1 2:1/1/1 3:1/1/1 4:1/1/1 5:1/1/1 7:1/1/1 10:1/0/1 11:1/0/1 12:1/0/1 13:1/0/1 14:1/0/1 15:1/0/1"
            << "1 8" << "1-2:1 1-3:1 1-4:1 1-5:1 1-7:1 2-3:1 2-4:1 2-5:1 2-7:1 3-4:1" << "35.19";
        QTest::newRow("none in the range") << QDate(2026, 1, 13) << QDate(2026, 12, 31) << 0 << "" << "" << "" << "0.00";
    }
    void drawStats()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(int, draws);
        QFETCH(QString, numbers);
        QFETCH(QString, bonuses);
        QFETCH(QString, pairs);
        QFETCH(QString, chi2);
        const DrawStats stats = drawStatsOf(bookOf(example), from.isValid() ? Calendar::dateOf(from) : 0,
                                            to.isValid() ? Calendar::dateOf(to) : 0);
        QStringList counted, bonus, together;
        for (size_t n = 1; n <= 43; ++n) {
            if (stats.counts[n])
                counted << QString("%1:%2/%3/%4").arg(n).arg(stats.counts[n]).arg(stats.gaps[n]).arg(stats.longest[n]);
            else if (stats.gaps[n] != DrawStats::never || stats.longest[n] != int(stats.draws))
                counted << QString("%1: never drawn, yet gap %2, longest %3").arg(n).arg(stats.gaps[n]).arg(stats.longest[n]);
            for (uint64_t k = 0; k < stats.bonuses[n]; ++k)
                bonus << QString::number(n);
        }
        for (const DrawStats::Pair &pair : stats.mostOften(10))
            together << QString("%1-%2:%3").arg(pair.a).arg(pair.b).arg(pair.times);
        QCOMPARE(int(stats.draws), draws);
        QCOMPARE(counted.join(' '), numbers);
        QCOMPARE(bonus.join(' '), bonuses);
        QCOMPARE(together.join(' '), pairs);
        QCOMPARE(stats.pairs[6][7] + stats.pairs[7][6], 0u); // never drawn together, either way round
        QCOMPARE(QString::number(stats.evenness.chi2, 'f', 2), chi2);
    }

    // A line tried against every draw of the example: the draws it would
    // have won, and the summary the window shows.
    void trial_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QString>("hits");
        QTest::addColumn<QString>("summary");
        QTest::newRow("five and the bonus, then all six: 2等, 1等 with its prize")
            << "1,2,3,4,5,7" << QDate() << "1:2 2:1" << "全 3 回 · 1等 1 · 2等 1 · 3等 0 · 4等 0 · 5等 0 · 当せん 200,000,000 円 · "
                                         "購入 600 円 · 賞金不明 1 回";
        QTest::newRow("three, once: the bonus counts only beside five") << "1,10,11,12,30,31" << QDate()
            << "3:5" << "全 3 回 · 1等 0 · 2等 0 · 3等 0 · 4等 0 · 5等 1 · 当せん 0 円 · 購入 600 円 · 賞金不明 1 回";
        QTest::newRow("in a range") << "1,2,3,4,5,7" << QDate(2026, 1, 6)
            << "2:1" << "全 2 回 · 1等 1 · 2等 0 · 3等 0 · 4等 0 · 5等 0 · 当せん 200,000,000 円 · 購入 400 円";
    }
    void trial()
    {
        QFETCH(QString, line);
        QFETCH(QDate, from);
        QFETCH(QString, hits);
        QFETCH(QString, summary);
        uint64_t mask = 0;
        std::string why;
        QVERIFY(parseLine(line.toStdString(), mask, why));
        const Trial trial = tryLine(bookOf(example), mask, from.isValid() ? Calendar::dateOf(from) : 0, 0);
        QStringList won;
        for (const Trial::Hit &hit : trial.hits)
            won << QString("%1:%2").arg(hit.draw.number).arg(hit.tier);
        QCOMPARE(won.join(' '), hits);
        QCOMPARE(TrialPanel::summaryOf(trial), summary);
    }

    // By draw number: a new draw is added; the same again fills in prizes
    // not yet known, and changes nothing else; one that differs, or whose
    // date is out of order with its number, is kept out. A line of the book
    // that cannot be read stays, after the records; a byte-order mark before
    // the book's first is passed over, and not written.
    void merge_data()
    {
        QTest::addColumn<QByteArray>("draws");
        QTest::addColumn<QString>("merged");
        QTest::addColumn<QByteArray>("after");
        const QByteArray kept = "1901,2024/06/10,1,2,3,10,11,12,13,,,,6800,1000\r\n";
        QTest::newRow("new") << QByteArray("1902,2024/06/13,5,6,7,8,9,10,11,,,,,") << "added 1"
                             << kept + "1902,2024/06/13,5,6,7,8,9,10,11,,,,,\r\n";
        QTest::newRow("the same") << QByteArray("1901,2024/06/10,1,2,3,10,11,12,13,,,,,") << "known 1" << kept;
        QTest::newRow("prizes filled in, those known kept")
            << QByteArray("1901,2024/06/10,1,2,3,10,11,12,13,1,,300000,1,1") << "known 1 filled 1"
            << QByteArray("1901,2024/06/10,1,2,3,10,11,12,13,1,,300000,6800,1000\r\n");
        QTest::newRow("another date: a conflict") << QByteArray("1901,2024/06/11,1,2,3,10,11,12,13,,,,,") << "conflicts 1901" << kept;
        QTest::newRow("other numbers: a conflict") << QByteArray("1901,2024/06/10,1,2,3,10,11,12,14,,,,,") << "conflicts 1901" << kept;
        QTest::newRow("a conflict twice in a file: told once")
            << QByteArray("1901,2024/06/11,1,2,3,10,11,12,13,,,,, 1901,2024/06/11,1,2,3,10,11,12,13,,,,,") << "conflicts 1901" << kept;
        QTest::newRow("a later number on an earlier one's day") << QByteArray("1950,2024/06/10,5,6,7,8,9,10,11,,,,,")
                                                                << "conflicts 1950" << kept;
        QTest::newRow("an earlier number after a later one's day") << QByteArray("1900,2024/06/11,5,6,7,8,9,10,11,,,,,")
                                                                   << "conflicts 1900" << kept;
        QByteArray oneDay;
        for (int n = 1902; n <= 1906; ++n)
            oneDay += QByteArray::number(n) + ",2024/06/13,5,6,7,8,9,10,11,,,,, ";
        QTest::newRow("five draws on one day: the first") << oneDay.trimmed() << "added 1 conflicts 1903 1904 1905 1906"
                                                          << kept + "1902,2024/06/13,5,6,7,8,9,10,11,,,,,\r\n";
    }
    void merge()
    {
        QFETCH(QByteArray, draws);
        QFETCH(QString, merged);
        QFETCH(QByteArray, after);
        const QByteArray before = "\xEF\xBB\xBF" "1901,2024/06/10,1,2,3,10,11,12,13,,,,6800,1000\r\n2024/6/10,oops\r\n";
        ResultsBook results = ResultsBook::read(before.constData(), size_t(before.size()));
        QCOMPARE(results.skipped().first, std::vector<uint64_t>{2});
        std::vector<DrawResult> taken;
        for (const QByteArray &record : draws.split(' ')) {
            QVERIFY(parseResultRecord(record.constData(), size_t(record.size()), taken.emplace_back()));
        }
        const ResultsBook::Merging m = results.mergeAll(taken);
        QStringList seen;
        for (const auto &[what, count] : {std::pair{"added", m.added}, std::pair{"known", m.known}, std::pair{"filled", m.filled}})
            if (count)
                seen << QString("%1 %2").arg(what).arg(count);
        if (!m.conflicts.empty())
            seen << "conflicts " + numbersOf(m.conflicts);
        QCOMPARE(seen.join(' '), merged);
        QCOMPARE(QByteArray::fromStdString(results.text()), after + "2024/6/10,oops\r\n");
    }

    // The draws a line of 1 2 3 4 5 6 was played for, and its tier in each,
    // against the book above: the draw that closes first after its stamp,
    // at 18:30 on its day, where the book leaves no doubt of it.
    void plays_data()
    {
        QTest::addColumn<QDateTime>("stamp");
        QTest::addColumn<int>("draws");
        QTest::addColumn<QString>("plays");
        QTest::newRow("a day between draws") << QDateTime({2024, 6, 8}, {12, 0}) << 1 << "1901:5";
        QTest::newRow("a draw's day, before 18:30") << QDateTime({2024, 6, 10}, {18, 29, 59}) << 1 << "1901:5";
        QTest::newRow("a draw's day at 18:30: the next, 1902, is not in the book")
            << QDateTime({2024, 6, 10}, {18, 30}) << 1 << "? waits";
        QTest::newRow("1902's day, not in the book: 1903 may not be the line's draw")
            << QDateTime({2024, 6, 13}, {10, 0}) << 1 << "? waits";
        QTest::newRow("three draws in a row, past the book's last")
            << QDateTime({2024, 6, 18}, {9, 0}) << 3 << "1904:2 1905 waits 1906 waits";
        // Draws are three days apart at least: one before the book's first could close until 06/03, 18:30.
        QTest::newRow("before the book's first, after the last close there may be before it")
            << QDateTime({2024, 6, 3}, {18, 30}) << 2 << "1900:1 1901:5";
        QTest::newRow("before that close") << QDateTime({2024, 6, 3}, {18, 29, 59}) << 1 << "? waits";
        QTest::newRow("after the last draw") << QDateTime({2024, 6, 20}, {18, 30}) << 1 << "? waits";
    }
    void plays()
    {
        QFETCH(QDateTime, stamp);
        QFETCH(int, draws);
        QFETCH(QString, plays);
        const ResultsBook results = ResultsBook::read(book.constData(), size_t(book.size()));
        const QByteArray record = stamp.toString("yyyy/MM/dd,HH:mm:ss").toUtf8() + ",A,1,2,3,4,5,6";
        LoggedLine line;
        QVERIFY(parseRecord(record.constData(), size_t(record.size()), 0, line));
        QStringList seen;
        Plays::forEachPlay(results, {&line, &line + 1}, draws, [&](const LoggedLine &, int draw, const DrawResult *result, int tier) {
            seen << (draw ? QString::number(draw) : "?") + (result ? ":" + QString::number(tier) : " waits");
        });
        QCOMPARE(seen.join(' '), plays);
    }

    // The real program, as a script calls it, on a real log, book and result file.
    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("bookAfter");
        const QByteArray skipped = "drava: 1 unreadable line skipped: 5\n";
        QTest::newRow("results: each winning line, its draw and its prize; the totals")
            << QStringList{"--results"}
            << QByteArray("2024/06/08,12:00:00,A,1,2,3,4,5,6,1901,5\n2024/06/10,18:29:59,B,1,2,3,4,5,6,1901,5\n"
                          "2024/06/18,09:00:00,C,1,2,3,4,5,6,1904,2\n")
            << "drava: if every line was bought: 4 lines for 800 yen, won 9002000 yen, balance 9001200 yen; 1 waiting for results\n" + skipped
            << 0 << book;
        QTest::newRow("two draws in a row, one day")
            << QStringList{"--results", "--draws", "2", "--from", "2024/06/08", "--to", "2024/06/08"}
            << QByteArray("2024/06/08,12:00:00,A,1,2,3,4,5,6,1901,5\n")
            << "drava: if every line was bought: 2 lines for 400 yen, won 1000 yen, balance 600 yen; 1 waiting for results\n" + skipped << 0 << book;
        QTest::newRow("one line, waiting") << QStringList{"--results", "--from", "2024/06/21"} << QByteArray()
            << "drava: if every line was bought: 1 line for 200 yen, won 0 yen, balance -200 yen; 1 waiting for results\n" + skipped << 0 << book;
        QTest::newRow("against a file that is not a book") << QStringList{"--results", "--book", "KelpLog.csv"} << QByteArray()
            << QByteArray("drava: KelpLog.csv is not a results book\n") << 1 << book;
        QTest::newRow("no book") << QStringList{"--results", "--book", "missing.csv"} << QByteArray()
                                 << QByteArray("drava: cannot read the book missing.csv: No such file or directory\n") << 1 << book;
        QTest::newRow("eleven draws") << QStringList{"--results", "--draws", "11"} << QByteArray()
                                      << QByteArray("drava: --draws takes a number from 1 to 10, not '11'\n") << 2 << book;
        const QByteArray imported = "1900,2024/06/06,1,2,3,4,5,6,7,200000000,10000000,300000,6800,1000\r\n"
                                    "1901,2024/06/10,1,2,3,10,11,12,13,200000000,,,6800,1000\r\n"
                                    "1902,2024/06/13,5,6,7,8,9,10,11,,,,,\r\n" + book.mid(book.indexOf("1903"));
        const QByteArray report = "drava: added 1, known 1, conflicting 1 (1903), unreadable lines 1 (4), prizes unreadable 1 (2)\n";
        QTest::newRow("import: added, known, conflicting, unreadable")
            << QStringList{"--import", "results.csv"} << QByteArray() << report << 0 << imported;
        QTest::newRow("import from standard input") << QStringList{"--import", "-"} << QByteArray() << report << 0 << imported;
        QTest::newRow("import into a file that is not a book: left alone")
            << QStringList{"--import", "results.csv", "--book", "KelpLog.csv"} << QByteArray()
            << QByteArray("drava: KelpLog.csv is not a results book\n") << 1 << book;
        QByteArray drawn = "draws 3\n";
        for (int n = 1; n <= 43; ++n)
            drawn += QByteArray::number(n) + (n <= 5 ? " 2 1" : n == 6 ? " 1 2" : n == 7 ? " 1 1" : n >= 10 && n <= 15 ? " 1 0" : " 0 -") + '\n';
        QTest::newRow("draw-stats: the worked example") << QStringList{"--draw-stats", "--book", "example.csv"}
                                                        << drawn + "chi2 55.50 df 42 p 0.07926\n" << QByteArray() << 0 << book;
        QTest::newRow("try: the worked example")
            << QStringList{"--try", "1,2,3,4,5,7", "--book", "example.csv"}
            << QByteArray("1,2026/01/05,2,\n2,2026/01/08,1,200000000\n")
            << QByteArray("drava: tried against 3 draws: tier 1 1, tier 2 1, tier 3 0, tier 4 0, tier 5 0; won 200000000 yen, "
                          "spent 600 yen; 1 win with a prize not in the book\n")
            << 0 << book;
        QTest::newRow("try: a line with a bonus") << QStringList{"--try", "1,2,3,4,5,6+7"} << QByteArray()
            << QByteArray("drava: the line '1,2,3,4,5,6+7': a line has six numbers separated by commas, and nothing more\n")
            << 2 << book;
        QTest::newRow("try: no log") << QStringList{"--try", "1,2,3,4,5,6", "--log", "KelpLog.csv"} << QByteArray()
            << QByteArray("drava: --log goes with --check, --stats, --results or --buy\n") << 2 << book;
        QTest::newRow("import of no file") << QStringList{"--import", "none.csv"} << QByteArray()
            << QByteArray("drava: cannot read the result file none.csv: No such file or directory\n") << 1 << book;
        QTest::newRow("import into a book that cannot be read: left alone")
            << QStringList{"--import", "results.csv", "--book", "."} << QByteArray()
            << QByteArray("drava: cannot read the book .: Is a directory\n") << 1 << book;
        QTest::newRow("import into a book not made yet, in a folder not made yet")
            << QStringList{"--import", "results.csv", "--book", "new/KelpResults.csv"} << QByteArray()
            << QByteArray("drava: added 3, known 0, conflicting 0, unreadable lines 1 (4), prizes unreadable 1 (2)\n") << 0 << book;
    }
    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QFETCH(int, status);
        QFETCH(QByteArray, bookAfter);
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath("KelpLog.csv"), logged));
        QVERIFY(writeFile(folder.filePath("KelpResults.csv"), book));
        QVERIFY(writeFile(folder.filePath("results.csv"), resultFile) && writeFile(folder.filePath("example.csv"), example));
        if (arguments.first() == "--results")
            arguments << "--log" << "KelpLog.csv";
        if (!arguments.contains("--book"))
            arguments << "--book" << "KelpResults.csv";
        const std::unique_ptr<QProcess> p(drava(folder.path(), arguments, arguments.contains("-") ? resultFile : ""));
        QVERIFY(p->waitForFinished(60000));
        QCOMPARE(p->readAllStandardOutput(), out);
        QCOMPARE(p->readAllStandardError(), err + (status == 2 ? "Try 'drava --help'.\n" : ""));
        QCOMPARE(p->exitCode(), status);
        QCOMPARE(readFile(folder.filePath("KelpResults.csv")), bookAfter);
        QCOMPARE(readFile(folder.filePath("KelpLog.csv")), logged);
        if (arguments.contains("new/KelpResults.csv"))
            QCOMPARE(readFile(folder.filePath("new/KelpResults.csv")),
                     QByteArray("1901,2024/06/10,1,2,3,10,11,12,13,200000000,,,,\r\n1902,2024/06/13,5,6,7,8,9,10,11,,,,,\r\n"
                                "1903,2024/06/18,20,21,22,23,24,25,26,,,,,\r\n"));
    }

    // Two imports of different files into one book at once, again and
    // again: the changes follow one another, and neither is lost. The book
    // keeps its mode: read-only, which only root may write over.
    void twoAtOnce()
    {
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath("a.csv"), drawsFrom(1, 100)) && writeFile(folder.filePath("b.csv"), drawsFrom(101, 100)));
        const mode_t mode = ::geteuid() == 0 ? 0444 : 0640;
        for (int round = 0; round < 20; ++round) {
            const QByteArray path = QFile::encodeName(folder.filePath("KelpResults.csv"));
            QVERIFY(QFile::remove(path) || round == 0);
            QVERIFY(writeFile(path, "") && ::chmod(path, mode) == 0);
            const std::unique_ptr<QProcess> a(drava(folder.path(), {"--import", "a.csv", "--book", "KelpResults.csv"}));
            const std::unique_ptr<QProcess> b(drava(folder.path(), {"--import", "b.csv", "--book", "KelpResults.csv"}));
            QVERIFY(a->waitForFinished(60000) && b->waitForFinished(60000));
            QCOMPARE(a->exitCode() + b->exitCode(), 0);
            const QByteArray written = readFile(folder.filePath("KelpResults.csv"));
            QVERIFY2(written.count('\n') == 200, qPrintable(QString("round %1: %2 draws").arg(round).arg(written.count('\n'))));
            struct stat st;
            QVERIFY(::stat(path, &st) == 0 && (st.st_mode & 07777) == mode);
        }
    }

    // A copy that holds the book's lock: an import waits for it, then gives
    // up and says why, and leaves the book alone. Once the holder is killed
    // outright, its lock is taken over at once: the import goes through,
    // where waiting the lock out would have given up.
    void lockHeld()
    {
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath("KelpResults.csv"), book) && writeFile(folder.filePath("results.csv"), resultFile));
        QProcess holder;
        holder.start(QCoreApplication::applicationDirPath() + "/holdlock", {folder.filePath("KelpResults.csv")});
        QVERIFY(holder.waitForReadyRead(10000));
        const QStringList import{"--import", "results.csv", "--book", "KelpResults.csv"};
        std::unique_ptr<QProcess> p(drava(folder.path(), import));
        QVERIFY(p->waitForFinished(60000));
        QCOMPARE(p->exitCode(), 1);
        QVERIFY2(p->readAllStandardError().startsWith("drava: cannot write the book KelpResults.csv: in use by holdlock, process "),
                 "the reason");
        QCOMPARE(readFile(folder.filePath("KelpResults.csv")), book);
        ::kill(pid_t(holder.processId()), SIGKILL);
        QVERIFY(holder.waitForFinished(10000));
        p.reset(drava(folder.path(), import));
        QVERIFY(p->waitForFinished(60000));
        QCOMPARE(p->exitCode(), 0);
        QVERIFY(readFile(folder.filePath("KelpResults.csv")).contains("1902,2024/06/13"));
    }

    // The window's changes to a book it may not write: one that is no book
    // is said to be none and left alone; one whose lock another copy holds is
    // waited for behind the window's thread, then given up, and it says why.
    void windowRefused_data()
    {
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("said");
        QTest::newRow("a file that is no book") << false << "保存できませんでした: KelpResults.csv (not a results book)";
        QTest::newRow("a lock another copy holds") << true << "保存できませんでした: KelpResults.csv (in use by holdlock, process ";
    }
    void windowRefused()
    {
        QFETCH(bool, held);
        QFETCH(QString, said);
        VirtualForm w;
        const QString path = w.form.state.appFolder + "KelpResults.csv";
        const QByteArray before = held ? book : logged;
        QVERIFY(writeFile(path, before));
        QProcess holder;
        if (held) {
            holder.start(QCoreApplication::applicationDirPath() + "/holdlock", {path});
            QVERIFY(holder.waitForReadyRead(10000));
        }
        w.form.OpenHistory();
        QWidget *h = w.form.historyWindow();
        if (!held)
            QTRY_COMPARE(lineOf(h, "読み込みの結果"), QString("KelpResults.csv は結果の記録ではないため、書き換えません"));
        named<QSpinBox>(h, "回")->setValue(1905);
        named<QDateEdit>(h, "抽せん日")->setDate({2024, 6, 24});
        named<QLineEdit>(h, "記録する当せん番号")->setText("1,2,3,4,5,6+7");
        named<QPushButton>(h, "結果に記録")->click();
        QTRY_VERIFY2_WITH_TIMEOUT(lineOf(h, "読み込みの結果").startsWith(said), qPrintable(lineOf(h, "読み込みの結果")), 20000);
        QCOMPARE(readFile(path), before);
        holder.kill();
        holder.waitForFinished();
    }

    // The history window on a real log and book: the totals; a result file
    // dropped on it; a draw chosen marks the lines played for it, and only
    // those; a draw typed in goes into the book.
    void window()
    {
        VirtualForm w;
        const QString folder = w.form.state.appFolder;
        QVERIFY(writeFile(folder + "KelpLog.csv", logged));
        QVERIFY(writeFile(folder + "KelpResults.csv", book));
        QVERIFY(writeFile(folder + "results.csv", resultFile));
        w.form.OpenHistory();
        QWidget *h = w.form.historyWindow();
        // Controls by their names, the lines of text by what they are, as assistive technology finds them.
        QTRY_COMPARE(lineOf(h, "買っていれば"), QString("4 行すべてなら 800 円 · 賞金 9,002,000 円 · 差 9,001,200 円 · 1,125,250.0 % · 結果待ち 1 行"));
        QVERIFY(lineOf(h, "収支").startsWith("購入の記録はまだありません"));

        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(folder + "results.csv")});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h, &enter);
        QApplication::sendEvent(h, &drop);
        QTRY_COMPARE(lineOf(h, "読み込みの結果"), QString("追加 1 · 既存 1 · 食い違い 1 (第1903回) · 読めない行 1 (4) · 賞金を読めない 1 (2)"));
        QVERIFY(readFile(folder + "KelpResults.csv").contains("1902,2024/06/13,5,6,7,8,9,10,11,,,,,\r\n"));

        // 第1904回, the newest: line C's. Line A would win it too, but was played for 1901.
        auto *draws = named<QTableView>(h, "当せん結果");
        draws->selectRow(0);
        const QAbstractItemView *cells = draws; // each column shows its whole text, in the window's face
        for (int column = 0; column < DrawTable::Columns; ++column)
            QVERIFY(cells->sizeHintForColumn(column) <= draws->horizontalHeader()->sectionSize(column));
        QCOMPARE(lineOf(h, "当せんの集計"), QString("1等 0 · 2等 1 · 3等 0 · 4等 0 · 5等 0"));
        QCOMPARE(lineOf(h, "選んだ回の当せん"), QString("第1904回: 1等 0 · 2等 1 · 3等 0 · 4等 0 · 5等 0"));
        const QAbstractItemModel *lines = named<QTableView>(h, "抽選した行")->model();
        QCOMPARE(lines->index(1, LineTable::Prize).data().toString() + lines->index(3, LineTable::Prize).data().toString(), QString("2等"));

        named<QSpinBox>(h, "回")->setValue(1905);
        named<QDateEdit>(h, "抽せん日")->setDate({2024, 6, 24});
        named<QLineEdit>(h, "記録する当せん番号")->setText("1,2,3,4,5,6+7");
        named<QPushButton>(h, "結果に記録")->click();
        QTRY_VERIFY(readFile(folder + "KelpResults.csv").endsWith("1905,2024/06/24,1,2,3,4,5,6,7,,,,,\r\n"));
        QTRY_COMPARE(lineOf(h, "買っていれば"), QString("4 行すべてなら 800 円 · 賞金 9,002,000 円 · 差 9,001,200 円 · 1,125,250.0 % · 結果待ち 0 行 · 賞金不明 1 行"));
    }
};

QTEST_MAIN(TestResults)
#include "tst_results.moc"

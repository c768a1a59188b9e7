#include "support.h"
#include "history/logfile.h"
#include "history/logpieces.h"
#include "fetch/bookfetch.h"
#include "historywindow/book/fetchrow.h"
#include "historywindow/lines/linetable.h"
#include "historywindow/parts/frequencychart.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QLineEdit>
#include <QTableView>

#include <fcntl.h>
#include <sys/stat.h>

namespace {
struct ReadBack
{
    QString text; // each drawn line's last record, then "skipped" and the unreadable lines' numbers
    std::vector<LoggedLine> lines;
    std::vector<LoggedLine> next; // what the reader reads once the last line gets its end
};
// The log read by one reader fed `piece` bytes at a time, or, given
// `threads`, from a file cut every `piece` bytes, the pieces read on that
// many threads at once.
ReadBack readBack(const QByteArray &log, int piece, unsigned threads = 0)
{
    LogReader reader;
    std::vector<LoggedLine> lines;
    if (threads > 0) {
        QTemporaryDir folder;
        if (!writeFile(folder.filePath("KelpLog.csv"), log))
            qFatal("cannot write the log");
        const RegularFile file(folder.filePath("KelpLog.csv").toStdString(), O_RDONLY);
        LogPieces::read(file, uint64_t(log.size()), reader, lines, {threads, false, size_t(piece)});
    } else {
        for (int at = 0; at < log.size(); at += piece)
            reader.feed(log.constData() + at, size_t(qMin(piece, int(log.size()) - at)), lines);
        keepLastOfEach(lines);
    }
    QStringList texts;
    for (const LoggedLine &line : lines)
        texts << QString::fromStdString(line.text());
    QStringList skipped;
    for (const uint64_t n : reader.skipped().first)
        skipped << QString::number(n);
    const uint64_t count = reader.skipped().count;
    std::vector<LoggedLine> next;
    reader.feed("\n", 1, next);
    return {texts.join(' ') + " skipped " + skipped.join(',') + (count > uint64_t(skipped.size()) ? QString(" of %1").arg(count) : ""),
            lines, next};
}

const QByteArray a = "2026/12/05,09:05:03,A,7,12,19,25,38,41";
const QByteArray b = "2026/12/05,09:05:13,B,1,2,3,4,5,43";


struct CommandResult
{
    int status;
    QByteArray out, err;
};
// What --stats prints for lines holding `numbers`, then its test's line.
QByteArray statsOut(int lines, const QList<int> &numbers, const QByteArray &test)
{
    QByteArray out = "lines " + QByteArray::number(lines) + "\n";
    for (int n = 1; n <= 43; ++n)
        out += QByteArray::number(n) + ' ' + QByteArray::number(numbers.count(n)) + '\n';
    return out + test + '\n';
}

// The real program, given `input` on its standard input.
CommandResult drava(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + "/../drava", arguments);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}
} // namespace

// Reading the master log back: the records it takes and those it skips, the
// prizes, the command line's check and the history window on a real file.
class TestHistory : public QObject
{
    Q_OBJECT
private slots:
    // The book's source set in the window and fetched at once: the outcome
    // told, and what a source returned shown as text, never as markup.
    void fetchRow_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("changed");
        QTest::newRow("a result file: the time and the draws added")
            << QByteArray("1950,2026/12/10,3,7,12,25,31,40,18\r\n") << "最終取得 2026/12/10 20:05 · 追加 1" << "";
        QTest::newRow("a third page in a row: the source named, its markup as plain text")
            << QByteArray("<!DOCTYPE html>\n<html><b>Login</b></html>\n")
            << "取得できませんでした 2026/12/10 20:05 · 読める回がありません"
            << "返ってきたもの: <!DOCTYPE html>\n<html><b>Login</b></html>";
    }
    void fetchRow()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir folder;
        const QString book = folder.filePath("KelpResults.csv");
        QVERIFY(writeFile(folder.filePath("r.csv"), file));
        FetchRecord::Last before;
        before.unreadableInARow = 2;
        FetchRecord::setLast(book, before);
        Fetcher fetcher;
        BookFetch fetch(book, fetcher);
        fetch.setClock([] { return QDateTime(QDate(2026, 12, 10), QTime(20, 5)); });
        // The source set is the settings', which the next test program reads.
        const auto unset = qScopeGuard([] { FetchRecord::setSource(QUrl()); });
        FetchRow row(book);
        row.setFetching({&fetch, nullptr, nullptr});
        row.findChild<QLineEdit *>()->setText(QUrl::fromLocalFile(folder.filePath("r.csv")).toString());
        QSignalSpy done(&fetch, &BookFetch::finished);
        row.findChild<QPushButton *>()->click();
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(FetchRecord::source(), QUrl::fromLocalFile(folder.filePath("r.csv")));
        QStringList texts;
        for (const QLabel *label : row.findChildren<QLabel *>())
            if (label->textFormat() == Qt::PlainText && label->isVisibleTo(&row))
                texts << label->text();
        QFETCH(QString, last);
        QFETCH(QString, changed);
        QVERIFY2(texts.contains(last), qPrintable(texts.join(" | ")));
        const QString named = texts.filter("返ってきたもの").value(0);
        QCOMPARE(named.mid(named.indexOf("返ってきたもの")), changed);
    }
    void records_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("read");
        QTest::newRow("CR LF and LF alike") << a + "\r\n" + b + "\n" << QString(a + " " + b + " skipped ");
        QTest::newRow("a line saved again: its last record counts, once")
            << a + "\r\n" + b + "\r\n2026/12/05,09:05:03,A,41,38,25,19,12,7\r\n"
            << QString("2026/12/05,09:05:03,A,41,38,25,19,12,7 " + b + " skipped ");
        QTest::newRow("by stamp and letter, not by place") << b + "\n" + a + "\n" << QString(a + " " + b + " skipped ");
        const QByteArray later = "2026/12/06,10:00:00,C,1,2,3,4,5,6", again = "2026/12/05,09:05:13,B,6,5,4,3,2,1";
        QTest::newRow("far out of stamp order, a line saved again after")
            << b + "\n" + later + "\n" + a + "\n" + again + "\n" << QString(a + " " + again + " " + later + " skipped ");
        // Five lines of one stamp, the second batch saved again as it was, as a
        // long repeat run leaves them: each stamp read once for its lines.
        const QByteArray first = "2026/12/05,10:00:00,A,1,2,3,4,5,6\r\n2026/12/05,10:00:00,B,7,8,9,10,11,12\r\n"
                                 "2026/12/05,10:00:00,C,13,14,15,16,17,18\r\n2026/12/05,10:00:00,D,19,20,21,22,23,24\r\n"
                                 "2026/12/05,10:00:00,E,25,26,27,28,29,30\r\n";
        QByteArray second = first;
        second.replace("10:00:00", "10:00:07").replace(",1,", ",43,").replace(",30", ",31");
        QTest::newRow("a repeat run's batches, one saved twice as it was")
            << first + second + second
            << QString(first + second).replace("\r\n", " ") + "skipped ";
        QTest::newRow("a last line without its end waits") << a + "\n" + b << QString(a + " skipped ");
        QTest::newRow("a byte-order mark before the first line, an editor's")
            << "\xEF\xBB\xBF" + a + "\r\n\xEF\xBB\xBF" + b + "\r\n" << QString(a + " skipped 2");
        QTest::newRow("leap day, last second of the day")
            << QByteArray("2024/02/29,23:59:59,E,9,10,11,12,13,14\n")
            << QString("2024/02/29,23:59:59,E,9,10,11,12,13,14 skipped ");
        QTest::newRow("skipped, by line number")
            << a + "\n" + "\n"                           // 2: empty
                   + "2026/12/06,09:05:03,A,7,12,19,25,38\n"       // 3: five numbers
                   + "2026/12/06,09:05:03,A,7,12,19,25,38,41,1\n"  // 4: seven
                   + "2026/12/06,09:05:03,A,7,12,19,25,38,44\n"    // 5: out of range
                   + "2026/12/06,09:05:03,A,7,12,19,25,38,0\n"     // 6: out of range
                   + "2026/12/06,09:05:03,A,7,12,19,25,38,7\n"     // 7: repeated
                   + "2026/12/06,09:05:03,A,07,12,19,25,38,41\n"   // 8: not as written
                   + "2026/12/06,09:05:03,A, 7,12,19,25,38,41\n"   // 9: blank
                   + "2026/12/6,09:05:03,A,7,12,19,25,38,41\n"     // 10: a spreadsheet's date
                   + "2023/02/29,09:05:03,A,7,12,19,25,38,41\n"    // 11: no such day
                   + "2026/12/06,24:00:00,A,7,12,19,25,38,41\n"    // 12: no such hour
                   + "2026/12/06,09:05:03,F,7,12,19,25,38,41\n"    // 13: letter
                   + "2026/12/06,09:05:03,a,7,12,19,25,38,41\n"    // 14: letter
                   + QByteArray("2026/12/06,09:05:03,A,7,12,19,25,38,4\0" "1\n", 41) // 15: NUL
                   + "2026/12/06,09:05:03,A,7,12\r19,25,38,41\n"   // 16: lone CR
                   + "2026/12/06,09:05:03,A,7,12,19,25,38,41\xff\n" // 17: not text
                   + "\"2026/12/06\",09:05:03,A,7,12,19,25,38,41\n" // 18: quoted
                   + QByteArray(5000, '7') + "\n"                   // 19: overlong
                   + "2026/12/06,09:05:03,A,7,12,19,25,38,41,\n"   // 20: a comma after
                   + "1900/02/29,09:05:03,A,7,12,19,25,38,41\n"    // 21: no leap year
                   + "2100/02/29,09:05:03,A,7,12,19,25,38,41\n"    // 22: nor this
                   + "2026/12/06,09:05:60,A,7,12,19,25,38,41\n"    // 23: no such second
                   + "\n\n\n"                                     // 24 to 26: only the first 20 are kept
                   + b + "\n"
            << QString(a + " " + b + " skipped 2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21 of 25");
    }
    // Whole, and cut into pieces anywhere: a line across two reads is one
    // line. Cut every byte, every 7 or 40 bytes and read on 1, 2 or 7 threads,
    // pieces end in lines, between CR and LF and in broken lines, and all
    // give the same lines, to their place in the log, as one reader does.
    void records()
    {
        QFETCH(QByteArray, log);
        QFETCH(QString, read);
        for (int piece : {int(log.size()) + 1, 1, 7, 40}) {
            const ReadBack one = readBack(log, piece);
            QCOMPARE(one.text, read);
            for (unsigned threads : {1u, 2u, 7u}) {
                const ReadBack pieces = readBack(log, piece, threads);
                QCOMPARE(pieces.text, read);
                QVERIFY(pieces.lines == one.lines && pieces.next == one.next);
            }
        }
    }

    void prizes_data()
    {
        QTest::addColumn<QString>("draw");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("prize");
        QTest::newRow("all six, any order") << "7,12,19,25,38,41+1" << QByteArray("41,38,25,19,12,7") << 1;
        QTest::newRow("five and the bonus") << "7,12,19,25,38,40+41" << QByteArray("7,12,19,25,38,41") << 2;
        QTest::newRow("five") << "7,12,19,25,38,40+1" << QByteArray("7,12,19,25,38,41") << 3;
        QTest::newRow("four and the bonus: still four") << "7,12,19,25,1,2+41" << QByteArray("7,12,19,25,38,41") << 4;
        QTest::newRow("three") << "7,12,19,1,2,3+4" << QByteArray("7,12,19,25,38,41") << 5;
        QTest::newRow("two and the bonus: none") << "7,12,1,2,3,4+41" << QByteArray("7,12,19,25,38,41") << 0;
        QTest::newRow("blanks let pass") << " 7, 12,19,25 ,38,41 + 1" << QByteArray("7,12,19,25,38,41") << 1;
        for (const char *bad : {"7,12,19,25,38,41", "7,12,19,25,38,41+7", "7,12,19,25,38,38+1", "7,12,19,25,38+1",
                                "7,12,19,25,38,41,1+2", "0,12,19,25,38,41+1", "7,12,19,25,38,44+1", "7,12,19,25,38,41+",
                                "7,12,19,25,38,41+1+2", "7,12,19,25,38,0041+1", "7;12;19;25;38;41+1"})
            QTest::newRow(bad) << bad << QByteArray() << -1;
    }
    void prizes()
    {
        QFETCH(QString, draw);
        QFETCH(QByteArray, line);
        QFETCH(int, prize);
        AnnouncedDraw announced;
        std::string why;
        QCOMPARE(parseDraw(draw.toStdString(), announced, why), prize >= 0);
        QCOMPARE(why.empty(), prize >= 0);
        if (prize < 0)
            return;
        LoggedLine logged;
        const QByteArray record = "2026/12/06,09:05:03,A," + line;
        QVERIFY(parseRecord(record.constData(), size_t(record.size()), 0, logged));
        QCOMPARE(prizeOf(logged, announced), prize);
    }

    // The real program, as a script calls it: standard output, standard
    // error, exit status.
    void checkCommand_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<int>("status");
        const QByteArray a = "2026/12/06,09:05:03,A,41,38,25,19,12,7,3\n", b = "2026/12/07,09:00:00,B,7,12,19,40,41,42,5\n";
        const QByteArray skipped = "drava: 2 unreadable lines skipped: 2, 5\n";
        // The parser's messages and the program's own alike; no option twice, no file named "".
        QTest::newRow("winners by stamp and letter, last records")
            << QStringList{"--check", "7,12,19,25,38,1+2"} << a + b << skipped << 0;
        QTest::newRow("the range is inclusive")
            << QStringList{"--check", "7,12,19,25,38,1+2", "--from", "2026/12/06", "--to", "2026/12/06"} << a << skipped << 0;
        QTest::newRow("no winner") << QStringList{"--check", "30,31,32,33,34,35+36"} << QByteArray() << skipped << 0;
        QTest::newRow("stats: each number's count, the test")
            << QStringList{"--stats"}
            << statsOut(3, {1, 2, 3, 4, 5, 6, 7, 7, 12, 12, 19, 19, 25, 38, 40, 41, 41, 42}, "chi2 50.07 df 42 p 0.1836")
            << skipped << 0;
        QTest::newRow("stats in a range")
            << QStringList{"--stats", "--from", "2026/12/06", "--to", "2026/12/06"}
            << statsOut(1, {7, 12, 19, 25, 38, 41}, "chi2 42.00 df 42 p 0.471") << skipped << 0;
        QTest::newRow("standard input") << QStringList{"--check", "7,12,19,25,38,1+2", "--log", "-"} << a + b << skipped << 0;
        QTest::newRow("a pipe by its name, as <(zcat log.gz) gives it")
            << QStringList{"--check", "7,12,19,25,38,1+2", "--log", "/dev/stdin"} << a + b << skipped << 0;
        QTest::newRow("no log") << QStringList{"--check", "1,2,3,4,5,6+7", "--log", "missing.csv"} << QByteArray()
                                << QByteArray("drava: cannot read the log missing.csv: No such file or directory\n") << 1;
        QTest::newRow("a folder") << QStringList{"--stats", "--log", "."} << QByteArray()
                                  << QByteArray("drava: cannot read the log .: Is a directory\n") << 1;
        QTest::newRow("a range that ends before it begins")
            << QStringList{"--stats", "--from", "2026/12/07", "--to", "2026/12/06"} << QByteArray()
            << QByteArray("drava: --from 2026/12/07 is later than --to 2026/12/06\n") << 2;
        QTest::newRow("a bonus among the six") << QStringList{"--check", "1,2,3,4,5,6+6"} << QByteArray()
            << QByteArray("drava: the draw '1,2,3,4,5,6+6': the bonus must not be one of the six numbers\n") << 2;
        QTest::newRow("a bad date") << QStringList{"--check", "1,2,3,4,5,6+7", "--to", "2026/13/01"} << QByteArray()
            << QByteArray("drava: --to takes a date as yyyy/mm/dd, not '2026/13/01'\n") << 2;
        QTest::newRow("unknown option") << QStringList{"--chek"} << QByteArray() << QByteArray("drava: unknown option 'chek'\n") << 2;
        QTest::newRow("an option twice") << QStringList{"--stats", "--log", "a", "--log", "b"} << QByteArray()
                                         << QByteArray("drava: --log is given twice\n") << 2;
        QTest::newRow("a log named \"\"") << QStringList{"--stats", "--log", ""} << QByteArray()
                                       << QByteArray("drava: --log takes a file's name, not an empty one\n") << 2;
        QTest::newRow("--from alone") << QStringList{"--from", "2026/12/06"} << QByteArray()
                                      << QByteArray("drava: --from goes with --check, --stats, --results, --draw-stats, --try or --wins\n") << 2;
        QTest::newRow("version") << QStringList{"--version"} << QByteArray("drava 1.0\n") << QByteArray() << 0;
    }
    void checkCommand()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QFETCH(int, status);
        QTemporaryDir folder;
        const QString log = folder.filePath("KelpLog.csv");
        const QByteArray bytes = "2026/12/06,09:05:03,A,7,12,19,25,38,41\r\nnot a record\r\n2026/12/05,20:00:00,C,1,2,3,4,5,6\r\n"
                                 "2026/12/06,09:05:03,A,41,38,25,19,12,7\r\n\r\n2026/12/07,09:00:00,B,7,12,19,40,41,42\r\n"
                                 "2026/12/07,09:00:00,C,7,12,19";
        QVERIFY(writeFile(log, bytes));
        if (!arguments.contains("--log") && QStringList{"--check", "--stats"}.contains(arguments.first()))
            arguments << "--log" << log;
        const CommandResult r = drava(arguments, bytes); // the same log through a pipe, for those who read it
        QCOMPARE(r.out, out);
        QCOMPARE(r.err, err + (status == 2 ? "Try 'drava --help'.\n" : ""));
        QCOMPARE(r.status, status);
    }

    // A log that is not a regular file is never waited on: Save says why it
    // is not written, and writes the batch file; the history and the check
    // say why they cannot read it.
    void notAFile_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::addColumn<QString>("why");
        QTest::newRow("a named pipe") << true << "not a regular file";
        QTest::newRow("a folder") << false << "Is a directory";
    }
    void notAFile()
    {
        QFETCH(bool, pipe);
        QFETCH(QString, why);
        VirtualForm w;
        const QString log = w.form.state.appFolder + "KelpLog.csv";
        QVERIFY(pipe ? ::mkfifo(QFile::encodeName(log).constData(), 0600) == 0 : QDir().mkdir(log));
        w.form.OpenHistory();
        QTRY_COMPARE(lineOf(w.form.historyWindow(), "行数"), "ログを読めません (" + why + ")");
        w.play("A Save");
        QCOMPARE(w.form.notice->text(), "保存できませんでした: KelpLog.csv (" + why + ")");
        QCOMPARE(w.files(), QByteArray("== 261206_0905.csv\n2026/12/06,09:05\r\n2026/12/06,09:05:03,A,18,42,7,41,1,30\r\n"));
        const CommandResult r = drava({"--stats", "--log", log});
        QCOMPARE(r.err, "drava: cannot read the log " + log.toUtf8() + ": " + why.toUtf8() + "\n");
        QCOMPARE(r.status, 1);
    }

    // A window opened before the first save, in a folder not made yet,
    // follows the log that the save makes.
    void beforeTheFirstSave()
    {
        QTemporaryDir home;
        VirtualForm w({QDate(2026, 12, 6), QTime(9, 5, 3)}, 1000000, home.filePath("not/made"));
        w.form.OpenHistory();
        const QWidget *h = w.form.historyWindow();
        QTRY_COMPARE(lineOf(h, "行数"), QString("ログはまだありません"));
        w.play("A Save");
        QTRY_COMPARE(lineOf(h, "行数"), QString("行数: 1"));
    }

    // A log the user may only read, on a read-only mount, is read, by the
    // history's reader and by the check.
    void readOnlyLog()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to mount a folder read-only");
        QTemporaryDir folder;
        const QString log = folder.filePath("KelpLog.csv");
        QVERIFY(writeFile(log, a + "\r\n"));
        const auto unmount = qScopeGuard([&] { shell("umount " + folder.path()); });
        QVERIFY(!shell(QString("mount --bind %1 %1 && mount -o remount,ro,bind %1").arg(folder.path())).isNull());
        LogFile::Position position;
        std::vector<LoggedLine> lines;
        QCOMPARE(LogFile::readMore(log.toStdString(), position, lines, false), LogFile::Result::Read);
        QCOMPARE(lines.size(), size_t(1));
        QCOMPARE(drava({"--check", "7,12,19,25,38,41+1", "--log", log}).out, a + ",1\n");
    }

    // The even share's line stands where the bar of a number that came up
    // 6 × lines ÷ 43 times ends.
    void evenShareLine()
    {
        FrequencyChart chart(QString{});
        chart.resize(700, 600);
        FrequencyChart::Counts counts;
        counts.fill(6);
        counts[1] = 12;
        chart.setCounts(counts, 43);
        // The line is the row most pixels of its red are on; the bar's top
        // the first of its blue down the middle.
        const QImage image = chart.grab().toImage();
        int evenLine = 0, most = 0, barTop = -1;
        for (int y = 0; y < image.height(); ++y) {
            int red = 0;
            for (int x = 0; x < image.width(); ++x)
                red += image.pixelColor(x, y) == QColor(220, 40, 40);
            if (red > most)
                most = red, evenLine = y;
            if (barTop < 0 && image.pixelColor(image.width() / 2, y) == QColor(70, 110, 200))
                barTop = y;
        }
        // Both drawn, the line across most of the chart, and where the bar ends.
        QVERIFY2(most > image.width() / 2 && barTop > 0 && qAbs(evenLine - barTop) <= 2,
                 qPrintable(QString("line %1 (%2 pixels), bar %3").arg(evenLine).arg(most).arg(barTop)));
    }

    // The window on a real file: it shows the log, follows what a save
    // appends, narrows to a range, and checks against a draw.
    void window()
    {
        VirtualForm w;
        const QString log = w.form.state.appFolder + "KelpLog.csv";
        QVERIFY(writeFile(log, a + "\r\nbad\r\n" + b + "\r\n"));
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form)); // a shortcut acts in the active window
        QTest::keyClick(&w.form, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(histories().size(), 1);
        w.form.OpenHistory(); // once more: still the one window
        QCOMPARE(histories().size(), 1);
        HistoryWindow *h = w.form.historyWindow();
        auto *view = named<QTableView>(h, "抽選した行");
        auto label = [h](const QString &what) { return lineOf(h, what); };
        QTRY_COMPARE(view->model()->rowCount(), 2);
        QTRY_COMPARE(label("読めない行"), QString("読めない行: 1 (2)"));

        w.play("A Save");
        QTRY_COMPARE(view->model()->rowCount(), 3);
        QCOMPARE(view->model()->index(0, LineTable::Date).data().toString(), QString("2026/12/06"));
        QSignalSpy read(&h->logFollower(), &LogFollower::changed);
        w.play("Save"); // the same line saved again: still listed, and counted, once
        QVERIFY(read.wait());
        QCOMPARE(view->model()->rowCount(), 3);
        QCOMPARE(label("行数"), QString("行数: 3"));

        auto *entry = named<QLineEdit>(h, "当せん番号");
        entry->setText("7,12,19,25,38,40+41");
        emit entry->returnPressed();
        QCOMPARE(label("当せんの集計"), QString("1等 0 · 2等 1 · 3等 0 · 4等 0 · 5等 0"));
        QCOMPARE(view->model()->index(2, LineTable::Prize).data().toString(), QString("2等"));
        QCOMPARE(view->model()->index(2, LineTable::FirstNumber).data(Qt::AccessibleTextRole).toString(), QString("7 一致"));
        // Each column shows its whole text, and its heading, in the window's face.
        const QAbstractItemView *cells = view;
        for (int column = 0; column < LineTable::Columns; ++column) {
            const int width = view->horizontalHeader()->sectionSize(column);
            QVERIFY2(cells->sizeHintForColumn(column) <= width && view->horizontalHeader()->sectionSizeHint(column) <= width,
                     qPrintable(view->model()->headerData(column, Qt::Horizontal).toString()));
        }

        // A copy put back over the log is read anew, though it is longer; the
        // view is given its rows a thousand at a time.
        QByteArray copy;
        for (int i = 0; i < 1500; ++i)
            copy += QString::asprintf("2026/12/01,10:%02d:%02d,A,1,2,3,4,5,6\r\n", i / 60 % 60, i % 60).toUtf8();
        QVERIFY(writeFile(log + ".new", copy));
        QVERIFY(QFile::remove(log) && QFile::rename(log + ".new", log));
        QTRY_COMPARE(label("行数"), QString("行数: 1500"));
        QCOMPARE(view->model()->rowCount(), 1000);
        view->scrollToBottom();
        QTRY_COMPARE(view->model()->rowCount(), 1500);

        w.form.close();
        QTRY_VERIFY(histories().isEmpty());
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"

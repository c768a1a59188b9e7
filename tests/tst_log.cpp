#include "realfiles.h"
#include "files/heldoutput.h"
#include "history/logfile.h"
#include "history/logpieces.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct ReadBack
{
    QString text;    // each drawn line's last record
    QString skipped; // the unreadable lines' numbers
    std::vector<LoggedLine> lines;
    std::vector<LoggedLine> next; // what the reader reads once the last line gets its end
};
// How a log is read back: by one reader fed `piece` bytes at a time, or from
// a file cut every `piece` bytes, the pieces read on some threads at once
// and either held all or handed on as they settle, as a command reads them;
// those handed on from a file found shorter than it was, as when another
// copy cuts it while it is read.
enum class How { oneReader, pieces, handedOn };

ReadBack readBack(const QByteArray &log, int piece, How how = How::oneReader, unsigned threads = 1)
{
    LogReader reader;
    std::vector<LoggedLine> lines;
    if (how == How::oneReader) {
        for (int at = 0; at < log.size(); at += piece)
            reader.feed(log.constData() + at, size_t(qMin(piece, int(log.size()) - at)), lines);
        keepLastOfEach(lines);
    } else {
        QTemporaryDir folder;
        if (!writeFile(folder.filePath("KelpLog.csv"), log))
            qFatal("cannot write the log");
        const RegularFile file(folder.filePath("KelpLog.csv").toStdString(), O_RDONLY);
        const LogPieces::Options options{threads, false, size_t(piece)};
        const LineSink sink{[&](LineSpan span) { lines.insert(lines.end(), span.begin, span.end); },
                            [&] { lines.clear(); }};
        if (how == How::pieces)
            LogPieces::read(file, uint64_t(log.size()), reader, lines, options);
        else
            LogPieces::handOn(file, uint64_t(log.size()) + 3, reader, sink, options);
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
    return {texts.join(' '), skipped.join(',') + (count > uint64_t(skipped.size()) ? QString(" of %1").arg(count) : ""),
            lines, next};
}

const QByteArray a = "2026/12/05,09:05:03,A,7,12,19,25,38,41";
const QByteArray b = "2026/12/05,09:05:13,B,1,2,3,4,5,43";

// What --stats prints for lines holding `numbers`, then its test's line.
QByteArray statsOut(int lines, const QList<int> &numbers, const QByteArray &test)
{
    QByteArray out = "lines " + QByteArray::number(lines) + "\n";
    for (int n = 1; n <= 43; ++n)
        out += QByteArray::number(n) + ' ' + QByteArray::number(numbers.count(n)) + '\n';
    return out + test + '\n';
}
} // namespace

// Reading the master log back: the records it takes and those it skips, the
// prizes, and the command line's check on real files, with no window.
class TestLog : public QObject
{
    Q_OBJECT
private slots:
    void records_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("skipped");
        QTest::newRow("CR LF and LF alike") << a + "\r\n" + b + "\n" << QString(a + " " + b) << "";
        QTest::newRow("a line saved again: its last record counts, once")
            << a + "\r\n" + b + "\r\n2026/12/05,09:05:03,A,41,38,25,19,12,7\r\n"
            << QString("2026/12/05,09:05:03,A,41,38,25,19,12,7 " + b) << "";
        QTest::newRow("by stamp and letter, not by place") << b + "\n" + a + "\n" << QString(a + " " + b) << "";
        const QByteArray later = "2026/12/06,10:00:00,C,1,2,3,4,5,6", again = "2026/12/05,09:05:13,B,6,5,4,3,2,1";
        QTest::newRow("far out of stamp order, a line saved again after")
            << b + "\n" + later + "\n" + a + "\n" + again + "\n" << QString(a + " " + again + " " + later) << "";
        const QByteArray latest = "2026/12/07,10:00:00,D,1,2,3,4,5,7", last = "2026/12/08,10:00:00,E,1,2,3,4,5,8";
        QTest::newRow("far out of stamp order, found once lines were handed on")
            << later + "\n" + latest + "\n" + last + "\n" + b + "\nbroken\n" + a + "\n"
            << QString(a + " " + b + " " + later + " " + latest + " " + last) << "5";
        const QByteArray laterAgain = "2026/12/06,10:00:00,C,7,8,9,10,11,12";
        QTest::newRow("a line saved again once it was handed on")
            << later + "\n" + latest + "\n" + last + "\n" + laterAgain + "\n"
            << QString(laterAgain + " " + latest + " " + last) << "";
        // Five lines of one stamp, the second batch saved again as it was, as a
        // long repeat run leaves them: each stamp read once for its lines.
        const QByteArray first = "2026/12/05,10:00:00,A,1,2,3,4,5,6\r\n2026/12/05,10:00:00,B,7,8,9,10,11,12\r\n"
                                 "2026/12/05,10:00:00,C,13,14,15,16,17,18\r\n2026/12/05,10:00:00,D,19,20,21,22,23,24\r\n"
                                 "2026/12/05,10:00:00,E,25,26,27,28,29,30\r\n";
        QByteArray second = first;
        second.replace("10:00:00", "10:00:07").replace(",1,", ",43,").replace(",30", ",31");
        QTest::newRow("a repeat run's batches, one saved twice as it was")
            << first + second + second
            << QString(first + second).replace("\r\n", " ").trimmed() << "";
        QTest::newRow("a last line without its end waits") << a + "\n" + b << QString(a) << "";
        QTest::newRow("a byte-order mark before the first line, an editor's")
            << "\xEF\xBB\xBF" + a + "\r\n\xEF\xBB\xBF" + b + "\r\n" << QString(a) << "2";
        QTest::newRow("leap day, last second of the day")
            << QByteArray("2024/02/29,23:59:59,E,9,10,11,12,13,14\n")
            << QString("2024/02/29,23:59:59,E,9,10,11,12,13,14") << "";
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
            << QString(a + " " + b) << "2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21 of 25";
    }
    // Whole, and cut into pieces anywhere: a line across two reads is one
    // line. Cut every byte, every 7 or 40 bytes and read on 1, 2 or 7 threads,
    // held or handed on, pieces end in lines, between CR and LF and in broken
    // lines, and all give the same lines, to their place in the log, as one
    // reader does.
    void records()
    {
        QFETCH(QByteArray, log);
        QFETCH(QString, read);
        QFETCH(QString, skipped);
        for (int piece : {int(log.size()) + 1, 1, 7, 40}) {
            const ReadBack one = readBack(log, piece);
            QCOMPARE(one.text, read);
            QCOMPARE(one.skipped, skipped);
            for (How how : {How::pieces, How::handedOn})
                for (unsigned threads : {1u, 2u, 7u}) {
                    const ReadBack pieces = readBack(log, piece, how, threads);
                    QCOMPARE(pieces.text, read);
                    QCOMPARE(pieces.skipped, skipped);
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
        const CommandResult r = run(arguments, bytes); // the same log through a pipe, for those who read it
        QCOMPARE(r.out, out);
        QCOMPARE(r.err, err + (status == 2 ? "Try 'drava --help'.\n" : ""));
        QCOMPARE(r.status, status);
    }

    // A log of megabytes whose last records are its oldest, as when an old
    // log is copied onto the end of a new one: the commands, which take the
    // lines as they settle, find out only once they have taken some, and
    // print what they print for the same records in order.
    void farOutOfOrder_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("check") << QStringList{"--check", "3,4,5,6,7,8+9"};
        QTest::newRow("stats") << QStringList{"--stats"};
        QTest::newRow("results") << QStringList{"--results", "--draws", "2"};
    }
    void farOutOfOrder()
    {
        QFETCH(QStringList, arguments);
        QByteArray newer, older;
        const auto record = [](int date, int line) {
            QByteArray numbers;
            for (int k = 1; k <= 6; ++k)
                numbers += ',' + QByteArray::number(line % 38 + k);
            return QString::asprintf("%d/12/%02d,%s,%c", date / 10000, date % 100,
                                     qPrintable(QTime(0, 0).addSecs(line / 5).toString("hh:mm:ss")), 'A' + line % 5)
                       .toLatin1() + numbers + "\r\n";
        };
        for (int line = 0; line < 80000; ++line) // three pieces and more
            newer += record(20261208, line);
        for (int line = 0; line < 40; ++line)
            older += record(20261205, line);
        QTemporaryDir folder;
        const QString outOfOrder = folder.filePath("out.csv"), inOrder = folder.filePath("in.csv");
        const QString book = folder.filePath("book.csv");
        QVERIFY(writeFile(outOfOrder, newer + older) && writeFile(inOrder, older + newer));
        QVERIFY(writeFile(book, "1900,2026/12/07,3,4,5,6,7,8,9,200000000,10000000,300000,6800,1000\r\n"
                                "1901,2026/12/10,1,2,3,4,5,6,7,200000000,10000000,300000,6800,1000\r\n"));
        if (arguments.first() == "--results")
            arguments << "--book" << book;
        const CommandResult once = run(arguments + QStringList{"--log", inOrder});
        const CommandResult again = run(arguments + QStringList{"--log", outOfOrder});
        QCOMPARE(once.status, 0);
        QVERIFY(once.out.count('\n') > 40);
        QCOMPARE(again.out, once.out);
        QCOMPARE(again.err, once.err);
    }

    // What a command prints, held until the log is read: past its limit in a
    // file, printed in order, and forgotten whole when the log starts over.
    void heldOutput_data()
    {
        QTest::addColumn<QStringList>("steps"); // +text appended, then kept within a limit of 4 bytes; "forget"
        QTest::addColumn<QByteArray>("printed");
        QTest::newRow("under the limit, in memory") << QStringList{"+abc"} << QByteArray("abc");
        QTest::newRow("past it, put aside in order") << QStringList{"+abcde", "+fg", "+hijkl", "+m"} << QByteArray("abcdefghijklm");
        QTest::newRow("forgotten, put aside and held alike") << QStringList{"+abcde", "+fg", "forget", "+xyz"} << QByteArray("xyz");
        QTest::newRow("forgotten, then put aside again, shorter")
            << QStringList{"+abcdefgh", "forget", "+ijklm", "+n"} << QByteArray("ijklmn");
    }
    void heldOutput()
    {
        QFETCH(QStringList, steps);
        QFETCH(QByteArray, printed);
        HeldOutput out(1000);
        out.setMostHeld(4);
        for (const QString &step : steps) {
            if (step == "forget") {
                out.forget();
                continue;
            }
            out.text += step.mid(1).toStdString();
            out.keepWithin();
        }
        std::FILE *file = std::tmpfile();
        QVERIFY(file);
        const auto close = qScopeGuard([file] { std::fclose(file); });
        QCOMPARE(out.print(file), 0);
        std::rewind(file);
        QByteArray read(100, '\0');
        read.resize(int(std::fread(read.data(), 1, size_t(read.size()), file)));
        QCOMPARE(read, printed);
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
        QCOMPARE(run({"--check", "7,12,19,25,38,41+1", "--log", log}).out, a + ",1\n");
    }
};

QTEST_GUILESS_MAIN(TestLog)
#include "tst_log.moc"

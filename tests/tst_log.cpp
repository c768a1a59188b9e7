#include "support/smalldisk.h"
#include "support/virtualform.h"
#include "log/records.h"
#include "platform/textfile.h"

#include <QtTest>

namespace {
QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}
void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
// Exactly one page of the small disk, so that a full disk has no slack left
// at the end of the log for an append to slip into.
const QByteArray oldLog = QByteArray("2026/12/05,20:00:00,A,1,2,3,4,5,6\r\n").repeated(116)
                          + "2026/12/05,20:00:00,A,1,2,3,4,5,16\r\n";
const QByteArray oldBatch = "2026/12/06,09:05\r\nearlier save\r\n";

// What a save must write, built from what the window shows.
struct Expected
{
    QByteArray log;
    QMap<QString, QByteArray> batches;

    void save(const Form1 &f)
    {
        QByteArray records;
        for (const LineControls &line : f.ui.lines) {
            if (line.stamp->text().isEmpty())
                continue;
            records += line.stamp->text().toLatin1() + ',' + line.letter;
            for (const QLabel *n : line.numbers)
                records += ',' + n->text().toLatin1();
            records += "\r\n";
        }
        log += records;
        if (!f.ui.LabelSN->text().isEmpty())
            batches[f.ui.LabelSN0->text()] = f.ui.LabelSN->text().toLatin1() + "\r\n" + records;
    }
};
} // namespace

class TestLog : public QObject
{
    Q_OBJECT
private slots:
    void workedRecord()
    {
        QCOMPARE(recordText("2026/12/06,09:05:03", 'A', {"7", "12", "19", "25", "38", "41"}),
                 QString("2026/12/06,09:05:03,A,7,12,19,25,38,41"));
        QCOMPARE(recordText("2026/12/06,09:05:03", 'D', {"  ", "", "3", "  ", "  ", "12"}),
                 QString("2026/12/06,09:05:03,D,  ,,3,  ,  ,12"));
        QCOMPARE(TextFile::encodeLines({"a", "", "b"}), QByteArray("a\r\n\r\nb\r\n"));
    }

    void workedSave()
    {
        VirtualForm w;
        Form1 &f = w.form;
        f.lines.CommandA_Click();
        w.pacer.advance(100);
        const QStringList shown = {"7", "12", "19", "25", "38", "41"};
        for (int k = 0; k < 6; ++k)
            f.ui.lines[0].numbers[k]->setText(shown[k]);
        f.ui.CommandSave->click();
        const QByteArray record = "2026/12/06,09:05:03,A,7,12,19,25,38,41\r\n";
        QCOMPARE(read(f.st.appFolder + "KelpLog.csv"), record);
        QCOMPARE(read(f.st.appFolder + "261206_0905.csv"), "2026/12/06,09:05\r\n" + record);
        QCOMPARE(f.st.lineRecords[0], QString(record.chopped(2)));
        QCOMPARE(f.st.lineRecords[1], QString());
        QVERIFY(f.notice->isHidden());
    }

    // Steps: a letter draws that line, "save", "sort", "clear", "wait" lets a
    // minute pass. The files must hold exactly what the window showed.
    void saves_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("nothing drawn") << QStringList{"save"};
        QTest::newRow("A and C") << QStringList{"A", "C", "save"};
        QTest::newRow("twice in a row") << QStringList{"A", "C", "save", "save"};
        QTest::newRow("E, A, C") << QStringList{"E", "A", "C", "save"};
        QTest::newRow("sort then save") << QStringList{"B", "D", "sort", "save"};
        QTest::newRow("save, sort, save") << QStringList{"B", "save", "sort", "save"};
        QTest::newRow("new batch") << QStringList{"A", "C", "save", "clear", "wait", "B", "save"};
        QTest::newRow("right after Clear") << QStringList{"A", "save", "clear", "save"};
        QTest::newRow("same minute") << QStringList{"A", "save", "clear", "C", "save"};
    }
    void saves()
    {
        QFETCH(QStringList, steps);
        VirtualForm w;
        Form1 &f = w.form;
        Expected expected;
        for (const QString &step : steps) {
            if (step.size() == 1) {
                f.lines.Command_Click(step[0].unicode() - 'A');
                w.pacer.advance(300);
            } else if (step == "save") {
                f.ui.CommandSave->click();
                expected.save(f);
            } else if (step == "sort") {
                f.ui.CommandSort->click();
            } else if (step == "clear") {
                f.ui.CommandClr->click();
            } else if (step == "wait") {
                w.pacer.advance(60000);
            }
        }
        QCOMPARE(read(f.st.appFolder + "KelpLog.csv"), expected.log);
        QStringList files = QDir(f.st.appFolder).entryList(QDir::Files);
        files.removeOne("KelpLog.csv");
        QCOMPARE(files, QStringList(expected.batches.keys()));
        for (const QString &name : files)
            QCOMPARE(read(f.st.appFolder + name), expected.batches[name]);
        QVERIFY(f.notice->isHidden());
    }

    void refusedDuringALinesDraw()
    {
        VirtualForm w;
        w.pacer.schedule(2000, [&] { w.form.ui.CommandSave->click(); });
        w.form.lines.CommandB_Click();
        QVERIFY(QDir(w.form.st.appFolder).isEmpty());
        QCOMPARE(w.form.st.lineRecords[1], QString());
    }

    // The faults, on a real file system. What was on disk stays whole, the
    // user is told which file was not written, and the window goes on.
    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("logWritten");
        QTest::addColumn<bool>("batchWritten");
        QTest::newRow("folder read-only") << "folder" << false << false;
        QTest::newRow("log read-only") << "log read-only" << false << true;
        QTest::newRow("log is a folder") << "log folder" << false << true;
        QTest::newRow("disk full") << "full" << false << false;
    }
    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(bool, logWritten);
        QFETCH(bool, batchWritten);
        if (!SmallDisk::available())
            QSKIP("needs root to mount a small file system");
        SmallDisk disk(64);
        QVERIFY(disk.ok());
        const QString log = disk.path() + "/KelpLog.csv";
        const QString batch = disk.path() + "/261206_0905.csv";
        if (fault == "log folder")
            QVERIFY(QDir().mkdir(log));
        else
            write(log, oldLog);
        write(batch, oldBatch);

        VirtualForm w(disk.path());
        Form1 &f = w.form;
        f.lines.CommandA_Click();
        f.lines.CommandB_Click();
        w.pacer.advance(100);
        if (fault == "folder")
            QVERIFY(disk.makeReadOnly(disk.path()));
        else if (fault == "log read-only")
            QVERIFY(disk.makeReadOnly(log));
        else if (fault == "full")
            QVERIFY(disk.fill());

        f.ui.CommandSave->click();
        Expected expected;
        expected.save(f);
        if (fault != "log folder")
            QCOMPARE(read(log), logWritten ? oldLog + expected.log : oldLog);
        QCOMPARE(read(batch), batchWritten ? expected.batches.first() : oldBatch);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).filter("csv.").size(), 0);

        QVERIFY(!f.notice->isHidden());
        QVERIFY(f.notice->text().startsWith("保存できませんでした"));
        QCOMPARE(f.notice->text().contains("KelpLog.csv"), !logWritten);
        QCOMPARE(f.notice->text().contains("261206_0905.csv"), !batchWritten);
        // The notice goes by itself; the program draws on.
        w.pacer.advance(Notice::shownMsec);
        QVERIFY(f.notice->isHidden());
        f.lines.CommandC_Click();
        QVERIFY(!w.numbers(2).contains("  "));
    }

    // An append that does not wholly fit leaves no part of itself behind.
    void appendAllOrNothing()
    {
        if (!SmallDisk::available())
            QSKIP("needs root to mount a small file system");
        SmallDisk disk(16);
        QVERIFY(disk.ok());
        const QString log = disk.path() + "/KelpLog.csv";
        // A short log leaves most of its page free: the records fit in part.
        const QByteArray shortLog = "2026/12/05,20:00:00,A,1,2,3,4,5,6\r\n";
        write(log, shortLog);
        QVERIFY(disk.fill());
        QStringList many(400, "2026/12/06,09:05:03,A,7,12,19,25,38,41");
        QVERIFY(!TextFile::appendLines(log, many));
        QCOMPARE(read(log), shortLog);
        QVERIFY(!TextFile::replaceWithLines(log, many));
        QCOMPARE(read(log), shortLog);
    }
};

QTEST_MAIN(TestLog)
#include "tst_log.moc"

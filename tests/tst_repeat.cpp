#include "support/virtualform.h"
#include "app/stamps.h"

#include <QtTest>

namespace {
QStringList logLines(const Form1 &f)
{
    QFile file(f.st.appFolder + "KelpLog.csv");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(file.readAll());
    QStringList lines = text.split("\r\n");
    lines.removeLast(); // after the last CR LF
    return lines;
}

// Lets virtual time run in small steps until `done` holds (or a limit passes).
bool runUntil(VirtualForm &w, const std::function<bool()> &done, int limitMsec = 300000)
{
    for (int t = 0; t < limitMsec; t += 10) {
        if (done())
            return true;
        w.pacer.advance(10);
    }
    return done();
}

void checkCycleRecords(const QStringList &records)
{
    QCOMPARE(records.size(), 5);
    QString previousStamp;
    for (int k = 0; k < 5; ++k) {
        const QStringList fields = records[k].split(',');
        QCOMPARE(fields.size(), 9);
        QCOMPARE(fields[2], QString(QChar('A' + k)));
        const QString stamp = fields[0] + ',' + fields[1];
        QVERIFY(stamp >= previousStamp);
        previousStamp = stamp;
        int last = 0;
        for (int i = 3; i < 9; ++i) {
            const int n = fields[i].toInt();
            QVERIFY(n > last && n <= 43);
            last = n;
        }
    }
}
} // namespace

class TestRepeat : public QObject
{
    Q_OBJECT
private slots:
    void cycles()
    {
        VirtualForm w;
        Form1 &f = w.form;
        QMap<QString, QStringList> batches; // file name -> the last cycle's records
        f.ui.CommandDeb->click();
        for (int cycle = 1; cycle <= 3; ++cycle) {
            QVERIFY(runUntil(w, [&] { return logLines(f).size() == 5 * cycle; }));
            checkCycleRecords(logLines(f).mid(5 * (cycle - 1)));
            batches[f.ui.LabelSN0->text()] = logLines(f).mid(5 * (cycle - 1));
            QVERIFY(f.ui.TimerDeb->isEnabled());
            QCOMPARE(f.ui.LabelSN0->text(), Stamps::batchFileName(
                         QDateTime::fromString(f.ui.LabelSN->text(), "yyyy/MM/dd,HH:mm")));
            QCOMPARE(f.ui.LabelSN->text(), f.ui.lines[0].stamp->text().left(16));
        }
        QCOMPARE(w.pacer.beeps().size(), size_t(3 * 5 * 8));
        QStringList files = QDir(f.st.appFolder).entryList(QDir::Files);
        files.removeOne("KelpLog.csv");
        QCOMPARE(files, QStringList(batches.keys()));
        for (const QString &name : files) {
            QFile file(f.st.appFolder + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString stamp = "20" + name.left(2) + "/" + name.mid(2, 2) + "/" + name.mid(4, 2)
                                  + "," + name.mid(7, 2) + ":" + name.mid(9, 2);
            QCOMPARE(QString::fromLatin1(file.readAll()),
                     stamp + "\r\n" + batches[name].join("\r\n") + "\r\n");
        }
    }

    void clearBetweenCyclesStops()
    {
        VirtualForm w;
        Form1 &f = w.form;
        f.ui.CommandDeb->click();
        QVERIFY(runUntil(w, [&] { return logLines(f).size() == 5; }));
        QVERIFY(f.ui.TimerDeb->isEnabled());
        f.ui.CommandClr->click();
        QVERIFY(!f.ui.TimerDeb->isEnabled());
        w.pacer.advance(120000);
        QCOMPARE(logLines(f).size(), 5);
        QCOMPARE(w.numbers(0), QStringList(6, QString()));
    }

    // Clear in a pause inside a cycle empties what the cycle drew so far; the
    // cycle carries on, opens a new batch and saves, and the run goes on.
    void clearInsideACycle()
    {
        VirtualForm w;
        Form1 &f = w.form;
        bool cleared = false;
        auto watcher = w.pacer.makeTimer();
        watcher->onTick = [&] {
            if (!cleared && !f.ui.lines[1].stamp->text().isEmpty() && f.ui.lines[2].stamp->text().isEmpty()
                && f.st.busyFlag == 0 && !f.ui.lines[1].mirror->isEnabled()) {
                f.ui.CommandClr->click();
                cleared = true;
            }
        };
        watcher->setInterval(10);
        watcher->setEnabled(true);
        f.ui.CommandDeb->click();
        QVERIFY(runUntil(w, [&] { return !logLines(f).isEmpty(); }));
        QVERIFY(cleared);
        const QStringList records = logLines(f);
        QCOMPARE(records.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(records[i].split(',')[2], QString(QChar('C' + i)));
        QCOMPARE(f.ui.LabelSN->text(), f.ui.lines[2].stamp->text().left(16));
        QVERIFY(f.ui.TimerDeb->isEnabled());
        QVERIFY(runUntil(w, [&] { return logLines(f).size() == 8; }));
    }

    void debPressedTwiceArmsOnce()
    {
        VirtualForm w;
        Form1 &f = w.form;
        f.ui.CommandDeb->click();
        w.pacer.advance(600);
        f.ui.CommandDeb->click();
        QCOMPARE(f.ui.TimerDeb->interval(), 1200);
        w.pacer.advance(1199);
        QVERIFY(f.ui.lines[0].stamp->text().isEmpty()); // re-arming restarted the wait
        QVERIFY(runUntil(w, [&] { return logLines(f).size() == 5; }));
        QCOMPARE(w.pacer.beeps().size(), size_t(40));
    }

    // "deb" and the timer's tick while a draw or a cycle runs.
    void overlappingPresses()
    {
        VirtualForm w;
        Form1 &f = w.form;
        w.pacer.schedule(1000, [&] { f.ui.CommandDeb->click(); });
        f.lines.CommandA_Click();
        QVERIFY(!f.ui.TimerDeb->isEnabled());

        // Armed again in a pause inside a cycle: its tick comes during a later
        // draw of the cycle and must not start a cycle inside it.
        bool pressed = false;
        auto presser = w.pacer.makeTimer();
        presser->onTick = [&] {
            if (f.st.busyFlag == 0 && !f.ui.lines[0].stamp->text().isEmpty()
                && f.ui.lines[1].stamp->text().isEmpty() && !pressed) {
                f.ui.CommandDeb->click();
                pressed = true;
            }
            if (f.st.busyFlag != 0)
                f.repeat.TimerDeb_Timer(); // a stray tick in the middle of a draw
        };
        presser->setInterval(7);
        presser->setEnabled(true);
        f.CommandClr_Click();
        f.ui.CommandDeb->click();
        QVERIFY(runUntil(w, [&] { return logLines(f).size() >= 10; }));
        const QStringList records = logLines(f);
        QCOMPARE(records.size(), 10);
        checkCycleRecords(records.mid(0, 5));
        checkCycleRecords(records.mid(5, 5));
        QVERIFY(pressed);
    }

    void closeDuringACycle()
    {
        VirtualForm w;
        Form1 &f = w.form;
        f.show();
        f.ui.CommandDeb->click();
        w.pacer.schedule(9000, [&] { f.close(); });
        w.pacer.advance(9000);
        QVERIFY(w.pacer.stopping());
        QVERIFY(!QFile::exists(f.st.appFolder + "KelpLog.csv"));
    }
};

QTEST_MAIN(TestRepeat)
#include "tst_repeat.moc"

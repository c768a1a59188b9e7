#include "support/virtualform.h"
#include "app/stamps.h"

#include <QtTest>

#include <set>

namespace {
// Roll steps from one number to the next: 1 to 43, never 0.
int stepsBetween(int from, int to)
{
    return (to - from - 1 + 43) % 43 + 1;
}

std::vector<int> asNumbers(const QStringList &captions)
{
    std::vector<int> n;
    for (const QString &c : captions)
        n.push_back(c.toInt());
    return n;
}
} // namespace

// The draw machine and the five ticket lines, on the virtual clock.
class TestDraw : public QObject
{
    Q_OBJECT
private slots:
    void drawPacing_data()
    {
        QTest::addColumn<quint32>("startTick");
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("ordinary") << 1000000u << 1u;
        QTest::newRow("sign change") << 0x7FFFFFFFu - 3000 << 2u;
        QTest::newRow("wrap") << 0xFFFFFFFFu - 5000 << 3u;
        for (unsigned seed = 4; seed < 40; ++seed)
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << 1000000u + 37 * seed << seed;
    }
    // Six distinct numbers in drawing order, eight beeps, the roll reaching each
    // number in 50 ms steps and holding it 500 ms, 500 ms more before "START".
    void drawPacing()
    {
        QFETCH(quint32, startTick);
        QFETCH(unsigned, seed);
        VirtualForm w(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)), startTick, seed);
        w.form.machine.CommandS_Click();

        const std::vector<int> n = asNumbers(w.machine());
        QCOMPARE(std::set<int>(n.begin(), n.end()).size(), size_t(6));
        for (int x : n)
            QVERIFY(x >= 1 && x <= 43);
        const auto &beeps = w.pacer.beeps();
        QCOMPARE(beeps.size(), size_t(8));
        QCOMPARE(beeps.front(), qint64(0));
        QCOMPARE(beeps[7] - beeps[6], qint64(500));
        QCOMPARE(w.pacer.elapsed(), beeps[7]);
        QVERIFY(w.pacer.elapsed() >= 3800);
        if (w.pacer.randomValuesTaken() == 6) { // no repeat was picked
            int from = 0;
            for (int k = 0; k < 6; ++k) {
                QCOMPARE(beeps[k + 1] - beeps[k], qint64(50 * stepsBetween(from, n[k]) + 500));
                from = n[k];
            }
            QVERIFY(w.pacer.elapsed() <= 16200);
        }
        QCOMPARE(w.form.ui.CommandS->text(), QString("START"));
        QVERIFY(!w.form.ui.TimerS->isEnabled());
        QCOMPARE(w.form.st.busyFlag, 0);
        QCOMPARE(int(w.form.st.drawIndex), 7);
    }

    // The button's caption counts up in 50 ms steps, from 43 to 1, and is never
    // reset within a draw; after the sixth number it stays a second.
    void rollCaption()
    {
        VirtualForm w;
        QPushButton *button = w.form.ui.CommandS;
        QStringList seen;
        std::vector<qint64> at;
        auto sampler = w.pacer.makeTimer();
        sampler->onTick = [&] {
            if (seen.isEmpty() || seen.last() != button->text()) {
                seen << button->text();
                at.push_back(w.pacer.elapsed());
            }
        };
        sampler->setInterval(1);
        sampler->setEnabled(true);
        bool wrapped = false;
        for (int draw = 0; draw < 6; ++draw) {
            seen.clear();
            at.clear();
            const qint64 start = w.pacer.elapsed();
            w.form.machine.CommandS_Click();
            w.pacer.advance(1);
            QCOMPARE(seen.last(), QString("START"));
            QCOMPARE(seen.first(), QString("START"));
            QCOMPARE(seen[1], QString("1"));
            for (int i = 2; i + 1 < seen.size(); ++i) {
                const int before = seen[i - 1].toInt(), now = seen[i].toInt();
                QCOMPARE(now, before == 43 ? 1 : before + 1);
                wrapped = wrapped || before == 43;
                QCOMPARE((at[i] - start) % 50, qint64(0));
            }
            QCOMPARE(seen[seen.size() - 2], w.form.ui.LabelS[5]->text());
            // Sampled each millisecond, so "START" may be seen one late.
            QVERIFY(qAbs(at.back() - at[at.size() - 2] - 1000) <= 1);
        }
        QVERIFY(wrapped);
    }

    void repeatIsPickedAgain()
    {
        VirtualForm w;
        // 1, then 1 twice more: two repeats, each paused for its tick remainder.
        w.pacer.scriptRandom({0.0f, 0.0f, 0.0f});
        w.form.machine.CommandS_Click();
        const QStringList n = w.machine();
        QCOMPARE(n[0], QString("1"));
        QCOMPARE(n.count("1"), 1);
        QVERIFY(w.pacer.randomValuesTaken() >= 8);
        // First number settles at 550; the repeats pause (1000000 + 550) % 1000
        // and then (1000000 + 1100) % 1000 milliseconds before the next pick.
        QVERIFY(w.pacer.beeps()[2] >= 1200 + 50 + 500);
    }

    void batchStamps()
    {
        VirtualForm w;
        Form1 &f = w.form;
        f.lines.CommandC_Click();
        QCOMPARE(f.ui.LabelSN->text(), QString("2026/12/06,09:05"));
        QCOMPARE(f.ui.LabelSN0->text(), QString("261206_0905.csv"));
        QCOMPARE(f.ui.lines[2].stamp->text(), QString("2026/12/06,09:05:03"));
        QCOMPARE(f.ui.lines[2].stamp->text().left(16), f.ui.LabelSN->text());
        QCOMPARE(f.st.batchStamped, std::int16_t(1));

        w.pacer.advance(120000);
        f.lines.CommandA_Click();
        QVERIFY(f.ui.lines[0].stamp->text().startsWith("2026/12/06,09:0"));
        QVERIFY(f.ui.lines[0].stamp->text() != f.ui.lines[2].stamp->text());
        QCOMPARE(f.ui.LabelSN->text(), QString("2026/12/06,09:05"));
        QCOMPARE(f.ui.LabelSN0->text(), QString("261206_0905.csv"));

        w.pacer.advance(100);
        f.CommandClr_Click();
        QCOMPARE(f.ui.LabelSN->text(), QString());
        w.pacer.advance(60000);
        const QString clock = f.st.clockTime.toString("yyyy/MM/dd,HH:mm");
        f.machine.CommandS_Click(); // the machine's own button opens a batch too
        QCOMPARE(f.ui.LabelSN->text(), clock);
        QVERIFY(clock != "2026/12/06,09:05");
    }

    // A line shows the draw as it happens and keeps its result.
    void lineMirrorsTheDraw()
    {
        VirtualForm w;
        Form1 &f = w.form;
        bool sawRollOnLine = false;
        for (int t = 100; t < 4000; t += 75)
            w.pacer.schedule(t, [&] {
                const QStringList line = w.numbers(1);
                for (int i = 0; i < 6; ++i)
                    QVERIFY(line[i] == "  " || line[i] == f.ui.LabelS[i]->text());
                sawRollOnLine = sawRollOnLine || f.ui.lines[1].start->text() != "START";
                QCOMPARE(f.st.busyFlag, 2);
            });
        f.lines.CommandB_Click();
        QVERIFY(sawRollOnLine);
        QCOMPARE(w.numbers(1), w.machine());
        QVERIFY(f.ui.lines[1].mirror->isEnabled()); // its last copy is yet to come
        w.pacer.advance(50);
        QVERIFY(!f.ui.lines[1].mirror->isEnabled());
        QCOMPARE(f.ui.lines[1].start->text(), QString("START"));
        QCOMPARE(w.numbers(0), QStringList(6, QString()));
    }

    void restartingALineReplacesItsDraw()
    {
        VirtualForm w;
        Form1 &f = w.form;
        f.lines.CommandD_Click();
        w.pacer.advance(3000);
        const QStringList first = w.numbers(3);
        w.pacer.schedule(0, [&] {
            QCOMPARE(w.numbers(3), QStringList(6, "  "));
            QCOMPARE(f.ui.lines[3].stamp->text(), Stamps::line(f.st.clockTime));
            QVERIFY(f.ui.lines[3].stamp->text() > "2026/12/06,09:05:10");
        });
        f.lines.CommandD_Click();
        QVERIFY(w.numbers(3) != first);
    }

    // Every press that would start or disturb a draw while one runs.
    void refusedDuringALinesDraw_data()
    {
        QTest::addColumn<QString>("press");
        QTest::newRow("another line") << "CommandC";
        QTest::newRow("the same line") << "CommandA";
        QTest::newRow("machine") << "CommandS";
        QTest::newRow("clear") << "CommandClr";
    }
    void refusedDuringALinesDraw()
    {
        QFETCH(QString, press);
        VirtualForm w;
        Form1 &f = w.form;
        QStringList atPress;
        QString stampA;
        for (int t : {300, 560, 1777, 3200})
            w.pacer.schedule(t, [&] {
                atPress = w.numbers(2);
                stampA = f.ui.lines[0].stamp->text();
                f.findChild<QPushButton *>(press)->click();
                QCOMPARE(w.numbers(2), atPress);
                QCOMPARE(f.ui.lines[0].stamp->text(), stampA);
                QVERIFY(!f.ui.lines[2].mirror->isEnabled());
                QVERIFY(f.ui.lines[0].mirror->isEnabled());
            });
        f.lines.CommandA_Click();
        QCOMPARE(w.pacer.beeps().size(), size_t(8)); // one draw, none nested in it
        QCOMPARE(w.numbers(2), QStringList(6, QString()));
        QCOMPARE(f.ui.lines[2].stamp->text(), QString());
        QCOMPARE(w.numbers(0), w.machine());
    }

    // A draw from the machine's own button leaves busyFlag at 0: Clear acts,
    // but no line may start a second draw inside it.
    void duringAMachineDraw()
    {
        VirtualForm w;
        Form1 &f = w.form;
        f.lines.CommandA_Click();
        w.pacer.advance(100);
        w.pacer.schedule(1000, [&] {
            QCOMPARE(f.st.busyFlag, 0);
            f.ui.lines[2].start->click();
            QCOMPARE(f.ui.lines[2].stamp->text(), QString());
            f.ui.CommandS->click();
            f.ui.CommandClr->click();
            f.ui.CommandClr->click();
        });
        f.ui.CommandS->click();
        QCOMPARE(w.pacer.beeps().size(), size_t(16));
        QCOMPARE(f.st.busyFlag, 0);
        QCOMPARE(f.st.batchStamped, std::int16_t(0));
        QCOMPARE(f.ui.LabelSN->text(), QString()); // not written again by this draw
        QCOMPARE(f.ui.lines[0].stamp->text(), QString());
        QCOMPARE(w.numbers(0), QStringList(6, QString()));
        QCOMPARE(w.numbers(2), QStringList(6, QString()));
        QVERIFY(!w.machine().contains("  "));
    }

    // Right after a draw, before the line's last mirror tick: a new line, a
    // Clear or the machine's button must not leave the line half-finished or
    // copy into it.
    void rightAfterADraw_data()
    {
        QTest::addColumn<QString>("press");
        QTest::newRow("another line") << "CommandB";
        QTest::newRow("clear") << "CommandClr";
        QTest::newRow("machine") << "CommandS";
    }
    void rightAfterADraw()
    {
        QFETCH(QString, press);
        VirtualForm w;
        Form1 &f = w.form;
        f.lines.CommandA_Click();
        const QStringList drawnA = w.numbers(0);
        QVERIFY(f.ui.lines[0].mirror->isEnabled());
        f.findChild<QPushButton *>(press)->click();
        w.pacer.advance(200);
        QCOMPARE(f.ui.lines[0].start->text(), QString("START"));
        QVERIFY(!f.ui.lines[0].mirror->isEnabled());
        QCOMPARE(w.numbers(0), press == "CommandClr" ? QStringList(6, QString()) : drawnA);
    }

    void clearTwiceIsClearOnce()
    {
        VirtualForm w;
        Form1 &f = w.form;
        f.lines.CommandA_Click();
        f.lines.CommandE_Click();
        w.pacer.advance(100);
        f.st.lineRecords[0] = "kept";
        f.CommandClr_Click();
        f.CommandClr_Click();
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(w.numbers(k), QStringList(6, QString()));
            QCOMPARE(f.ui.lines[k].stamp->text(), QString());
            QCOMPARE(f.ui.lines[k].start->text(), QString("START"));
        }
        QCOMPARE(f.ui.LabelSN->text(), QString());
        QCOMPARE(f.ui.LabelSN0->text(), QString());
        QCOMPARE(f.st.batchStamped, std::int16_t(0));
        QCOMPARE(f.st.lineRecords[0], QString("kept"));
        QVERIFY(!w.machine().contains(QString())); // the machine keeps its numbers
    }

    // Closing the window at any moment of a draw ends every wait at once.
    void closeMidDraw_data()
    {
        QTest::addColumn<int>("moment"); // 0 mid-roll, 1 hold, 2 repeat pause, 3 closing pause
        QTest::newRow("mid-roll") << 0;
        QTest::newRow("hold") << 1;
        QTest::newRow("repeat pause") << 2;
        QTest::newRow("closing pause") << 3;
    }
    void closeMidDraw()
    {
        QFETCH(int, moment);
        std::vector<qint64> beeps;
        {
            VirtualForm dry;
            dry.form.lines.CommandA_Click();
            beeps = dry.pacer.beeps();
        }
        const qint64 at = moment == 0 ? beeps[1] - 525 : moment == 1 ? beeps[2] - 250
                        : moment == 2 ? 800 : beeps[6] + 250;
        VirtualForm w;
        if (moment == 2)
            w.pacer.scriptRandom({0.0f, 0.0f});
        w.form.show();
        w.pacer.schedule(at, [&] { w.form.close(); });
        w.form.lines.CommandA_Click();
        QCOMPARE(w.pacer.elapsed(), at);
        QVERIFY(w.pacer.stopping());
        QVERIFY(!w.form.isVisible());
        const QStringList line = w.numbers(0);
        w.pacer.advance(60000);
        QCOMPARE(w.numbers(0), line);
    }
};

QTEST_MAIN(TestDraw)
#include "tst_draw.moc"

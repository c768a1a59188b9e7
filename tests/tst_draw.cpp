#include "support.h"

using Times = QList<qint64>;

// The draw machine, the lines and the repeat run on the virtual clock, where
// every pause is exact; every button at the worst moments.
class TestDraw : public QObject
{
    Q_OBJECT

    static Times beeps(const VirtualForm &w) { return Times(w.pacer.beeps().begin(), w.pacer.beeps().end()); }

private slots:
    // A draw beeps at the press, as each number settles (the roll steps 50 ms a
    // number from where it stopped, 43 to 1, and holds 500 ms) and 500 ms after
    // the sixth; a duplicate waits its tick remainder while the roll goes on.
    void pacing_data()
    {
        QTest::addColumn<quint32>("tick");
        QTest::addColumn<QList<float>>("random");
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<Times>("beeps");
        QTest::newRow("ordinary") << 1000000u << QList<float>{} << "18 42 7 41 1 30"
                                   << Times{0, 1400, 3100, 4000, 6200, 6850, 8800, 9300};
        // The counter turns negative 1111 ms in, and wraps to 0 1000 ms in:
        // in the hold of the first number, from 950 and from 900 ms.
        QTest::newRow("counter's sign change in a hold") << 0x80000000u - 1111 << QList<float>{} << "19 41 33 3 1 39"
                                                         << Times{0, 1450, 3050, 5300, 6450, 9000, 11400, 11900};
        QTest::newRow("counter's wrap in a hold") << 0u - 1000 << QList<float>{} << "18 42 7 41 1 30"
                                                  << Times{0, 1400, 3100, 4000, 6200, 6850, 8800, 9300};
        // 1 settles at 550; 1 twice more waits 550 and 100 ms, the roll at 14
        // by then, so 22 settles 8 steps and a hold later.
        QTest::newRow("duplicates") << 1000000u << QList<float>{0, 0, 0} << "1 22 43 23 20 40"
                                     << Times{0, 550, 2100, 3650, 5300, 7800, 9300, 9800};
        QTest::newRow("duplicate at remainder 0") << 999450u << QList<float>{0, 0} << "1 18 42 19 3 25"
                                                   << Times{0, 550, 1900, 3600, 5100, 6950, 8550, 9050};
    }
    void pacing()
    {
        QFETCH(quint32, tick);
        QFETCH(QList<float>, random);
        QFETCH(QString, numbers);
        QFETCH(Times, beeps);
        VirtualForm w({QDate(2026, 12, 6), QTime(9, 5, 3)}, tick);
        w.pacer.scriptRandom({random.begin(), random.end()});
        w.form.controls.CommandS->click();
        QCOMPARE(w.numbers(VirtualForm::machine).join(' '), numbers);
        QCOMPARE(TestDraw::beeps(w), beeps);
        QCOMPARE(w.form.controls.CommandS->text(), QString("START"));
    }

    // Line B shows the draw as it happens: its button rolls a step every 50 ms,
    // its numbers land one by one at the mirror's first tick after they settle,
    // "START" comes back at the first tick after the draw.
    void lineShowsTheDraw()
    {
        VirtualForm w;
        QStringList buttons, numbers;
        auto sampler = w.pacer.makeTimer();
        sampler->onTick = [&] {
            const QString button = w.form.controls.lines[1].start->text(), line = w.numbers(1).join(',');
            if (buttons.isEmpty() || buttons.last().section('@', 0, 0) != button)
                buttons << QString("%1@%2").arg(button).arg(w.pacer.elapsed());
            if (numbers.isEmpty() || numbers.last().section('@', 0, 0) != line)
                numbers << QString("%1@%2").arg(line).arg(w.pacer.elapsed());
        };
        sampler->setInterval(1);
        sampler->setEnabled(true);
        w.play("B");
        QCOMPARE(numbers.join(' '), QString("  ,  ,  ,  ,  ,  @1 18,  ,  ,  ,  ,  @1450 18,42,  ,  ,  ,  @3150 "
                                            "18,42,7,  ,  ,  @4050 18,42,7,41,  ,  @6250 18,42,7,41,1,  @6900 "
                                            "18,42,7,41,1,30@8850"));
        QCOMPARE(buttons.mid(0, 4).join(' '), QString("START@1 1@100 2@150 3@200"));
        QCOMPARE(buttons.mid(buttons.size() - 2).join(' '), QString("30@8350 START@9350"));
        QVERIFY(buttons.join(QChar(32)).contains(" 43@") && buttons.size() == 118); // 116 steps, 43 wrapping to 1
    }

    // Each button pressed during a line's roll and hold, during a draw of the
    // machine's own button, and right after a line's draw. A refused press
    // changes nothing at all: the window, the files, what was printed and the
    // beeps end as in the same run without the press.
    void presses_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("moment");
        QTest::addColumn<bool>("acts");
        const QStringList moments{"line roll", "line hold", "machine draw", "right after"};
        const std::pair<const char *, const char *> acts[] = { // per moment: + acts, - refused
            {"CommandA", "---+"},   {"CommandC", "---+"},    {"CommandS", "---+"},
            {"CommandClr", "--++"}, {"CommandSort", "--++"}, {"CommandSave", "--++"},
            {"CommandPrint", "--++"}, {"CommandPrintTxt", "--++"}, {"CommandDeb", "--++"}};
        for (const auto &[button, row] : acts)
            for (int m = 0; m < 4; ++m)
                QTest::addRow("%s, %s", button, qPrintable(moments[m])) << button << moments[m] << (row[m] == '+');
    }
    void presses()
    {
        QFETCH(QString, button);
        QFETCH(QString, moment);
        QFETCH(bool, acts);
        auto run = [&](bool press, QStringList &outcome) {
            VirtualForm w;
            if (moment == "right after") {
                w.form.lines.CommandA_Click();
                const QStringList drawn = w.numbers(0);
                if (press)
                    w.button(button)->click();
                // Line A had its last copy before the press acted.
                const QStringList kept = w.numbers(0), expected = press && button == "CommandClr" ? QStringList(6, "") : drawn;
                QVERIFY(!press || button == "CommandA" || w.form.controls.lines[0].start->text() == "START");
                if (button != "CommandA")
                    QCOMPARE(QSet<QString>(kept.begin(), kept.end()), QSet<QString>(expected.begin(), expected.end()));
            } else {
                // Line A's first number settles at 1800: it rolls at 600 and holds at 1500.
                if (press)
                    w.pacer.schedule(moment == "line roll" ? 600 : 1500, [&] { w.button(button)->click(); });
                w.button(moment == "machine draw" ? "CommandS" : "CommandA")->click();
            }
            w.pacer.advance(20000);
            outcome = QStringList{w.files(), w.form.notice->text(), QString::number(w.pacer.beeps().size()),
                                  w.form.controls.LabelSN->text(), QString::number(w.form.controls.TimerDeb->isEnabled())};
            for (int k = 0; k <= VirtualForm::machine; ++k)
                outcome << w.numbers(k);
            for (const LineControls &line : w.form.controls.lines)
                outcome << line.stamp->text() << line.start->text();
        };
        QStringList without, with;
        run(false, without);
        run(true, with);
        QCOMPARE(with != without, acts);
    }

    // Closing the window at any moment ends every wait at once: nothing moves
    // after it, and a cycle cut short saves nothing.
    void closeAtAnyMoment_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<qint64>("at");
        QTest::newRow("roll") << "A" << qint64(600);
        QTest::newRow("hold") << "A" << qint64(1500);
        QTest::newRow("closing pause") << "A" << qint64(9600);
        QTest::newRow("repeat cycle") << "Deb +100000" << qint64(9000);
        QTest::newRow("between cycles") << "Deb +100000" << qint64(47000); // the first saved at 46400
    }
    void closeAtAnyMoment()
    {
        QFETCH(QString, steps);
        QFETCH(qint64, at);
        VirtualForm w;
        w.form.show();
        QByteArray files;
        w.pacer.schedule(at, [&] { w.form.close(), files = w.files(); });
        w.play(steps);
        QCOMPARE(w.pacer.elapsed(), at);
        const QStringList line = w.numbers(0);
        w.pacer.advance(100000);
        QCOMPARE(w.numbers(0), line);
        QCOMPARE(w.files(), files);
        QCOMPARE(files.isEmpty(), at < 46400);
    }

    // The repeat run: the first cycle 1200 ms after "deb", 300 ms after each
    // line's draw, 1200 ms from a cycle's end (300 ms after line E) to the
    // next; a stray tick in a draw or a cycle, or a second "deb" in a cycle,
    // starts no cycle inside it.
    void repeatPacing()
    {
        VirtualForm w;
        auto stray = w.pacer.makeTimer();
        stray->onTick = [&] {
            if (w.form.state.busyFlag != 0 || w.form.state.cycleRunning)
                w.form.repeat.TimerDeb_Timer();
        };
        stray->setInterval(7);
        stray->setEnabled(true);
        w.pacer.schedule(19000, [&] { w.button("CommandDeb")->click(); }); // in the cycle's pause after A
        w.play("A Deb saved saved");
        const Times b = beeps(w);
        QCOMPARE(b.size(), 88);
        QCOMPARE(b[8] - b[7], qint64(300 + 1200));
        for (int k = 2; k < 11; ++k)
            QCOMPARE(b[8 * k] - b[8 * k - 1], qint64((k - 1) % 5 ? 300 : 1500));
        QFile log(w.form.state.appFolder + "KelpLog.csv");
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll().count("\r\n"), 10); // two cycles' saves, no other
    }
};

QTEST_MAIN(TestDraw)
#include "tst_draw.moc"

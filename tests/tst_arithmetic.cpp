#include "support.h"
#include "draw/pick.h"

// The pick and the sort, with worked values.
class TestArithmetic : public QObject
{
    Q_OBJECT
private slots:
    // The range is the clock's six fields plus the tick remainder, floored to
    // 0..999 also for a negative tick; the candidate is floor(range * r) + 1
    // from the exact product, modulo 43 with 0 becoming 43.
    void pick_data()
    {
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<quint32>("tick");
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("candidate");
        const QDateTime morning({2026, 12, 6}, {9, 5, 3}); // fields add up to 61
        QTest::newRow("smallest range 2") << QDateTime({2000, 1, 1}, {0, 0}) << 0u << 0.75f << 2;
        QTest::newRow("largest range 1282, largest r") << QDateTime({2099, 12, 31}, {23, 59, 59}) << 999u
                                                       << 0.99999994f << 35;
        QTest::newRow("r zero gives 1") << morning << 1000000u << 0.0f << 1;
        QTest::newRow("x = 86 becomes 43") << morning << 1000039u << 0.855f << 43;
        QTest::newRow("x = 44 wraps to 1") << morning << 1000025u << 0.5f << 1;
        QTest::newRow("tick 1000 has remainder 0") << morning << 1000u << 0.5f << 31;
        QTest::newRow("most negative tick, remainder 352") << morning << 0x80000000u << 0.5f << 35;
        QTest::newRow("tick -1, remainder 999") << morning << 0xFFFFFFFFu << 0.5f << 15;
        QTest::newRow("tick -1001, remainder 999") << morning << quint32(-1001) << 0.5f << 15;
        // 10 * 0.7f is 6.9999999 but 7 once rounded to single precision.
        QTest::newRow("no single-precision product") << QDateTime({2000, 1, 1}, {0, 0}) << 8u << 0.7f << 7;
    }
    void pick()
    {
        QFETCH(QDateTime, clock);
        QFETCH(quint32, tick);
        QFETCH(float, r);
        QFETCH(int, candidate);
        QCOMPARE(Pick::candidate(Pick::drawRange(Pick::clockFields(clock), Pick::tickRemainder(tick)), r), candidate);
    }

    // Each line sorts alike, in place, by value: blanks, empties and what
    // is no 16-bit number count 0 and come first as "  "; blanks around a
    // number are allowed. The machine's labels end as "44", its row numbers
    // as line E's result.
    void sort_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("sorted");
        QTest::newRow("worked") << "23 5 41 17 9 30" << "5 9 17 23 30 41";
        QTest::newRow("9 before 10") << "10 9 43 1 2 11" << "1 2 9 10 11 43";
        QTest::newRow("12 and 3 among blanks") << "_ 12 _ _ 3 _" << "_ _ _ _ 3 12";
        QTest::newRow("12 and 3 at the ends") << "12 _ _ _ _ 3" << "_ _ _ _ 3 12";
        QTest::newRow("empty") << "- - - - - -" << "_ _ _ _ _ _";
        QTest::newRow("already sorted") << "1 2 3 41 42 43" << "1 2 3 41 42 43";
        QTest::newRow("odd captions") << "x7 32768 -3 _5_ - 9" << "-3 _ _ _ 5 9";
    }
    void sort()
    {
        QFETCH(QString, line);
        QFETCH(QString, sorted);
        auto captions = [](const QString &text) {
            QStringList texts = text.split(' ');
            for (QString &t : texts)
                t = t == "-" ? "" : t.replace('_', "  ");
            return texts;
        };
        for (int k = 0; k < 5; ++k) {
            VirtualForm w;
            for (int i = 0; i < 6; ++i)
                w.form.controls.lines[k].numbers[i]->setText(captions(line)[i]);
            for (int twice = 0; twice < 2; ++twice) {
                w.play("Sort");
                QCOMPARE(w.numbers(k).join(' '), captions(sorted).join(' '));
            }
            QCOMPARE(w.numbers(VirtualForm::machine), QStringList(6, "44"));
            QStringList rows;
            for (const QLabel *label : w.form.controls.NumberLabelS)
                rows << label->text();
            QCOMPARE(rows.join(' '), captions(k == 4 ? sorted : "_ _ _ _ _ _").join(' '));
        }
    }
};

QTEST_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"

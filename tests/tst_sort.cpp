#include "support/virtualform.h"
#include "sort/sortnumbers.h"

#include <QtTest>

namespace {
const QStringList blanks(6, "  ");
} // namespace

class TestSort : public QObject
{
    Q_OBJECT
private slots:
    void captionValue_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("value");
        QTest::newRow("number") << "7" << 7;
        QTest::newRow("two digits") << "43" << 43;
        QTest::newRow("blanks around") << " 12 " << 12;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("two blanks") << "  " << 0;
        QTest::newRow("letters") << "x7" << 0;
        QTest::newRow("largest") << "32767" << 32767;
        QTest::newRow("overflow") << "32768" << 0;
        QTest::newRow("far overflow") << "99999999999" << 0;
        QTest::newRow("negative") << "-3" << -3;
    }
    void captionValue()
    {
        QFETCH(QString, caption);
        QFETCH(int, value);
        QCOMPARE(int(::captionValue(caption)), value);
    }

    void sortLine_data()
    {
        QTest::addColumn<QStringList>("line");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("worked") << QStringList{"23", "5", "41", "17", "9", "30"}
                                << QStringList{"5", "9", "17", "23", "30", "41"};
        QTest::newRow("9 before 10") << QStringList{"10", "9", "43", "1", "2", "11"}
                                     << QStringList{"1", "2", "9", "10", "11", "43"};
        QTest::newRow("12 and 3 among blanks") << QStringList{"  ", "12", "  ", "  ", "3", "  "}
                                               << QStringList{"  ", "  ", "  ", "  ", "3", "12"};
        QTest::newRow("12 and 3 at the ends") << QStringList{"12", "  ", "  ", "  ", "  ", "3"}
                                              << QStringList{"  ", "  ", "  ", "  ", "3", "12"};
        QTest::newRow("empty") << QStringList(6, "") << blanks;
        QTest::newRow("blank") << blanks << blanks;
        QTest::newRow("already sorted") << QStringList{"1", "2", "3", "41", "42", "43"}
                                        << QStringList{"1", "2", "3", "41", "42", "43"};
    }
    void sortLine()
    {
        QFETCH(QStringList, line);
        QFETCH(QStringList, sorted);
        for (int k = 0; k < 5; ++k) { // the same on every line
            VirtualForm w;
            w.setLine(k, line);
            w.form.sorter.CommandSort_Click();
            QCOMPARE(w.numbers(k), sorted);
            w.form.sorter.CommandSort_Click();
            QCOMPARE(w.numbers(k), sorted);
        }
    }

    void scratchLabelsAfterASort()
    {
        VirtualForm w;
        Form1 &f = w.form;
        f.lines.CommandA_Click();
        f.lines.CommandE_Click();
        w.pacer.advance(100);
        const QStringList stampE = {f.ui.lines[4].stamp->text()};
        f.ui.CommandSort->click();
        QCOMPARE(w.machine(), QStringList(6, "44"));
        QCOMPARE(VirtualForm::captions(f.ui.NumberLabelS), w.numbers(4));
        QCOMPARE(w.numbers(1), blanks); // a line never started in this batch
        QCOMPARE(QStringList{f.ui.lines[4].stamp->text()}, stampE);
        QVERIFY(!f.ui.lines[4].mirror->isEnabled());

        f.CommandClr_Click();
        f.sorter.CommandSort_Click();
        QCOMPARE(VirtualForm::captions(f.ui.NumberLabelS), blanks);
        // The next draw blanks the scratch labels before it fills them.
        f.lines.CommandB_Click();
        QVERIFY(!w.machine().contains("44"));
        QCOMPARE(w.numbers(1), w.machine());
    }

    void refusedDuringALinesDraw()
    {
        VirtualForm w;
        Form1 &f = w.form;
        w.setLine(3, {"30", "20", "10", "5", "4", "3"});
        w.pacer.schedule(1500, [&] {
            const QStringList machine = w.machine();
            f.ui.CommandSort->click();
            QCOMPARE(w.numbers(3), (QStringList{"30", "20", "10", "5", "4", "3"}));
            QCOMPARE(w.machine(), machine);
        });
        f.lines.CommandA_Click();
        QCOMPARE(w.numbers(3), (QStringList{"30", "20", "10", "5", "4", "3"}));
    }

    // Sort the moment a draw ends, before the line's last mirror tick: the
    // line keeps its numbers, sorted, and is not overwritten by the scratch.
    void rightAfterADraw()
    {
        VirtualForm w;
        Form1 &f = w.form;
        f.lines.CommandC_Click();
        QStringList expected = w.numbers(2);
        std::sort(expected.begin(), expected.end(),
                  [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
        f.ui.CommandSort->click();
        w.pacer.advance(500);
        QCOMPARE(w.numbers(2), expected);
        QCOMPARE(f.ui.lines[2].start->text(), QString("START"));
    }
};

QTEST_MAIN(TestSort)
#include "tst_sort.moc"

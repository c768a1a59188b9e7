#include "draw/pick.h"
#include "app/appfolder.h"
#include "app/stamps.h"

#include <QtTest>

// The pure arithmetic: the pick, the clock's formats and the program folder.
class TestPick : public QObject
{
    Q_OBJECT
private slots:
    void tickRemainder_data()
    {
        QTest::addColumn<quint32>("tick");
        QTest::addColumn<int>("remainder");
        QTest::newRow("zero") << 0u << 0;
        QTest::newRow("999") << 999u << 999;
        QTest::newRow("1000") << 1000u << 0;
        QTest::newRow("largest positive") << 0x7FFFFFFFu << 647;       // 2147483647
        QTest::newRow("most negative") << 0x80000000u << 352;          // -2147483648
        QTest::newRow("minus one") << 0xFFFFFFFFu << 999;
        QTest::newRow("minus 1000") << quint32(-1000) << 0;
        QTest::newRow("minus 1001") << quint32(-1001) << 999;
    }
    void tickRemainder()
    {
        QFETCH(quint32, tick);
        QFETCH(int, remainder);
        QCOMPARE(Pick::tickRemainder(tick), remainder);
    }

    void drawRange_data()
    {
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<int>("remainder");
        QTest::addColumn<int>("range");
        QTest::newRow("smallest") << QDateTime(QDate(2000, 1, 1), QTime(0, 0)) << 0 << 2;
        QTest::newRow("largest") << QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59)) << 999 << 1282;
        QTest::newRow("worked") << QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)) << 417 << 478;
    }
    void drawRange()
    {
        QFETCH(QDateTime, clock);
        QFETCH(int, remainder);
        QFETCH(int, range);
        QCOMPARE(int(Pick::drawRange(Pick::clockFields(clock), remainder)), range);
    }

    void candidate_data()
    {
        QTest::addColumn<int>("range");
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("candidate");
        QTest::newRow("r zero gives 1") << 1282 << 0.0f << 1;
        QTest::newRow("x = 43 stays 43") << 43 << 0.99f << 43;
        QTest::newRow("x = 86 becomes 43") << 100 << 0.855f << 43;
        QTest::newRow("x = 44 wraps to 1") << 86 << 0.5f << 1;
        QTest::newRow("range 2 top") << 2 << 0.75f << 2;
        QTest::newRow("largest r") << 1282 << 0.99999994f << 35; // x = 1282
        // 10 * 0.7f is 6.9999999 exactly but rounds to 7 in single precision;
        // the whole part must come from the exact product.
        QTest::newRow("no single rounding") << 10 << 0.7f << 7;
    }
    void candidate()
    {
        QFETCH(int, range);
        QFETCH(float, r);
        QFETCH(int, candidate);
        QCOMPARE(Pick::candidate(static_cast<std::int16_t>(range), r), candidate);
    }

    void everyCandidateInRange()
    {
        for (int range = 2; range <= 1282; range += 7)
            for (float r = 0; r < 1.0f; r += 0.0137f) {
                const int c = Pick::candidate(static_cast<std::int16_t>(range), r);
                QVERIFY2(c >= 1 && c <= 43, qPrintable(QString("%1 %2").arg(range).arg(r)));
            }
    }

    void stamps_data()
    {
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<QStringList>("texts"); // date, time, batch, batch file, line
        QTest::newRow("morning") << QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3))
                                 << QStringList{"2026/12/06", "09:05:03", "2026/12/06,09:05",
                                                "261206_0905.csv", "2026/12/06,09:05:03"};
        QTest::newRow("midnight") << QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0))
                                  << QStringList{"2027/01/01", "00:00:00", "2027/01/01,00:00",
                                                 "270101_0000.csv", "2027/01/01,00:00:00"};
        QTest::newRow("evening") << QDateTime(QDate(2024, 7, 1), QTime(23, 59, 59))
                                 << QStringList{"2024/07/01", "23:59:59", "2024/07/01,23:59",
                                                "240701_2359.csv", "2024/07/01,23:59:59"};
    }
    void stamps()
    {
        QFETCH(QDateTime, clock);
        QFETCH(QStringList, texts);
        QCOMPARE(QStringList({Stamps::date(clock), Stamps::time(clock), Stamps::batch(clock),
                              Stamps::batchFileName(clock), Stamps::line(clock)}),
                 texts);
    }

    void appFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("withSeparator");
        QTest::newRow("folder") << "/opt/drava" << "/opt/drava/";
        QTest::newRow("already ends in one") << "/opt/drava/" << "/opt/drava/";
        QTest::newRow("root") << "/" << "/";
    }
    void appFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, withSeparator);
        QCOMPARE(folderWithSeparator(folder), QDir::toNativeSeparators(withSeparator));
    }
};

QTEST_GUILESS_MAIN(TestPick)
#include "tst_pick.moc"

#include "calendar/calendar.h"
#include "rules/game.h"
#include "stats/tally.h"
#include "texts/texts.h"

#include <QtTest>

// The game's rules, the one place the rest of the program takes them from.
class TestRules : public QObject
{
    Q_OBJECT
private slots:
    void tiers_data()
    {
        QTest::addColumn<int>("matches");
        QTest::addColumn<Game::Bonus>("bonus");
        QTest::addColumn<int>("tier");
        QTest::newRow("all six") << 6 << Game::Bonus::missed << 1;
        QTest::newRow("five and the bonus") << 5 << Game::Bonus::matched << 2;
        QTest::newRow("five") << 5 << Game::Bonus::missed << 3;
        QTest::newRow("four, the bonus no matter") << 4 << Game::Bonus::matched << 4;
        QTest::newRow("three") << 3 << Game::Bonus::missed << 5;
        QTest::newRow("two and the bonus win nothing") << 2 << Game::Bonus::matched << 0;
    }
    void tiers()
    {
        QFETCH(int, matches);
        QFETCH(Game::Bonus, bonus);
        QFETCH(int, tier);
        QCOMPARE(Game::tierOf(matches, bonus), tier);
    }

    void drawDays_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("drawDay");
        QTest::addColumn<int>("lastDayToClaim");
        QTest::newRow("a Monday is one") << 20240610 << 20240610 << 20250610;
        QTest::newRow("a Tuesday waits for Thursday") << 20240611 << 20240613 << 20250611;
        QTest::newRow("a Friday waits for Monday") << 20261211 << 20261214 << 20271211;
        QTest::newRow("29 February claims to the 28th") << 20240229 << 20240229 << 20250228;
        QTest::newRow("none from 31 December, a Thursday, to 3 January") << 20261231 << 20270104 << 20271231;
        QTest::newRow("3 January, a Monday, is none") << 20220103 << 20220106 << 20230103;
    }
    void drawDays()
    {
        QFETCH(int, from);
        QFETCH(int, drawDay);
        QFETCH(int, lastDayToClaim);
        QCOMPARE(Game::drawDayFrom(from), drawDay);
        QCOMPARE(Game::isDrawDay(from), from == drawDay);
        QCOMPARE(Game::lastDayToClaim(from), lastDayToClaim);
    }


    // The texts the window and the command line both print.
    void texts_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("text");
        const NumberList none, three{3, {1, 5, 17}}, more{40, {1, 5, 17}};
        QTest::newRow("no numbers listed") << Texts::listed(none) << "";
        QTest::newRow("all numbers listed") << Texts::listed(three) << "1, 5, 17";
        QTest::newRow("more numbers than kept end in …") << Texts::listed(more) << "1, 5, 17, …";
        QTest::newRow("numbers listed by name")
            << Texts::listed(more, [](uint64_t n) { return QString("第%1回").arg(n); }) << "第1回, 第5回, 第17回, …";
        QTest::newRow("a count under a thousand") << Texts::count(999) << "999";
        QTest::newRow("a count in thousands") << Texts::count(1234567) << "1,234,567";
        QTest::newRow("yen") << Texts::yen(200000000) << "200,000,000";
        QTest::newRow("yen below nothing") << Texts::yen(-233800) << "−233,800";
        QTest::newRow("yen below nothing, on the command line") << Texts::yen(-1000, Texts::Form::CommandLine) << "-1,000";
        QTest::newRow("the most negative yen") << Texts::yen(INT64_MIN) << "−9,223,372,036,854,775,808";
        const Game::ByTier<uint64_t> won{0, 0, 1, 0, 12, 3456};
        QTest::newRow("tiers in the window") << Texts::tiers(won, Texts::Form::Window) << "1等 0 · 2等 1 · 3等 0 · 4等 12 · 5等 3456";
        QTest::newRow("tiers in the window, grouped")
            << Texts::tiers(won, Texts::Form::Window, Texts::Digits::Grouped) << "1等 0 · 2等 1 · 3等 0 · 4等 12 · 5等 3,456";
        QTest::newRow("tiers on the command line")
            << Texts::tiers(won, Texts::Form::CommandLine) << "tier 1 0, tier 2 1, tier 3 0, tier 4 12, tier 5 3456";
    }
    void texts()
    {
        QFETCH(QString, made);
        QFETCH(QString, text);
        QCOMPARE(made, text);
    }

    // The test of evenness as the window words it and the command line prints
    // it, on worked counts: the even share E = 6 × lines ÷ 43, the sum of
    // (count − E)² / E scaled by 42/37, p from χ² with 42 degrees of freedom,
    // uneven below 1 %, and no judgement on fewer than 100 lines.
    void evenness_data()
    {
        QTest::addColumn<QString>("counts"); // "70*21 50*21 60": 21 numbers 70 times, 21 50 times, one 60 times
        QTest::addColumn<QString>("judged");
        QTest::addColumn<QString>("printed");
        QTest::newRow("43 lines, each number 6 times") << "6*43" << "χ² = 0.00 (自由度 42), p = 1.0000 · 判断には行数が足りません" << "chi2 0.00 df 42 p 1";
        QTest::newRow("430 lines, 1 to 21 ahead: uneven, as the plain sum's p of 0.0043 would also say")
            << "70*21 50*21 60" << "χ² = 79.46 (自由度 42), p = 0.0004 · 偏りがあります" << "chi2 79.46 df 42 p 0.0004239";
        QTest::newRow("p just above 1 %") << "70*17 50*17 67 53 60*7" << "χ² = 66.18 (自由度 42), p = 0.0101 · 偏りは見られません" << "chi2 66.18 df 42 p 0.01006";
        QTest::newRow("p just below 1 %") << "72*12 48*12 65 55 60*17" << "χ² = 66.33 (自由度 42), p = 0.0097 · 偏りがあります" << "chi2 66.33 df 42 p 0.009737";
        QTest::newRow("100 lines are judged") << "14*41 13*2" << "χ² = 0.16 (自由度 42), p = 1.0000 · 偏りは見られません" << "chi2 0.16 df 42 p 1";
        QTest::newRow("99 lines are too few") << "14*35 13*8" << "χ² = 0.54 (自由度 42), p = 1.0000 · 判断には行数が足りません" << "chi2 0.54 df 42 p 1";
        QTest::newRow("no lines") << "" << "χ² = 0.00 (自由度 42), p = 1.0000 · 判断には行数が足りません" << "chi2 0.00 df 42 p 1";
    }
    void evenness()
    {
        QFETCH(QString, counts);
        QFETCH(QString, judged);
        QFETCH(QString, printed);
        Tally tally;
        size_t n = 1;
        for (const QString &run : counts.split(' ', Qt::SkipEmptyParts))
            for (int times = run.section('*', 1).toInt(), k = 0; k < qMax(times, 1); ++k)
                tally.numbers[n++] = run.section('*', 0, 0).toULongLong();
        for (const uint64_t count : tally.numbers)
            tally.lines += count;
        tally.lines /= 6;
        QCOMPARE(Texts::evenness(evennessOf(tally), Texts::Form::Window), "偏りの検定: " + judged);
        QCOMPARE(Texts::evenness(evennessOf(tally), Texts::Form::CommandLine), printed);
    }

    // What a chart draws its line of the even share at.
    void evenShare()
    {
        QCOMPARE(Game::evenShare(43), 6.0);
        QCOMPARE(Game::evenShare(430, Game::Drawn::bonus), 10.0);
        QCOMPARE(Game::evenShare(0), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"

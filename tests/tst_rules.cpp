#include "calendar/calendar.h"
#include "rules/game.h"

#include <QtTest>

// The game's rules, the one place the rest of the program takes them from.
class TestRules : public QObject
{
    Q_OBJECT
private slots:
    void tiers_data()
    {
        QTest::addColumn<int>("matches");
        QTest::addColumn<bool>("bonus");
        QTest::addColumn<int>("tier");
        QTest::newRow("all six") << 6 << false << 1;
        QTest::newRow("five and the bonus") << 5 << true << 2;
        QTest::newRow("five") << 5 << false << 3;
        QTest::newRow("four, the bonus no matter") << 4 << true << 4;
        QTest::newRow("three") << 3 << false << 5;
        QTest::newRow("two and the bonus win nothing") << 2 << true << 0;
    }
    void tiers()
    {
        QFETCH(int, matches);
        QFETCH(bool, bonus);
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

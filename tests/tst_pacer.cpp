#include "platform/qtpacer.h"
#include "platform/virtualpacer.h"

#include <QtTest>

// The waits that keep the window alive, on the virtual clock and the real one.
class TestPacer : public QObject
{
    Q_OBJECT
private slots:
    // A pause ends after its milliseconds wherever the tick counter stands,
    // also across its sign change and its wrap to 0.
    void pauseAcrossTheCounter_data()
    {
        QTest::addColumn<quint32>("startTick");
        QTest::newRow("ordinary") << 1000000u;
        QTest::newRow("sign change") << 0x7FFFFFFFu - 200;
        QTest::newRow("wrap to 0") << 0xFFFFFFFFu - 200;
        QTest::newRow("last tick before wrap") << 0xFFFFFFFFu;
    }
    void pauseAcrossTheCounter()
    {
        QFETCH(quint32, startTick);
        VirtualPacer pacer(QDateTime(QDate(2026, 12, 6), QTime(9, 0)), startTick);
        int ticks = 0;
        auto timer = pacer.makeTimer();
        timer->onTick = [&] { ++ticks; };
        timer->setInterval(50);
        timer->setEnabled(true);
        pacer.sleepFor(500);
        QCOMPARE(pacer.elapsed(), qint64(500));
        QCOMPARE(ticks, 10); // the timer ran all through the pause
        pacer.sleepFor(32767);
        QCOMPARE(pacer.elapsed(), qint64(500 + 32767));
    }

    void zeroPauseHandlesNothing()
    {
        VirtualPacer pacer(QDateTime(QDate(2026, 12, 6), QTime(9, 0)));
        bool ran = false;
        pacer.schedule(0, [&] { ran = true; });
        pacer.sleepFor(0);
        pacer.sleepFor(-5);
        QVERIFY(!ran);
        QCOMPARE(pacer.elapsed(), qint64(0));
        pacer.processEventsOnce();
        QVERIFY(ran);
    }

    void shutDownEndsEveryWait()
    {
        VirtualPacer pacer(QDateTime(QDate(2026, 12, 6), QTime(9, 0)));
        auto timer = pacer.makeTimer();
        int ticks = 0;
        timer->onTick = [&] { ++ticks; };
        timer->setInterval(50);
        timer->setEnabled(true);
        pacer.schedule(120, [&] { pacer.shutDown(); });
        pacer.sleepFor(10000);
        QCOMPARE(pacer.elapsed(), qint64(120));
        pacer.waitUntil([] { return false; }); // returns at once
        QCOMPARE(ticks, 2);
    }

    // The real pacer: a pause lasts at least its length on the tick counter
    // and keeps timers running; closing ends it at once.
    void realPause()
    {
        QtPacer pacer;
        auto timer = pacer.makeTimer();
        int ticks = 0;
        timer->onTick = [&] { ++ticks; };
        timer->setInterval(10);
        timer->setEnabled(true);
        const quint32 start = pacer.tickCount();
        pacer.sleepFor(120);
        QVERIFY(pacer.tickCount() - start >= 120);
        QVERIFY(ticks >= 1);

        bool done = false;
        QTimer::singleShot(30, [&] { done = true; });
        pacer.waitUntil([&] { return done; });
        QVERIFY(done);

        QTimer::singleShot(20, [&] { pacer.shutDown(); });
        pacer.waitUntil([] { return false; });
        QVERIFY(pacer.stopping());
        const int before = ticks;
        pacer.sleepFor(50); // returns at once
        QCoreApplication::processEvents();
        QCOMPARE(ticks, before);
    }

    void realRandomInRange()
    {
        QtPacer pacer;
        pacer.reseedRandom();
        for (int i = 0; i < 100000; ++i) {
            const float r = pacer.nextRandom();
            QVERIFY(r >= 0.0f && r < 1.0f);
        }
    }
};

QTEST_GUILESS_MAIN(TestPacer)
#include "tst_pacer.moc"

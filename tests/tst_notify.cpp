#include "notify/winteller.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The notifications service of the test's own, on a session bus the test
// starts: it records the summary of each notification it is sent.
class Notifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList sent;
public slots:
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &, const QStringList &,
                const QVariantMap &, int)
    {
        sent << summary;
        return uint(sent.size());
    }
};

class TestNotify : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void told_data();
    void told();
    void fetchTellsTheWin();

private:
    void write(const QString &path, const QByteArray &bytes);

    QProcess bus;
    Notifications service;
    QTemporaryDir folder;
};

namespace {
const char *const ticket = "ticket,1,2026/12/07,10:00:00,1,1,1950\r\n";
const char *const draw1950 = "1950,2026/12/10,3,7,12,25,31,40,18,200000000,10000000,500000,6800,1000\r\n";
const QString win = "第1950回: 3等 1口 500,000 円 · 受取期限 2027/12/10";
} // namespace

void TestNotify::write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestNotify::initTestCase()
{
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    QVERIFY(bus.waitForReadyRead(10000));
    const QByteArray address = bus.readLine().trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    QDBusConnection own = QDBusConnection::connectToBus(QString::fromUtf8(address), "service");
    QVERIFY(own.registerObject("/org/freedesktop/Notifications", &service, QDBusConnection::ExportAllSlots));
    QVERIFY(own.registerService("org.freedesktop.Notifications"));
    QVERIFY(QDBusConnection::sessionBus().isConnected());
}

void TestNotify::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus("service");
    bus.kill();
    bus.waitForFinished();
}

// A row that failed without its service gives it back.
void TestNotify::init()
{
    QVERIFY(QDBusConnection("service").registerService("org.freedesktop.Notifications"));
    service.sent.clear();
}

enum class Service { There, None };
Q_DECLARE_METATYPE(Service)
Q_DECLARE_METATYPE(WinTeller::Kind)

void TestNotify::told_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<WinTeller::Kind>("kind");
    QTest::addColumn<int>("today");
    QTest::addColumn<Service>("notifications");
    QTest::addColumn<QStringList>("onDesktop");
    QTest::addColumn<QStringList>("inWindow");
    const auto news = WinTeller::Kind::News, reminders = WinTeller::Kind::Reminders;
    const QString remind30 = win + " · あと 30 日", remind7 = win + " · あと 7 日", today = win + " · 本日が受取期限です";
    QTest::newRow("a win, on the desktop and in the window")
        << "3,7,12,25,31,41" << news << 20261211 << Service::There << QStringList{win} << QStringList{win};
    QTest::newRow("no win, in the window only")
        << "1,2,4,5,6,8" << news << 20261211 << Service::There << QStringList() << QStringList{"第1950回: 当せんなし"};
    QTest::newRow("30 days left") << "3,7,12,25,31,41" << reminders << 20271110 << Service::There
                                  << QStringList{remind30} << QStringList{remind30};
    QTest::newRow("7 days left") << "3,7,12,25,31,41" << reminders << 20271203 << Service::There
                                 << QStringList{remind7} << QStringList{remind7};
    QTest::newRow("the last day") << "3,7,12,25,31,41" << reminders << 20271210 << Service::There
                                  << QStringList{today} << QStringList{today};
    QTest::newRow("31 days left: nothing yet")
        << "3,7,12,25,31,41" << reminders << 20271109 << Service::There << QStringList() << QStringList();
    QTest::newRow("no service: the window tells the same")
        << "3,7,12,25,31,41" << news << 20261211 << Service::None << QStringList() << QStringList{win};
}

void TestNotify::told()
{
    QFETCH(QString, line);
    QFETCH(WinTeller::Kind, kind);
    QFETCH(int, today);
    QFETCH(Service, notifications);
    QFETCH(QStringList, onDesktop);
    QFETCH(QStringList, inWindow);
    QDBusConnection own = QDBusConnection("service");
    if (notifications == Service::None)
        QVERIFY(own.unregisterService("org.freedesktop.Notifications"));
    QTemporaryDir dir;
    const QString tickets = dir.filePath("t.csv"), book = dir.filePath("b.csv");
    write(tickets, QByteArray(ticket) + "line,1,A," + line.toLatin1() + ",,,\r\n");
    write(book, draw1950);
    const QDate day(today / 10000, today / 100 % 100, today % 100);
    // Told once, however often it is looked at and whichever copy looks.
    for (const QStringList &expected : {inWindow, QStringList()}) {
        WinTeller teller(tickets, book);
        teller.setClock([day] { return QDateTime(day, QTime(12, 0)); });
        const auto shown = [&teller] {
            QStringList texts;
            for (const Tiding &t : teller.unseen())
                texts << t.text;
            return texts;
        };
        for (int look = 0; look < 2; ++look)
            kind == WinTeller::Kind::News ? teller.tellNews() : teller.remind();
        QTRY_COMPARE(shown(), expected);
        QTest::qWait(100); // the second look's answer, were there one
        QCOMPARE(shown(), expected);
    }
    QVERIFY(WinTeller::take(tickets, book, today, kind).tidings.empty());
    QTRY_COMPARE(service.sent, onDesktop);
}

// drava --fetch prints the new win as --wins does, and shows it on the desktop.
void TestNotify::fetchTellsTheWin()
{
    const QString tickets = folder.filePath("t.csv"), book = folder.filePath("b.csv"), results = folder.filePath("r.csv");
    write(tickets, QByteArray(ticket) + "line,1,A,3,7,12,25,31,41,,,\r\n");
    write(results, draw1950);
    QProcess drava;
    drava.start(QCoreApplication::applicationDirPath() + "/../drava",
                {"--fetch", "--source", QUrl::fromLocalFile(results).toString(), "--book", book, "--tickets", tickets});
    QTRY_COMPARE_WITH_TIMEOUT(drava.state(), QProcess::NotRunning, 30000); // the service answers meanwhile
    QCOMPARE(drava.exitCode(), 0);
    QCOMPARE(drava.readAllStandardOutput(),
             QByteArray("1950,2026/12/10,3,1,500000,2027/12/10,unclaimed,1,A,3,7,12,25,31,41\n"));
    QCOMPARE(service.sent, QStringList{win});
}

QTEST_GUILESS_MAIN(TestNotify)
#include "tst_notify.moc"

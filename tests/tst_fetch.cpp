#include "fetch/bookfetch.h"
#include "fetch/fetchscheduler.h"
#include "fetch/schedule.h"
#include "virtualclock/virtualpacer.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSslKey>
#include <QSslServer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <zlib.h>

namespace {
const QByteArray book = "1901,2024/06/10,3,7,12,25,31,40,18,200000000,10000000,300000,6800,1000\r\n";

// 1901 again and 1902, new to the book, as a site publishes them.
QByteArray resultFile()
{
    QStringEncoder sjis("Shift_JIS");
    return sjis(QStringLiteral("回別,抽せん日,本数字1,本数字2,本数字3,本数字4,本数字5,本数字6,ボーナス数字\r\n"
                               "第1901回,2024/06/10,3,7,12,25,31,40,18\r\n第1902回,2024/06/13,1,2,3,4,5,6,7\r\n"));
}

QByteArray gzipped(const QByteArray &bytes)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&z, uLong(bytes.size()))), 0);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    z.avail_in = uInt(bytes.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(int(z.total_out));
    deflateEnd(&z);
    return out;
}

QByteArray ok(const QByteArray &body, const QByteArray &headers = {})
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" + headers + "\r\n" + body;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "none";
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

// A web server on 127.0.0.1, plain or over TLS, that answers every request
// with `answer` (never, when it is empty), or 304 to one that names the
// answer's ETag, then closes the connection.
class Server
{
public:
    explicit Server(const QSslConfiguration &tls = {}) : server(tls.isNull() ? new QTcpServer : new QSslServer)
    {
        if (!tls.isNull())
            static_cast<QSslServer *>(server.get())->setSslConfiguration(tls);
        QObject::connect(server.get(), &QTcpServer::pendingConnectionAvailable, [this] {
            while (QTcpSocket *socket = server->nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
                serve(socket);
            }
        });
        server->listen(QHostAddress::LocalHost);
    }
    QString base() const
    {
        return QStringLiteral("%1://127.0.0.1:%2").arg(qobject_cast<QSslServer *>(server.get()) ? "https" : "http").arg(server->serverPort());
    }

    QByteArray answer;

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &request = requests[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n") || answer.isEmpty())
            return;
        QByteArray reply = answer;
        const int etag = answer.indexOf("ETag: ");
        if (etag >= 0 && request.contains("If-None-Match: " + answer.mid(etag + 6, answer.indexOf('\r', etag) - etag - 6)))
            reply = "HTTP/1.1 304 Not Modified\r\n\r\n";
        socket->write(reply.insert(reply.indexOf("\r\n") + 2, "Connection: close\r\n"));
        socket->disconnectFromHost();
    }

    std::unique_ptr<QTcpServer> server;
    std::map<QTcpSocket *, QByteArray> requests;
};
} // namespace

class TestFetch : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QSslConfiguration trusting; // the system's authorities and the test's own
    std::unique_ptr<Server> http, https;
    int books = 0;

    QString newBook()
    {
        const QString path = dir.filePath(QStringLiteral("book%1.csv").arg(++books));
        writeFile(path, book);
        return path;
    }

private slots:
    void initTestCase()
    {
        for (const char *name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
        // A certificate made for the test, for 127.0.0.1.
        QProcess openssl;
        openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1",
                                  "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", dir.filePath("key.pem"),
                                  "-out", dir.filePath("cert.pem")});
        QVERIFY(openssl.waitForFinished(60000) && openssl.exitCode() == 0);
        const QSslCertificate certificate = QSslCertificate::fromPath(dir.filePath("cert.pem")).value(0);
        QFile key(dir.filePath("key.pem"));
        QVERIFY(key.open(QIODevice::ReadOnly));
        QSslConfiguration serving = QSslConfiguration::defaultConfiguration();
        serving.setLocalCertificate(certificate);
        serving.setPrivateKey(QSslKey(&key, QSsl::Rsa));
        serving.setPeerVerifyMode(QSslSocket::VerifyNone);
        trusting = QSslConfiguration::defaultConfiguration();
        trusting.addCaCertificate(certificate);
        http = std::make_unique<Server>();
        https = std::make_unique<Server>(serving);
        writeFile(dir.filePath("results.csv"), resultFile());
        writeFile(dir.filePath("cli.csv"), book);
    }

    void fetched_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("times");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("written");
        const QByteArray file = resultFile();
        const QByteArray redirect = "HTTP/1.1 302 Found\r\nLocation: %HTTP%/results.csv\r\nContent-Length: 0\r\n\r\n";
        QTest::newRow("a Shift_JIS result file is taken in") << "http" << ok(file) << 1 << "imported" << true;
        QTest::newRow("the same again is not downloaded: 304")
            << "http" << ok(file, "ETag: \"v1\"\r\n") << 2 << "not changed since the last fetch" << true;
        QTest::newRow("over TLS, the test's certificate given") << "https" << ok(file) << 1 << "imported" << true;
        QTest::newRow("gzip, decompressed") << "http" << ok(gzipped(file), "Content-Encoding: gzip\r\n") << 1 << "imported" << true;
        QTest::newRow("a file: source, read as --import reads it") << "file" << QByteArray() << 1 << "imported" << true;
        QTest::newRow("an HTML page is refused")
            << "http" << ok("<!DOCTYPE html><html><form>login</form></html>", "Content-Type: text/html\r\n") << 1
            << "an HTML page, not a result file" << false;
        QTest::newRow("404 is refused") << "http" << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nnot")
                                        << 1 << "HTTP 404 Not Found" << false;
        QTest::newRow("500 is refused") << "http" << QByteArray("HTTP/1.1 500 Oops\r\nContent-Length: 0\r\n\r\n") << 1
                                        << "HTTP 500 Oops" << false;
        QTest::newRow("an empty body is refused") << "http" << ok("") << 1 << "an empty answer" << false;
        QTest::newRow("a body cut short is refused")
            << "http" << "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + file << 1
            << QStringLiteral("the answer was cut short (%1 of 1000 bytes)").arg(file.size()) << false;
        QTest::newRow("17 MiB is refused, read no further than 16")
            << "http" << "HTTP/1.1 200 OK\r\n\r\n" + file + QByteArray(17 << 20, '\n') << 1 << "the answer is over 16 MiB"
            << false;
        QTest::newRow("a redirect loop is refused")
            << "http" << QByteArray(redirect).replace("%HTTP%", "") << 1 << "more than five redirects" << false;
        QTest::newRow("https to http is refused") << "https" << redirect << 1 << "redirected from https to http" << false;
        QTest::newRow("no answer is refused") << "http" << QByteArray() << 1 << "no answer within 0.5 s" << false;
        QTest::newRow("no draw in it is refused") << "http" << ok("a,b,c\r\n1,2,3\r\n") << 1 << "no draw can be read in it"
                                                  << false;
    }
    void fetched()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, answer);
        QFETCH(int, times);
        QFETCH(QString, told);
        QFETCH(bool, written);
        const QString path = newBook();
        http->answer = https->answer = answer.replace("%HTTP%", http->base().toLatin1());
        const QUrl url = source == "file" ? QUrl::fromLocalFile(dir.filePath("results.csv"))
                                          : QUrl((source == "http" ? http : https)->base() + "/results.csv");
        Fetcher fetcher(nullptr, 500, trusting);
        BookFetch fetch(path, fetcher);
        std::vector<Fetched> fetched;
        std::vector<DrawResult> entered;
        connect(&fetch, &BookFetch::finished, this, [&fetched](const Fetched &f) { fetched.push_back(f); });
        connect(&fetch, &BookFetch::drawsEntered, this, [&entered](const std::vector<DrawResult> &d) { entered = d; });
        for (int i = 0; i < times; ++i) {
            fetch.start(url);
            QTRY_COMPARE_WITH_TIMEOUT(int(fetched.size()), i + 1, 30000);
        }
        const Download &last = fetched.back().download;
        QCOMPARE(Outcome::english(last.outcome, last.detail), told);
        QCOMPARE(readFile(path) != book, written);
        QCOMPARE(entered.size(), size_t(written ? 1 : 0));
        QCOMPARE(fetched.back().last.unreadableInARow, written ? 0 : last.outcome == FetchOutcome::Timeout ? 0 : 1);
    }

    // End to end: the real program.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("told");
        const QByteArray file = ok(resultFile(), "ETag: \"v2\"\r\n");
        QTest::newRow("a file fetched") << QStringList{"--source", "%HTTP%/results.csv"} << file << 0
                                        << "drava: added 1, known 1, conflicting 0, unreadable lines 0\n";
        QTest::newRow("the same again: 304, up to date") << QStringList{"--source", "%HTTP%/results.csv"} << file << 0
                                                         << "results.csv: not changed since the last fetch\n";
        QTest::newRow("an untrusted certificate is refused")
            << QStringList{"--source", "%HTTPS%/results.csv"} << file << 1 << "results.csv: the certificate is not trusted";
        QTest::newRow("an error page is refused") << QStringList{"--source", "%HTTP%/results.csv"}
                                                  << ok("<html>error</html>") << 1 << "an HTML page, not a result file\n";
        QTest::newRow("no source set or given") << QStringList() << QByteArray() << 2 << "drava: no source to fetch from";
        QTest::newRow("a source that is not http:, https: or file:")
            << QStringList{"--source", "ftp://127.0.0.1/results.csv"} << QByteArray() << 2
            << "--source takes an http:, https: or file: URL";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, answer);
        QFETCH(QString, told);
        QFETCH(int, status);
        http->answer = https->answer = answer;
        for (QString &argument : arguments)
            argument.replace("%HTTP%", http->base()).replace("%HTTPS%", https->base());
        QProcess drava;
        drava.start(QCoreApplication::applicationDirPath() + "/../drava",
                    QStringList{"--fetch", "--book", dir.filePath("cli.csv")} + arguments);
        QTRY_COMPARE_WITH_TIMEOUT(drava.state(), QProcess::NotRunning, 30000); // the servers answer meanwhile
        const QString error = QString::fromUtf8(drava.readAllStandardError());
        QVERIFY2(error.contains(told), qPrintable(error));
        QCOMPARE(drava.exitCode(), status);
    }

    // What the window is to show of the last fetches, one letter each:
    // i imported, n not changed (304), h an HTML page, d the network down.
    void told_data()
    {
        QTest::addColumn<QString>("fetches");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("changed");
        const QString failed = "取得できませんでした 2026/12/10 20:05 · ";
        QTest::newRow("imported") << "i" << "最終取得 2026/12/10 20:05 · 追加 1" << "";
        QTest::newRow("not changed") << "hhn" << "最終取得 2026/12/10 20:05 · 変更なし" << "";
        QTest::newRow("refused twice: not yet a changed source")
            << "ihh" << failed + "結果ファイルではなく HTML のページです" << "";
        QTest::newRow("three in a row: the source may have changed")
            << "hdhh" << failed + "結果ファイルではなく HTML のページです"
            << "取得元が変わったかもしれません (3 回続けて読めません): http://127.0.0.1/r.csv\n"
               "返ってきたもの: <html> <b>login</b>\n</html>";
        QTest::newRow("the network down three times is no changed source")
            << "ddd" << failed + "ネットワークにつながりません: Host not found" << "";
    }
    void told()
    {
        QFETCH(QString, fetches);
        FetchRecord::Last last;
        for (const QChar c : fetches) {
            Download d;
            d.outcome = c == 'i' ? FetchOutcome::Imported : c == 'n' ? FetchOutcome::NotModified
                      : c == 'h' ? FetchOutcome::Html : FetchOutcome::NetworkDown;
            d.detail = c == 'd' ? "Host not found" : "";
            d.body = "<html>\t<b>login</b>\n</html>\n";
            last = FetchRecord::after(last, QDateTime(QDate(2026, 12, 10), QTime(20, 5)), d, 1);
        }
        QTEST(FetchRecord::lastText(last), "last");
        QTEST(FetchRecord::changedText(last, QUrl("http://127.0.0.1/r.csv")), "changed");
    }

    // The schedule on a clock the test sets: draws on Mondays and Thursdays
    // (7 and 10 December 2026), none from 31 December to 3 January.
    void schedule_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("newest");
        QTest::addColumn<QDateTime>("lastTry");
        QTest::addColumn<QDateTime>("next");
        const auto at = [](int month, int day, int hour, int minute = 0) {
            return QDateTime(QDate(month == 1 ? 2027 : 2026, month, day), QTime(hour, minute));
        };
        QTest::newRow("a Monday's draw is first looked for at 20:00") << at(12, 7, 19) << 20261203 << QDateTime() << at(12, 7, 20);
        QTest::newRow("a Thursday's draw too") << at(12, 10, 8) << 20261207 << at(12, 7, 20) << at(12, 10, 20);
        QTest::newRow("at start, a draw due that the book lacks, at once")
            << at(12, 7, 21, 10) << 20261203 << QDateTime() << at(12, 7, 21, 10);
        QTest::newRow("then once an hour") << at(12, 7, 21, 15) << 20261203 << at(12, 7, 21, 10) << at(12, 7, 22, 10);
        QTest::newRow("never sooner than an hour after the last")
            << at(12, 7, 20, 30) << 20261203 << at(12, 7, 20) << at(12, 7, 21);
        QTest::newRow("the draw in the book: the next draw's 20:00")
            << at(12, 7, 20, 5) << 20261207 << at(12, 7, 20) << at(12, 10, 20);
        QTest::newRow("the looking stops on the next draw's day")
            << at(12, 9, 23, 30) << 20261203 << at(12, 9, 23, 10) << at(12, 10, 20);
        QTest::newRow("none from 31 December to 3 January") << at(12, 28, 20, 30) << 20261228 << at(12, 28, 20) << at(1, 4, 20);
        QTest::newRow("a draw missing at the year's end is looked for until the next")
            << at(12, 31, 10) << 20261224 << at(12, 31, 9, 30) << at(12, 31, 10, 30);
    }
    void schedule()
    {
        QFETCH(QDateTime, now);
        QFETCH(int, newest);
        QFETCH(QDateTime, lastTry);
        QFETCH(QDateTime, next);
        QCOMPARE(Schedule::nextFetch(now, newest, lastTry), next);
    }

    // The scheduler itself over five hours of a virtual clock, from 21:00
    // on a draw's day, with the draw not in the book.
    void scheduler_data()
    {
        QTest::addColumn<bool>("sourceSet");
        QTest::addColumn<int>("fetches");
        QTest::newRow("no source: nothing fetched") << false << 0;
        QTest::newRow("a source: at start, then once an hour") << true << 6;
    }
    void scheduler()
    {
        QFETCH(bool, sourceSet);
        QFETCH(int, fetches);
        FetchRecord::setSource(sourceSet ? QUrl::fromLocalFile(dir.filePath("results.csv")) : QUrl());
        const auto unset = qScopeGuard([] { FetchRecord::setSource(QUrl()); });
        VirtualPacer pacer(QDateTime(QDate(2026, 12, 7), QTime(21, 0)));
        const QString path = newBook();
        Fetcher fetcher;
        BookFetch fetch(path, fetcher);
        fetch.setClock([&pacer] { return pacer.now(); });
        FetchScheduler scheduler(path, fetch, pacer), another(path, fetch, pacer);
        QSignalSpy started(&scheduler, &FetchScheduler::started), fetched(&fetch, &BookFetch::finished),
            planned(&scheduler, &FetchScheduler::planned);
        const auto settled = [&] {
            if (planned.isEmpty() || fetch.busy())
                return false;
            const QDateTime next = planned.last().first().toDateTime();
            return !next.isValid() || next > pacer.now();
        };
        scheduler.start();
        if (sourceSet) {
            QVERIFY(started.wait() && started.first().first().toBool());
            QTRY_VERIFY(settled());
            // Only one copy keeps the schedule.
            QSignalSpy notStarted(&another, &FetchScheduler::started);
            another.start();
            QVERIFY(notStarted.wait() && !notStarted.first().first().toBool());
        }
        for (int hour = 0; hour < 5; ++hour) {
            planned.clear();
            pacer.advance(Schedule::retryMsec);
            QTRY_VERIFY(settled() || !sourceSet);
        }
        QCOMPARE(started.size(), sourceSet ? 1 : 0); // no source: no lock taken either
        QCOMPARE(fetched.size(), fetches);
    }
};

QTEST_GUILESS_MAIN(TestFetch)
#include "tst_fetch.moc"

#include "support.h"
#include "history/logfile.h"
#include "history/logpieces.h"
#include "fetch/bookfetch.h"
#include "historywindow/book/fetchrow.h"
#include "historywindow/lines/linetable.h"
#include "historywindow/parts/frequencychart.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QLineEdit>
#include <QTableView>

#include <fcntl.h>
#include <sys/stat.h>

namespace {
const QByteArray a = "2026/12/05,09:05:03,A,7,12,19,25,38,41";
const QByteArray b = "2026/12/05,09:05:13,B,1,2,3,4,5,43";
} // namespace

// The history window on a real file, and a log that is no file it can read.
class TestHistory : public QObject
{
    Q_OBJECT
private slots:
    // The book's source set in the window and fetched at once: the outcome
    // told, and what a source returned shown as text, never as markup.
    void fetchRow_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("changed");
        QTest::newRow("a result file: the time and the draws added")
            << QByteArray("1950,2026/12/10,3,7,12,25,31,40,18\r\n") << "最終取得 2026/12/10 20:05 · 追加 1" << "";
        QTest::newRow("a third page in a row: the source named, its markup as plain text")
            << QByteArray("<!DOCTYPE html>\n<html><b>Login</b></html>\n")
            << "取得できませんでした 2026/12/10 20:05 · 読める回がありません"
            << "返ってきたもの: <!DOCTYPE html>\n<html><b>Login</b></html>";
    }
    void fetchRow()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir folder;
        const QString book = folder.filePath("KelpResults.csv");
        QVERIFY(writeFile(folder.filePath("r.csv"), file));
        FetchRecord::Last before;
        before.unreadableInARow = 2;
        FetchRecord::setLast(book, before);
        Fetcher fetcher;
        BookFetch fetch(book, fetcher);
        fetch.setClock([] { return QDateTime(QDate(2026, 12, 10), QTime(20, 5)); });
        // The source set is the settings', which the next test program reads.
        const auto unset = qScopeGuard([] { FetchRecord::setSource(QUrl()); });
        FetchRow row(book);
        row.setFetching({&fetch, nullptr, nullptr});
        row.findChild<QLineEdit *>()->setText(QUrl::fromLocalFile(folder.filePath("r.csv")).toString());
        QSignalSpy done(&fetch, &BookFetch::finished);
        row.findChild<QPushButton *>()->click();
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(FetchRecord::source(), QUrl::fromLocalFile(folder.filePath("r.csv")));
        QStringList texts;
        for (const QLabel *label : row.findChildren<QLabel *>())
            if (label->textFormat() == Qt::PlainText && label->isVisibleTo(&row))
                texts << label->text();
        QFETCH(QString, last);
        QFETCH(QString, changed);
        QVERIFY2(texts.contains(last), qPrintable(texts.join(" | ")));
        const QString named = texts.filter("返ってきたもの").value(0);
        QCOMPARE(named.mid(named.indexOf("返ってきたもの")), changed);
    }
    // A log that is not a regular file is never waited on: Save says why it
    // is not written, and writes the batch file; the history and the check
    // say why they cannot read it.
    void notAFile_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::addColumn<QString>("why");
        QTest::newRow("a named pipe") << true << "not a regular file";
        QTest::newRow("a folder") << false << "Is a directory";
    }
    void notAFile()
    {
        QFETCH(bool, pipe);
        QFETCH(QString, why);
        VirtualForm w;
        const QString log = w.form.state.appFolder + "KelpLog.csv";
        QVERIFY(pipe ? ::mkfifo(QFile::encodeName(log).constData(), 0600) == 0 : QDir().mkdir(log));
        w.form.OpenHistory();
        QTRY_COMPARE(lineOf(w.form.historyWindow(), "行数"), "ログを読めません (" + why + ")");
        w.play("A Save");
        QCOMPARE(w.form.notice->text(), "保存できませんでした: KelpLog.csv (" + why + ")");
        QCOMPARE(w.files(), QByteArray("== 261206_0905.csv\n2026/12/06,09:05\r\n2026/12/06,09:05:03,A,18,42,7,41,1,30\r\n"));
        const CommandResult r = run({"--stats", "--log", log});
        QCOMPARE(r.err, "drava: cannot read the log " + log.toUtf8() + ": " + why.toUtf8() + "\n");
        QCOMPARE(r.status, 1);
    }

    // A window opened before the first save, in a folder not made yet,
    // follows the log that the save makes.
    void beforeTheFirstSave()
    {
        QTemporaryDir home;
        VirtualForm w({QDate(2026, 12, 6), QTime(9, 5, 3)}, 1000000, home.filePath("not/made"));
        w.form.OpenHistory();
        const QWidget *h = w.form.historyWindow();
        QTRY_COMPARE(lineOf(h, "行数"), QString("ログはまだありません"));
        w.play("A Save");
        QTRY_COMPARE(lineOf(h, "行数"), QString("行数: 1"));
    }

    // The even share's line stands where the bar of a number that came up
    // 6 × lines ÷ 43 times ends.
    void evenShareLine()
    {
        FrequencyChart chart(QString{});
        chart.resize(700, 600);
        FrequencyChart::Counts counts;
        counts.fill(6);
        counts[1] = 12;
        chart.setCounts(counts, 43);
        // The line is the row most pixels of its red are on; the bar's top
        // the first of its blue down the middle.
        const QImage image = chart.grab().toImage();
        int evenLine = 0, most = 0, barTop = -1;
        for (int y = 0; y < image.height(); ++y) {
            int red = 0;
            for (int x = 0; x < image.width(); ++x)
                red += image.pixelColor(x, y) == QColor(220, 40, 40);
            if (red > most)
                most = red, evenLine = y;
            if (barTop < 0 && image.pixelColor(image.width() / 2, y) == QColor(70, 110, 200))
                barTop = y;
        }
        // Both drawn, the line across most of the chart, and where the bar ends.
        QVERIFY2(most > image.width() / 2 && barTop > 0 && qAbs(evenLine - barTop) <= 2,
                 qPrintable(QString("line %1 (%2 pixels), bar %3").arg(evenLine).arg(most).arg(barTop)));
    }

    // The window on a real file: it shows the log, follows what a save
    // appends, narrows to a range, and checks against a draw.
    void window()
    {
        VirtualForm w;
        const QString log = w.form.state.appFolder + "KelpLog.csv";
        QVERIFY(writeFile(log, a + "\r\nbad\r\n" + b + "\r\n"));
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form)); // a shortcut acts in the active window
        QTest::keyClick(&w.form, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(histories().size(), 1);
        w.form.OpenHistory(); // once more: still the one window
        QCOMPARE(histories().size(), 1);
        HistoryWindow *h = w.form.historyWindow();
        auto *view = named<QTableView>(h, "抽選した行");
        auto label = [h](const QString &what) { return lineOf(h, what); };
        QTRY_COMPARE(view->model()->rowCount(), 2);
        QTRY_COMPARE(label("読めない行"), QString("読めない行: 1 (2)"));

        w.play("A Save");
        QTRY_COMPARE(view->model()->rowCount(), 3);
        QCOMPARE(view->model()->index(0, LineTable::Date).data().toString(), QString("2026/12/06"));
        QSignalSpy read(&h->logFollower(), &LogFollower::changed);
        w.play("Save"); // the same line saved again: still listed, and counted, once
        QVERIFY(read.wait());
        QCOMPARE(view->model()->rowCount(), 3);
        QCOMPARE(label("行数"), QString("行数: 3"));

        auto *entry = named<QLineEdit>(h, "当せん番号");
        entry->setText("7,12,19,25,38,40+41");
        emit entry->returnPressed();
        QCOMPARE(label("当せんの集計"), QString("1等 0 · 2等 1 · 3等 0 · 4等 0 · 5等 0"));
        QCOMPARE(view->model()->index(2, LineTable::Prize).data().toString(), QString("2等"));
        QCOMPARE(view->model()->index(2, LineTable::FirstNumber).data(Qt::AccessibleTextRole).toString(), QString("7 一致"));
        // Each column shows its whole text, and its heading, in the window's face.
        const QAbstractItemView *cells = view;
        for (int column = 0; column < LineTable::Columns; ++column) {
            const int width = view->horizontalHeader()->sectionSize(column);
            QVERIFY2(cells->sizeHintForColumn(column) <= width && view->horizontalHeader()->sectionSizeHint(column) <= width,
                     qPrintable(view->model()->headerData(column, Qt::Horizontal).toString()));
        }

        // A copy put back over the log is read anew, though it is longer; the
        // view is given its rows a thousand at a time.
        QByteArray copy;
        for (int i = 0; i < 1500; ++i)
            copy += QString::asprintf("2026/12/01,10:%02d:%02d,A,1,2,3,4,5,6\r\n", i / 60 % 60, i % 60).toUtf8();
        QVERIFY(writeFile(log + ".new", copy));
        QVERIFY(QFile::remove(log) && QFile::rename(log + ".new", log));
        QTRY_COMPARE(label("行数"), QString("行数: 1500"));
        QCOMPARE(view->model()->rowCount(), 1000);
        view->scrollToBottom();
        QTRY_COMPARE(view->model()->rowCount(), 1500);

        w.form.close();
        QTRY_VERIFY(histories().isEmpty());
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"

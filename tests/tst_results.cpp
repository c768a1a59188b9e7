#include "bookfixtures.h"
#include "support.h"
#include "analysis/drawstats.h"
#include "calendar/calendar.h"
#include "historywindow/book/drawtable.h"
#include "historywindow/draws/trialpanel.h"
#include "historywindow/lines/linetable.h"
#include "results/importfile.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QSpinBox>
#include <QTableView>

#include <csignal>
#include <sys/stat.h>

// The results book in the history window, and a line tried against its draws.
class TestResults : public QObject
{
    Q_OBJECT
private slots:
    // A line tried against every draw of the example: the draws it would
    // have won, and the summary the window shows.
    void trial_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QString>("hits");
        QTest::addColumn<QString>("summary");
        QTest::newRow("five and the bonus, then all six: 2等, 1等 with its prize")
            << "1,2,3,4,5,7" << QDate() << "1:2 2:1" << "全 3 回 · 1等 1 · 2等 1 · 3等 0 · 4等 0 · 5等 0 · 当せん 200,000,000 円 · "
                                         "購入 600 円 · 賞金不明 1 回";
        QTest::newRow("three, once: the bonus counts only beside five") << "1,10,11,12,30,31" << QDate()
            << "3:5" << "全 3 回 · 1等 0 · 2等 0 · 3等 0 · 4等 0 · 5等 1 · 当せん 0 円 · 購入 600 円 · 賞金不明 1 回";
        QTest::newRow("in a range") << "1,2,3,4,5,7" << QDate(2026, 1, 6)
            << "2:1" << "全 2 回 · 1等 1 · 2等 0 · 3等 0 · 4等 0 · 5等 0 · 当せん 200,000,000 円 · 購入 400 円";
    }

    void trial()
    {
        QFETCH(QString, line);
        QFETCH(QDate, from);
        QFETCH(QString, hits);
        QFETCH(QString, summary);
        uint64_t mask = 0;
        std::string why;
        QVERIFY(parseLine(line.toStdString(), mask, why));
        const Trial trial = tryLine(bookOf(example), mask, from.isValid() ? Calendar::dateOf(from) : 0, 0);
        QStringList won;
        for (const Trial::Hit &hit : trial.hits)
            won << QString("%1:%2").arg(hit.draw.number).arg(hit.tier);
        QCOMPARE(won.join(' '), hits);
        QCOMPARE(TrialPanel::summaryOf(trial), summary);
    }

    // The window's changes to a book it may not write: one that is no book
    // is said to be none and left alone; one whose lock another copy holds is
    // waited for behind the window's thread, then given up, and it says why.
    void windowRefused_data()
    {
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("said");
        QTest::newRow("a file that is no book") << false << "保存できませんでした: KelpResults.csv (not a results book)";
        QTest::newRow("a lock another copy holds") << true << "保存できませんでした: KelpResults.csv (in use by holdlock, process ";
    }

    void windowRefused()
    {
        QFETCH(bool, held);
        QFETCH(QString, said);
        VirtualForm w;
        const QString path = w.form.state.appFolder + "KelpResults.csv";
        const QByteArray before = held ? book : logged;
        QVERIFY(writeFile(path, before));
        QProcess holder;
        if (held) {
            holder.start(QCoreApplication::applicationDirPath() + "/holdlock", {path});
            QVERIFY(holder.waitForReadyRead(10000));
        }
        w.form.OpenHistory();
        QWidget *h = w.form.historyWindow();
        if (!held)
            QTRY_COMPARE(lineOf(h, "読み込みの結果"), QString("KelpResults.csv は結果の記録ではないため、書き換えません"));
        named<QSpinBox>(h, "回")->setValue(1905);
        named<QDateEdit>(h, "抽せん日")->setDate({2024, 6, 24});
        named<QLineEdit>(h, "記録する当せん番号")->setText("1,2,3,4,5,6+7");
        named<QPushButton>(h, "結果に記録")->click();
        QTRY_VERIFY2_WITH_TIMEOUT(lineOf(h, "読み込みの結果").startsWith(said), qPrintable(lineOf(h, "読み込みの結果")), 20000);
        QCOMPARE(readFile(path), before);
        holder.kill();
        holder.waitForFinished();
    }

    // The history window on a real log and book: the totals; a result file
    // dropped on it; a draw chosen marks the lines played for it, and only
    // those; a draw typed in goes into the book.
    void window()
    {
        VirtualForm w;
        const QString folder = w.form.state.appFolder;
        QVERIFY(writeFile(folder + "KelpLog.csv", logged));
        QVERIFY(writeFile(folder + "KelpResults.csv", book));
        QVERIFY(writeFile(folder + "results.csv", resultFile));
        w.form.OpenHistory();
        QWidget *h = w.form.historyWindow();
        // Controls by their names, the lines of text by what they are, as assistive technology finds them.
        QTRY_COMPARE(lineOf(h, "買っていれば"), QString("4 行すべてなら 800 円 · 賞金 9,002,000 円 · 差 9,001,200 円 · 1,125,250.0 % · 結果待ち 1 行"));
        QVERIFY(lineOf(h, "収支").startsWith("購入の記録はまだありません"));

        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(folder + "results.csv")});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h, &enter);
        QApplication::sendEvent(h, &drop);
        QTRY_COMPARE(lineOf(h, "読み込みの結果"), QString("追加 1 · 既存 1 · 食い違い 1 (第1903回) · 読めない行 1 (4) · 賞金を読めない 1 (2)"));
        QVERIFY(readFile(folder + "KelpResults.csv").contains("1902,2024/06/13,5,6,7,8,9,10,11,,,,,\r\n"));

        // 第1904回, the newest: line C's. Line A would win it too, but was played for 1901.
        auto *draws = named<QTableView>(h, "当せん結果");
        draws->selectRow(0);
        const QAbstractItemView *cells = draws; // each column shows its whole text, in the window's face
        for (int column = 0; column < DrawTable::Columns; ++column)
            QVERIFY(cells->sizeHintForColumn(column) <= draws->horizontalHeader()->sectionSize(column));
        QCOMPARE(lineOf(h, "当せんの集計"), QString("1等 0 · 2等 1 · 3等 0 · 4等 0 · 5等 0"));
        QCOMPARE(lineOf(h, "選んだ回の当せん"), QString("第1904回: 1等 0 · 2等 1 · 3等 0 · 4等 0 · 5等 0"));
        const QAbstractItemModel *lines = named<QTableView>(h, "抽選した行")->model();
        QCOMPARE(lines->index(1, LineTable::Prize).data().toString() + lines->index(3, LineTable::Prize).data().toString(), QString("2等"));

        named<QSpinBox>(h, "回")->setValue(1905);
        named<QDateEdit>(h, "抽せん日")->setDate({2024, 6, 24});
        named<QLineEdit>(h, "記録する当せん番号")->setText("1,2,3,4,5,6+7");
        named<QPushButton>(h, "結果に記録")->click();
        QTRY_VERIFY(readFile(folder + "KelpResults.csv").endsWith("1905,2024/06/24,1,2,3,4,5,6,7,,,,,\r\n"));
        QTRY_COMPARE(lineOf(h, "買っていれば"), QString("4 行すべてなら 800 円 · 賞金 9,002,000 円 · 差 9,001,200 円 · 1,125,250.0 % · 結果待ち 0 行 · 賞金不明 1 行"));
    }
};

QTEST_MAIN(TestResults)
#include "tst_results.moc"

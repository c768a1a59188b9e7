#include "support.h"
#include "print/cups/jobnews.h"
#include "print/picturefit.h"

#include <QCheckBox>
#include <QClipboard>

namespace {
// Every word of the page at its character cell, 6 x 12 points from the
// printable area's corner, a quarter inch in.
QStringList cells(const QString &pdf)
{
    QStringList found;
    const QRegularExpression word("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>");
    for (auto it = word.globalMatch(shell("pdftotext -bbox " + pdf + " -")); it.hasNext();) {
        const auto m = it.next();
        found << QString("%1@%2,%3").arg(m.captured(3)).arg(qRound((m.captured(1).toDouble() - 18) / 6))
                     .arg(qRound((m.captured(2).toDouble() - 18) / 12));
    }
    return found;
}

// A file that takes every write but the first holding `failing`.
struct FailingFile : QBuffer
{
    explicit FailingFile(const QByteArray &failing) : failing(failing) { open(WriteOnly); }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (failing.isEmpty() || !QByteArray(data, size).contains(failing))
            return QBuffer::writeData(data, size);
        failing.clear();
        setErrorString("Input/output error");
        return -1;
    }
    QByteArray failing;
};
} // namespace

Q_DECLARE_METATYPE(JobLook)

// The text page and the screen print, read back from a real PDF.
class TestPrint : public QObject
{
    Q_OBJECT
private slots:
    // Sorted lines on one page: every word of rows 1, 3 (line A) and 5 (line
    // B) at its cell; one digit leaves a blank before the bracket.
    void textPage()
    {
        VirtualForm w;
        w.play("A B Sort PrintTxt");
        const QString pdf = w.folder.filePath("print.pdf");
        QVERIFY(shell("pdfinfo " + pdf).contains(QRegularExpression("Pages: +1\n")));
        QVERIFY(shell("pdffonts " + pdf).contains("IPAMincho"));
        QCOMPARE(cells(pdf).filter(QRegularExpression(",[135]$")).join(' '),
                 QString("2026/12/06,09:05@0,1 Drava@21,1 numbers@28,1 picked@36,1 by@43,1 the@46,1 Drava@50,1 "
                         "makers@56,1 2026/12/06,09:05:03@0,3 A:@21,3 [1@24,3 ]@27,3 [7@29,3 ]@32,3 [18]@34,3 "
                         "[30]@39,3 [41]@44,3 [42]@49,3 2026/12/06,09:05:12@0,5 B:@21,5 [19]@24,5 [24]@29,5 "
                         "[33]@34,5 [34]@39,5 [41]@44,5 [43]@49,5"));
        QVERIFY(w.form.notice->isHidden());
    }

    // With 画面全体 ticked, a snapshot of the window, fitted to the page and
    // centred; otherwise, greyed too, the client area at its size from the
    // top-left, as a job of its own.
    void screenPrint_data()
    {
        QTest::addColumn<int>("check");
        QTest::addColumn<QRect>("ink"); // on an A4 page at 40 dpi
        QTest::newRow("not ticked") << int(Qt::Unchecked) << QRect(10, 10, 204, 101);
        QTest::newRow("greyed") << int(Qt::PartiallyChecked) << QRect(10, 10, 204, 101);
        QTest::newRow("ticked") << int(Qt::Checked) << QRect(9, 157, 312, 154);
    }
    void screenPrint()
    {
        QFETCH(int, check);
        QFETCH(QRect, ink);
        VirtualForm w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        w.form.controls.CheckPrn->setCheckState(Qt::CheckState(check));
        w.play("PrintTxt Print"); // each document starts afresh: no scale unit carries over
        const QString pdf = w.folder.filePath("print.pdf");
        QCOMPARE(shell("pdfimages -list " + pdf + " | tail -n +3 | wc -l").trimmed(), QString("1"));
        shell("pdftoppm -r 40 -png -singlefile " + pdf + " " + w.folder.filePath("page"));
        const QImage page(w.folder.filePath("page.png"));
        QRect drawn;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 250)
                    drawn |= QRect(x, y, 1, 1);
        QVERIFY(ink.adjusted(-1, -1, 1, 1).contains(drawn)); // a pixel either way at most
        QVERIFY(drawn.contains(ink.adjusted(1, 1, -1, -1)));
        if (check == Qt::Checked) {
            QCOMPARE(w.form.controls.Picture1->pixmap().toImage(), QGuiApplication::clipboard()->image());
            QCOMPARE(w.form.controls.Picture1->pixmap().size(), QSize(493, 244)); // the frame: the window and its margins
        }
    }

    void fit_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QRectF>("placed");
        QTest::newRow("wider fills the width") << QSize(2000, 1000) << QSizeF(11520, 15120) << QRectF(0, 4680, 11520, 5760);
        QTest::newRow("narrower fills the height") << QSize(500, 1000) << QSizeF(11520, 15120) << QRectF(1980, 0, 7560, 15120);
        QTest::newRow("no height") << QSize(1000, 0) << QSizeF(11520, 15120) << QRectF();
        QTest::newRow("overflow") << QSize(1000, 500) << QSizeF(3e38, 3e38) << QRectF();
    }
    void fit()
    {
        QFETCH(QSize, picture);
        QFETCH(QSizeF, page);
        QFETCH(QRectF, placed);
        const float himetricPerTwip = 2540.0f / 1440.0f;
        const PictureFit f = fitPicture(picture.width(), picture.height(), page.width(), page.height(),
                                        himetricPerTwip, himetricPerTwip);
        QCOMPARE(f.ok, !placed.isNull());
        QCOMPARE(QRectF(f.left, f.top, f.width, f.height).toRect(), placed.toRect());
    }

    // Nothing printed, and the user told why; the program draws on.
    void nothingPrinted_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("notice");
        QTest::newRow("empty clipboard") << "tick noshot Print" << "印刷できませんでした: 画面の画像がありません";
        QTest::newRow("no printer, text") << "queue PrintTxt" << "印刷できませんでした: プリンタがありません";
        QTest::newRow("no file to write") << "dir PrintTxt" << "印刷できませんでした: 印刷を始められません (Is a directory)";
        QTest::newRow("a middle write fails") << "fail:obj PrintTxt" << "印刷できませんでした: 一時ファイルを書けません (Input/output error)";
        QTest::newRow("the last write fails") << "fail:%%EOF PrintTxt" << "印刷できませんでした: 一時ファイルを書けません (Input/output error)";
    }
    void nothingPrinted()
    {
        QFETCH(QString, steps);
        QFETCH(QString, notice);
        qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
        VirtualForm w({QDate(2026, 12, 6), QTime(9, 5, 3)}, 1000000, {}, steps.contains("queue"));
        w.form.controls.CheckPrn->setChecked(steps.contains("tick"));
        if (steps.contains("noshot"))
            w.form.screenPrint.snapshot = [](QWidget *) {};
        if (steps.startsWith("dir"))
            QDir(w.folder.path()).mkdir("print.pdf");
        if (const QByteArray failing = steps.section(' ', 0, 0).section(':', 1).toUtf8(); !failing.isEmpty())
            w.printer.openFile = [failing](const QString &) { return std::make_unique<FailingFile>(failing); };
        w.play(steps.section(' ', -1));
        QCOMPARE(w.files(), QByteArray());
        QCOMPARE(w.form.notice->text(), notice);
        QVERIFY(!w.form.notice->isHidden());
        w.play("C");
        QVERIFY(!w.numbers(2).contains("  "));
    }

    // A job CUPS took: at the first look, whether its queue lets it print;
    // then whether it will not be printed after all. Nothing when it prints.
    void jobNews_data()
    {
        QTest::addColumn<JobLook>("before");
        QTest::addColumn<JobLook>("now");
        QTest::addColumn<QString>("notice");
        const JobLook sent{3, false, {}, {}};
        QTest::newRow("stopped queue") << JobLook{} << JobLook{3, false, {}, {5, {"paused"}, "Paused"}} << "印刷待ち: プリンタが停止しています";
        QTest::newRow("paper, as an error") << JobLook{} << JobLook{3, false, {}, {4, {"media-empty-error"}, {}}} << "印刷待ち: 用紙がありません";
        QTest::newRow("toner") << JobLook{} << JobLook{3, false, {}, {3, {"none", "marker-supply-empty"}, {}}} << "印刷待ち: トナーがありません";
        QTest::newRow("toner, as an error") << JobLook{} << JobLook{3, false, {}, {4, {"toner-empty-error"}, {}}} << "印刷待ち: トナーがありません";
        QTest::newRow("toner, plain") << JobLook{} << JobLook{3, false, {}, {3, {"toner-empty"}, {}}} << "印刷待ち: トナーがありません";
        QTest::newRow("door") << JobLook{} << JobLook{3, false, {}, {3, {"cover-open"}, {}}} << "印刷待ち: カバーが開いています";
        QTest::newRow("offline") << JobLook{} << JobLook{3, false, {}, {3, {"offline"}, {}}} << "印刷待ち: プリンタがオフラインです";
        QTest::newRow("other error") << JobLook{} << JobLook{3, false, {}, {3, {"fuser-error"}, "Fuser hot"}} << "印刷待ち: プリンタにエラーがあります (Fuser hot)";
        QTest::newRow("reports and warnings") << JobLook{} << JobLook{5, true, {}, {4, {"offline-report", "media-empty-warning", "toner-empty-warning"}, "Low"}} << "";
        QTest::newRow("aborted") << sent << JobLook{8, true, "Backend failed", {3, {}, "Old"}} << "印刷できませんでした: 中止されました (Backend failed)";
        QTest::newRow("cancelled, queue's message") << sent << JobLook{7, false, {}, {3, {}, "Gone"}} << "印刷できませんでした: 取り消されました (Gone)";
        QTest::newRow("queue stops") << JobLook{5, true, {}, {4, {}, {}}} << JobLook{3, true, "No answer", {5, {"paused"}, {}}} << "印刷できませんでした: プリンタが停止しました (No answer)";
        QTest::newRow("held for a retry") << JobLook{} << JobLook{4, true, "No answer", {3, {"none"}, {}}} << "印刷できませんでした: 再試行を待っています (No answer)";
        QTest::newRow("sent back") << JobLook{5, true, {}, {4, {}, {}}} << JobLook{3, true, "No answer", {}} << "印刷できませんでした: 再試行を待っています (No answer)";
        QTest::newRow("sent back between looks") << sent << JobLook{3, true, "No answer", {}} << "印刷できませんでした: 再試行を待っています (No answer)";
        QTest::newRow("held, said why") << sent << JobLook{4, false, {}, {3, {}, "Need a PIN"}} << "印刷できませんでした: 保留されています (Need a PIN)";
        QTest::newRow("held, no word why") << sent << JobLook{4, false, {}, {}} << "";
        QTest::newRow("told once") << JobLook{4, true, "No answer", {5, {}, {}}} << JobLook{4, true, "No answer", {5, {}, {}}} << "";
        QTest::newRow("done") << JobLook{5, true, {}, {4, {}, {}}} << JobLook{9, true, "Ready", {3, {}, "Ready"}} << "";
    }
    void jobNews()
    {
        QFETCH(JobLook, before);
        QFETCH(JobLook, now);
        QFETCH(QString, notice);
        QCOMPARE(::jobNews(before, now), notice);
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"

#include "support/virtualform.h"
#include "print/picturefit.h"
#include "print/printgrid.h"
#include "platform/qtprinter.h"

#include <QCheckBox>
#include <QClipboard>
#include <QProcess>
#include <QtTest>

namespace {
// Lays the pieces into rows of text, as the page shows them.
QStringList grid(const std::vector<PrintPiece> &pieces)
{
    QStringList rows(12);
    for (const PrintPiece &p : pieces) {
        QString &row = rows[p.row];
        row = row.leftJustified(p.column + p.text.size(), ' ');
        row.replace(p.column, p.text.size(), p.text);
    }
    return rows;
}

std::array<PrintedLine, 5> emptyLines()
{
    std::array<PrintedLine, 5> lines;
    for (auto &line : lines)
        line.numbers = QStringList(6, QString());
    return lines;
}

// The window printing through the real printer layer into a PDF file.
struct PdfForm
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    QtPrinter printer{pdf};
    VirtualForm w{printer};
    Form1 &f = w.form;
};

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

class TestPrint : public QObject
{
    Q_OBJECT
private slots:
    void textGrid_data()
    {
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("columns21to52");
        QTest::newRow("two digits") << QStringList{"10", "12", "18", "25", "33", "41"}
                                    << "A: [10] [12] [18] [25] [33] [41]";
        QTest::newRow("one digit") << QStringList{"3", "12", "18", "25", "33", "41"}
                                   << "A: [3 ] [12] [18] [25] [33] [41]";
        QTest::newRow("blanks") << QStringList{"  ", "  ", "  ", "  ", "3", "12"}
                                << "A: [  ] [  ] [  ] [  ] [3 ] [12]";
        QTest::newRow("empty") << QStringList(6, QString()) << "A: [  ] [  ] [  ] [  ] [  ] [  ]";
    }
    // Every line at its row with the brackets at their columns, whatever it holds.
    void textGrid()
    {
        QFETCH(QStringList, numbers);
        QFETCH(QString, columns21to52);
        auto lines = emptyLines();
        lines[0] = {"2026/12/06,09:05:03", numbers};
        const QStringList rows = grid(textPage("2026/12/06,09:05", lines));
        QCOMPARE(rows[3].mid(21).leftJustified(32, ' '), columns21to52);
        QCOMPARE(rows[3].left(21), QString("2026/12/06,09:05:03  "));
        QCOMPARE(rows[1], "2026/12/06,09:05     " + printTitle);
        QVERIFY(printTitle.startsWith("Drava  "));
        for (int row : {0, 2, 4, 6, 8, 10})
            QCOMPARE(rows[row], QString());
        for (int k = 1; k < 5; ++k)
            QCOMPARE(rows[3 + 2 * k], QString(21, ' ') + QChar('A' + k) + ": [  ] [  ] [  ] [  ] [  ] [  ]");
    }

    void fit_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<float>("pw");
        QTest::addColumn<float>("ph");
        QTest::addColumn<float>("hx");
        QTest::addColumn<float>("hy");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QRectF>("placed");
        const float ht = 2540.0f / 1440.0f; // HIMETRIC per twip
        QTest::newRow("wider fills width") << 2000 << 1000 << 11520.f << 15120.f << ht << ht << true
                                           << QRectF(0, 4680, 11520, 5760);
        QTest::newRow("narrower fills height") << 500 << 1000 << 11520.f << 15120.f << ht << ht << true
                                               << QRectF(1980, 0, 7560, 15120);
        QTest::newRow("same shape fills page") << 800 << 1000 << 11520.f << 14400.f << ht << ht << true
                                               << QRectF(0, 0, 11520, 14400);
        QTest::newRow("landscape page") << 1000 << 1000 << 15120.f << 11520.f << ht << ht << true
                                        << QRectF(1800, 0, 11520, 11520);
        QTest::newRow("zero height") << 1000 << 0 << 11520.f << 15120.f << ht << ht << false << QRectF();
        QTest::newRow("no picture") << 0 << 0 << 11520.f << 15120.f << ht << ht << false << QRectF();
        QTest::newRow("zero page") << 1000 << 500 << 11520.f << 0.f << ht << ht << false << QRectF();
        QTest::newRow("overflow") << 1000 << 500 << 3e38f << 3e38f << ht << ht << false << QRectF();
    }
    void fit()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(float, pw);
        QFETCH(float, ph);
        QFETCH(float, hx);
        QFETCH(float, hy);
        QFETCH(bool, ok);
        QFETCH(QRectF, placed);
        const PictureFit f = fitPicture(w, h, pw, ph, hx, hy);
        QCOMPARE(f.ok, ok);
        if (ok) {
            QVERIFY(qAbs(f.left - placed.left()) < 0.5);
            QVERIFY(qAbs(f.top - placed.top()) < 0.5);
            QVERIFY(qAbs(f.width - placed.width()) < 0.5);
            QVERIFY(qAbs(f.height - placed.height()) < 0.5);
        }
    }

    // What the text print-out asks of the printer, piece by piece.
    void textPrintout_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("after Clear") << "clear";
        QTest::newRow("sorted lines") << "sorted";
        QTest::newRow("one digit") << "digit";
    }
    void textPrintout()
    {
        QFETCH(QString, state);
        VirtualForm w;
        Form1 &f = w.form;
        if (state == "sorted") {
            f.lines.CommandB_Click();
            f.lines.CommandD_Click();
            w.pacer.advance(100);
            f.sorter.CommandSort_Click();
        } else if (state == "digit") {
            f.ui.LabelSN->setText("2026/12/06,09:05");
            w.setLine(0, {"3", "12", "18", "25", "33", "41"}, "2026/12/06,09:05:03");
        }
        f.ui.CommandPrintTxt->click();

        QCOMPARE(w.printer.jobs, 1);
        QCOMPARE(w.printer.log.mid(0, 2), (QStringList{"font ＭＳ 明朝", "size 12"}));
        QCOMPARE(w.printer.log.last(), QString("end"));
        std::array<PrintedLine, 5> lines;
        for (int k = 0; k < 5; ++k)
            lines[k] = {f.ui.lines[k].stamp->text(), w.numbers(k)};
        const std::vector<PrintPiece> page = textPage(f.ui.LabelSN->text(), lines);
        QCOMPARE(w.printer.texts.size(), page.size());
        for (size_t i = 0; i < page.size(); ++i) {
            const auto &printed = w.printer.texts[i];
            QCOMPARE(printed.unit, ScaleUnit::characters);
            QCOMPARE(printed.x, float(page[i].column));
            QCOMPARE(printed.y, float(page[i].row));
            QCOMPARE(printed.text, page[i].text);
        }
        if (state == "digit")
            QCOMPARE(grid(page)[3], QString("2026/12/06,09:05:03  A: [3 ] [12] [18] [25] [33] [41]"));
        if (state == "sorted") {
            QStringList sorted = w.numbers(1);
            QVERIFY(std::is_sorted(sorted.begin(), sorted.end(),
                                   [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); }));
            QCOMPARE(grid(page)[5].mid(21, 6), ("B: [" + sorted[0]).leftJustified(6));
        }
        QVERIFY(f.notice->isHidden());
    }

    // During a line's draw neither print does anything; during a draw from
    // the machine's own button both still print.
    void busyRefusals()
    {
        VirtualForm w;
        Form1 &f = w.form;
        w.pacer.schedule(1500, [&] {
            f.ui.CommandPrintTxt->click();
            f.ui.CommandPrint->click();
            f.ui.CheckPrn->setChecked(true);
            f.ui.CommandPrint->click();
        });
        f.lines.CommandA_Click();
        QCOMPARE(w.printer.jobs, 0);
        w.pacer.schedule(1500, [&] { f.ui.CommandPrintTxt->click(); });
        f.ui.CommandS->click();
        QCOMPARE(w.printer.jobs, 1);
    }

    void screenPrint_data()
    {
        QTest::addColumn<int>("check"); // Qt::CheckState
        QTest::newRow("not ticked") << int(Qt::Unchecked);
        QTest::newRow("greyed") << int(Qt::PartiallyChecked);
        QTest::newRow("ticked") << int(Qt::Checked);
    }
    void screenPrint()
    {
        QFETCH(int, check);
        VirtualForm w;
        Form1 &f = w.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.ui.CheckPrn->setCheckState(Qt::CheckState(check));
        f.ui.CommandPrint->click();
        QCOMPARE(w.printer.jobs, 1);
        QCOMPARE(w.printer.pictures.size(), 1);
        if (check != Qt::Checked) {
            QCOMPARE(w.printer.log, QStringList{"form 7335 3600"});
            QCOMPARE(w.printer.pictures[0].size(), QSize(489, 240));
            return;
        }
        const QImage shot = w.printer.pictures[0];
        QVERIFY(shot.width() >= 489 && shot.height() >= 240);
        QCOMPARE(f.ui.Picture1->pixmap().toImage(), shot);
        QCOMPARE(QGuiApplication::clipboard()->image(), shot);
        // Wider than the page: the page's width, centred top to bottom.
        QCOMPARE(w.printer.log.size(), 2);
        const QStringList placed = w.printer.log[0].split(' ');
        QCOMPARE(placed[1].toFloat(), 0.0f);
        const float width = placed[3].toFloat(), height = placed[4].toFloat();
        QCOMPARE(width, 8 * 1440.0f);
        QVERIFY(qAbs(width / height - float(shot.width()) / shot.height()) < 0.01);
        QVERIFY(qAbs(placed[2].toFloat() - (10.5f * 1440 - height) / 2) < 0.5);
    }

    void nothingPrinted_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("press");
        QTest::newRow("empty clipboard") << "clipboard" << "CommandPrint";
        QTest::newRow("no printer, text") << "printer" << "CommandPrintTxt";
        QTest::newRow("no printer, screen") << "printer" << "CommandPrint";
        QTest::newRow("no printer, form") << "printer" << "form";
    }
    void nothingPrinted()
    {
        QFETCH(QString, fault);
        QFETCH(QString, press);
        VirtualForm w;
        Form1 &f = w.form;
        f.ui.CheckPrn->setChecked(press != "form");
        if (fault == "clipboard")
            f.screenPrint.snapshot = [](QWidget *) {};
        w.printer.refuse = fault == "printer";
        f.findChild<QPushButton *>(press == "form" ? "CommandPrint" : press)->click();
        if (fault == "clipboard")
            QCOMPARE(w.printer.jobs, 0);
        QVERIFY(!f.notice->isHidden());
        QCOMPARE(f.notice->text(), QString("印刷できませんでした: ")
                                       + (fault == "clipboard" ? "画面の画像がありません" : "プリンタがありません"));
        f.lines.CommandC_Click(); // and the program draws on
        QVERIFY(!w.numbers(2).contains("  "));
    }

    // The real printer layer into a PDF, read back as a user would see it.
    void realTextPage()
    {
        PdfForm page;
        VirtualForm &w = page.w;
        Form1 &f = page.f;
        const QString &pdf = page.pdf;
        f.ui.LabelSN->setText("2026/12/06,09:05");
        w.setLine(0, {"10", "12", "18", "25", "33", "41"}, "2026/12/06,09:05:03");
        w.setLine(1, {"3", "12", "18", "25", "33", "41"}, "2026/12/06,09:05:09");
        f.textPrintout.PrintDraws();
        QVERIFY(f.notice->isHidden());
        QVERIFY(run("pdfinfo", {pdf}).contains(QRegularExpression("Pages: +1\n")));

        // Where every word stands, in character cells of 6 x 12 points from
        // the top-left of the printable area (a quarter inch in from the edges).
        QMap<QString, QPoint> cells;
        const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
        auto it = word.globalMatch(run("pdftotext", {"-bbox", pdf, "-"}));
        while (it.hasNext()) {
            const auto m = it.next();
            const QString key = m.captured(3) + (cells.contains(m.captured(3)) ? "'" : "");
            cells[key] = QPoint(qRound((m.captured(1).toDouble() - 18) / 6),
                                qRound((m.captured(2).toDouble() - 18) / 12));
        }
        QCOMPARE(cells.value("2026/12/06,09:05"), QPoint(0, 1));
        QCOMPARE(cells.value("Drava"), QPoint(21, 1));
        QCOMPARE(cells.value("2026/12/06,09:05:03"), QPoint(0, 3));
        QCOMPARE(cells.value("A:"), QPoint(21, 3));
        QCOMPARE(cells.value("[10]"), QPoint(24, 3));
        QCOMPARE(cells.value("[12]"), QPoint(29, 3));
        QCOMPARE(cells.value("[41]"), QPoint(49, 3));
        QCOMPARE(cells.value("B:"), QPoint(21, 5));
        QCOMPARE(cells.value("[3"), QPoint(24, 5));
        QCOMPARE(cells.value("E:"), QPoint(21, 11));

        // And as one reads it.
        const QStringList text = run("pdftotext", {"-layout", pdf, "-"}).split('\n');
        auto rowWith = [&](const QString &piece) {
            for (const QString &row : text)
                if (row.contains(piece))
                    return row;
            return QString();
        };
        const QString a = rowWith("A: [");
        QCOMPARE(a.mid(a.indexOf("A: [")), QString("A: [10] [12] [18] [25] [33] [41]"));
        const QString b = rowWith("B: [");
        QCOMPARE(b.mid(b.indexOf("B: [")), QString("B: [3 ] [12] [18] [25] [33] [41]"));
    }

    void realScreenPrint()
    {
        PdfForm printed;
        Form1 &f = printed.f;
        const QString &pdf = printed.pdf;
        QTemporaryDir &dir = printed.dir;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.ui.CheckPrn->setChecked(true);
        f.ui.CommandPrint->click();
        QVERIFY(f.notice->isHidden());
        QVERIFY(run("pdfimages", {"-list", pdf}).split('\n').filter(QRegularExpression("^ +1 +0 ")).size() == 1);
        QVERIFY(run("pdfimages", {"-list", pdf}).split('\n').filter(QRegularExpression("^ +1 +1 ")).isEmpty());
        run("pdftoppm", {"-r", "40", "-png", "-singlefile", pdf, dir.filePath("page")});
        const QImage page(dir.filePath("page.png"));
        QVERIFY(!page.isNull());
        // The bounds of what is not white: the picture, centred, in proportion.
        QRect ink;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 250)
                    ink |= QRect(x, y, 1, 1);
        const QImage shot = f.ui.Picture1->pixmap().toImage();
        QVERIFY(qAbs(double(ink.width()) / ink.height() - double(shot.width()) / shot.height()) < 0.05);
        QVERIFY(qAbs(ink.center().x() - page.width() / 2) <= 2);
        QVERIFY(qAbs(ink.center().y() - page.height() / 2) <= 2);
        QVERIFY(ink.width() > page.width() * 0.9);
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"

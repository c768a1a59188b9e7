#include "support/virtualform.h"
#include "app/stamps.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QtTest>

// The window as it opens: layout, faces, focus, what assistive technology
// reads, and the clock.
class TestWindow : public QObject
{
    Q_OBJECT
private slots:
    void startUp()
    {
        VirtualForm w;
        Form1 &f = w.form;
        QCOMPARE(f.ui.DateLabel->text(), QString("2026/12/06"));
        QCOMPARE(f.ui.TimeLabel->text(), QString("09:05:03"));
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(w.numbers(k), QStringList(6, QString()));
            QCOMPARE(f.ui.lines[k].stamp->text(), QString());
            QCOMPARE(f.ui.lines[k].start->text(), QString("START"));
            QVERIFY(!f.ui.lines[k].mirror->isEnabled());
        }
        QCOMPARE(w.machine(), QStringList(6, QString()));
        QCOMPARE(VirtualForm::captions(f.ui.NumberLabelS), (QStringList{"1", "2", "3", "4", "5", "6"}));
        for (int e = 0; e < 30; ++e) {
            const int line = e / 6, inLine = e % 6;
            const int row = line == 0 ? inLine : 5 - inLine;
            QCOMPARE(f.ui.NumberLabelA[e]->text(), QString::number(row + 1));
            QCOMPARE(f.ui.NumberLabelA[e]->parentWidget(), f.ui.lines[line].frame);
            QCOMPARE(f.ui.NumberLabelA[e]->y(), 24 + 24 * row);
        }
        QCOMPARE(f.ui.LabelSN->text(), QString());
        QCOMPARE(f.ui.LabelSN0->text(), QString());
        QVERIFY(!f.ui.CheckPrn->isChecked());
        QCOMPARE(f.st.busyFlag, 0);
        QCOMPARE(f.st.batchStamped, std::int16_t(0));
        QCOMPARE(f.st.appFolder, QDir::toNativeSeparators(w.folder.path()) + QDir::separator());
        QVERIFY(f.ui.Timer1->isEnabled());
        QCOMPARE(f.ui.Timer1->interval(), 1000);
        QVERIFY(!f.ui.TimerS->isEnabled());
        QVERIFY(!f.ui.TimerDeb->isEnabled());
        QVERIFY(f.windowTitle().startsWith("Drava   ver1.00 "));
        QVERIFY(!f.windowIcon().pixmap(32, 32).isNull());
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("rect"); // pixels: twips / 15
        QTest::newRow("date") << "DateLabel" << "2026/12/06" << QRect(8, 0, 144, 24);
        QTest::newRow("time") << "TimeLabel" << "09:05:03" << QRect(168, 0, 105, 24);
        QTest::newRow("save") << "CommandSave" << "保存" << QRect(272, 8, 49, 17);
        QTest::newRow("batch") << "LabelSN" << "" << QRect(336, 8, 145, 17);
        QTest::newRow("frame A") << "FrameA" << "[A]" << QRect(8, 32, 73, 169);
        QTest::newRow("frame E") << "FrameE" << "[E]" << QRect(328, 32, 73, 169);
        QTest::newRow("start A") << "CommandA" << "START" << QRect(16, 208, 57, 25);
        QTest::newRow("start C") << "CommandC" << "START" << QRect(176, 208, 57, 25);
        QTest::newRow("clear") << "CommandClr" << "ｸﾘｱ" << QRect(408, 32, 41, 17);
        QTest::newRow("sort") << "CommandSort" << "並べ替え" << QRect(408, 72, 73, 33);
        QTest::newRow("whole screen") << "CheckPrn" << "画面全体" << QRect(408, 112, 73, 17);
        QTest::newRow("screen print") << "CommandPrint" << "画面印刷" << QRect(408, 128, 73, 33);
        QTest::newRow("text print") << "CommandPrintTxt" << "文字印刷" << QRect(408, 168, 73, 33);
        QTest::newRow("frame S") << "FrameS" << "[S]" << QRect(496, 16, 65, 169);
        QTest::newRow("machine") << "CommandS" << "START" << QRect(504, 192, 57, 25);
        QTest::newRow("file name") << "LabelSN0" << "" << QRect(568, 8, 105, 17);
        QTest::newRow("stamp A") << "LabelASN" << "" << QRect(568, 40, 105, 17);
        QTest::newRow("stamp E") << "LabelESN" << "" << QRect(568, 136, 105, 17);
        QTest::newRow("picture") << "Picture1" << "" << QRect(568, 160, 57, 25);
        QTest::newRow("deb") << "CommandDeb" << "deb" << QRect(632, 160, 41, 25);
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, rect);
        VirtualForm w;
        auto *control = w.form.findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), &w.form);
        QCOMPARE(control->geometry(), rect);
        if (auto *b = qobject_cast<QAbstractButton *>(control))
            QCOMPARE(b->text(), caption);
        else if (auto *l = qobject_cast<QLabel *>(control))
            QCOMPARE(l->text(), caption);
        else if (auto *g = qobject_cast<QGroupBox *>(control))
            QCOMPARE(g->title(), caption);
        // The work area lies wholly outside the client area.
        QCOMPARE(rect.left() >= 489, !QRect(0, 0, 489, 240).intersects(rect));
    }

    void numberLabelsInTheirFrames()
    {
        VirtualForm w;
        for (const auto &line : w.form.ui.lines)
            for (int i = 0; i < 6; ++i) {
                QCOMPARE(line.numbers[i]->parentWidget(), line.frame);
                QCOMPARE(line.numbers[i]->geometry(), QRect(40, 24 + 24 * i, 24, 20));
            }
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(w.form.ui.LabelS[i]->parentWidget(), w.form.ui.FrameS);
            QCOMPARE(w.form.ui.NumberLabelS[i]->geometry(), QRect(8, 24 + 24 * i, 28, 20));
        }
    }

    void fixedWindow()
    {
        VirtualForm w;
        QCOMPARE(w.form.minimumSize(), QSize(489, 240));
        QCOMPARE(w.form.maximumSize(), QSize(489, 240));
        const Qt::WindowFlags flags = w.form.windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QCOMPARE(w.form.grab().toImage().pixelColor(480, 235), QColor(255, 255, 0));
        QCOMPARE(w.form.ui.lines[2].frame->palette().color(QPalette::Window), QColor(192, 192, 0));
        QCOMPARE(w.form.ui.lines[2].frame->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    }

    void faces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::newRow("frame") << "FrameB" << 12.0 << true << false;
        QTest::newRow("clock") << "TimeLabel" << 18.0 << true << true;
        QTest::newRow("batch stamp") << "LabelSN" << 9.0 << true << false;
        QTest::newRow("line stamp") << "LabelCSN" << 8.25 << false << false;
        QTest::newRow("number") << "LabelD" << 12.0 << false << false;
    }
    void faces()
    {
        QFETCH(QString, name);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        VirtualForm w;
        const QFont font = w.form.findChild<QWidget *>(name)->font();
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.italic(), italic);
        const QString family = QFontInfo(font).family();
        QVERIFY2(family.startsWith("IPA") || family.contains("CJK"), qPrintable(family));
    }

    void tabOrderAndSpace()
    {
        VirtualForm w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QCOMPARE(QApplication::focusWidget(), w.form.ui.lines[0].start);
        QStringList order;
        for (int i = 0; i < 14; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"CommandA", "CommandS", "CommandB", "CommandC", "CommandD",
                                     "CommandE", "CommandSort", "CommandPrint", "CommandSave",
                                     "Picture1", "CheckPrn", "CommandPrintTxt", "CommandDeb",
                                     "CommandClr"}));
        QCOMPARE(QApplication::focusWidget(), w.form.ui.lines[0].start);

        // Space on the hidden draw machine's button runs a whole draw.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.form.ui.CommandS);
        QTest::keyClick(w.form.ui.CommandS, Qt::Key_Space);
        QVERIFY(!w.machine().contains("  "));
        QCOMPARE(w.pacer.beeps().size(), size_t(8));
    }

    void accessibleCaptions()
    {
        VirtualForm w;
        w.form.ui.lines[1].numbers[2]->setText("17");
        w.form.ui.lines[1].numbers[3]->setText("  ");
        auto name = [](QWidget *widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QCOMPARE(name(w.form.ui.lines[1].numbers[2]), QString("17"));
        QCOMPARE(name(w.form.ui.lines[1].numbers[3]), QString("  "));
        QCOMPARE(name(w.form.ui.lines[1].numbers[4]), QString()); // not the frame's caption
        QCOMPARE(name(w.form.ui.lines[1].frame), QString("[B]"));
        QCOMPARE(name(w.form.ui.lines[1].start), QString("START"));
        QCOMPARE(name(w.form.ui.CheckPrn), QString("画面全体"));
        QCOMPARE(name(w.form.ui.TimeLabel), QString("09:05:03"));
        QCOMPARE(name(w.form.ui.NumberLabelA[7]), QString("5"));
    }

    void clock_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("one tick") << QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)) << 1 << "2026/12/06" << "09:05:04";
        QTest::newRow("before midnight") << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)) << 1
                                         << "2026/12/31" << "23:59:59";
        QTest::newRow("at midnight") << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)) << 2
                                     << "2027/01/01" << "00:00:00";
        QTest::newRow("afternoon") << QDateTime(QDate(2026, 2, 3), QTime(13, 7, 0, 500)) << 60
                                   << "2026/02/03" << "13:08:00";
    }
    void clock()
    {
        QFETCH(QDateTime, start);
        QFETCH(int, ticks);
        QFETCH(QString, date);
        QFETCH(QString, time);
        VirtualForm w(start);
        w.pacer.advance(1000 * ticks);
        QCOMPARE(w.form.ui.DateLabel->text(), date);
        QCOMPARE(w.form.ui.TimeLabel->text(), time);
        QCOMPARE(Stamps::line(w.form.st.clockTime), date + "," + time);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

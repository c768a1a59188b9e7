#include "support.h"
#include "app/appfolder.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>

// The window as it opens: layout, faces, focus and the clock.
class TestWindow : public QObject
{
    Q_OBJECT
private slots:
    void startUp()
    {
        VirtualForm w;
        Form1 &f = w.form;
        for (int k = 0; k <= VirtualForm::machine; ++k)
            QCOMPARE(w.numbers(k), QStringList(6, ""));
        QStringList rows; // row and caption of each row number, line A's first
        for (const QLabel *label : f.controls.NumberLabelA)
            rows << QString::number(label->y() / 24) + label->text();
        QCOMPARE(rows.join(' '), QString("11 22 33 44 55 66 66 55 44 33 22 11 66 55 44 33 22 11 "
                                         "66 55 44 33 22 11 66 55 44 33 22 11"));
        QCOMPARE(f.controls.NumberLabelA[7]->parentWidget(), f.controls.lines[1].frame);
        QCOMPARE(f.controls.lines[4].numbers[5]->geometry(), QRect(40, 144, 24, 20));
        QCOMPARE(f.controls.LabelS[0]->geometry(), QRect(40, 24, 24, 20));
        QCOMPARE(f.controls.NumberLabelS[5]->geometry(), QRect(8, 144, 28, 20));
        QCOMPARE(f.state.appFolder, w.folder.path() + "/");
        QCOMPARE(folderWithSeparator("/"), QString("/"));
        QVERIFY(f.controls.Timer1->isEnabled() && !f.controls.TimerS->isEnabled() && !f.controls.TimerDeb->isEnabled());
        QCOMPARE(f.windowTitle(), QString("Drava   ver1.00 (C) 2026 the Drava makers"));
        QCOMPARE(f.windowIcon().pixmap(32, 32).size(), QSize(32, 32));
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QVERIFY(!(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        const QImage shown = f.grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() - 4, shown.height() - 4), QColor(255, 255, 0));
    }

    // Every control of the window in its place, in pixels (twips / 15), with
    // its caption and, where it has a face of its own, that face's size, b
    // for bold and i for italic. From "[S]" on they lie right of the client
    // area, 489 wide.
    void layout()
    {
        VirtualForm w;
        QStringList shown;
        for (QWidget *c : w.form.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (c->isWindow()) // the notice's balloon
                continue;
            const QFont f = c->font();
            const QString face = f == w.form.font() ? "" : QString(" %1%2%3").arg(f.pointSizeF()).arg(f.bold() ? "b" : "").arg(f.italic() ? "i" : "");
            const QRect r = c->geometry();
            shown << QString("%1 %2,%3 %4x%5 \"%6\"%7").arg(c->objectName()).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                         .arg(QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name)).arg(face);
        }
        QCOMPARE(shown.join('\n'), QString("DateLabel 8,0 144x24 \"2026/12/06\" 16.5bi\nTimeLabel 168,0 105x24 \"09:05:03\" 16bi\n"
                                            "CommandSave 272,8 49x17 \"保存\"\nLabelSN 336,8 145x17 \"\" 9b\n"
                                            "FrameA 8,32 73x169 \"[A]\" 12b\nCommandA 16,208 57x25 \"START\"\nLabelASN 568,40 105x17 \"\" 8.25\n"
                                            "FrameB 88,32 73x169 \"[B]\" 12b\nCommandB 96,208 57x25 \"START\"\nLabelBSN 568,64 105x17 \"\" 8.25\n"
                                            "FrameC 168,32 73x169 \"[C]\" 12b\nCommandC 176,208 57x25 \"START\"\nLabelCSN 568,88 105x17 \"\" 8.25\n"
                                            "FrameD 248,32 73x169 \"[D]\" 12b\nCommandD 256,208 57x25 \"START\"\nLabelDSN 568,112 105x17 \"\" 8.25\n"
                                            "FrameE 328,32 73x169 \"[E]\" 12b\nCommandE 336,208 57x25 \"START\"\nLabelESN 568,136 105x17 \"\" 8.25\n"
                                            "CommandClr 408,32 41x17 \"ｸﾘｱ\"\nCommandSort 408,72 73x33 \"並べ替え\"\n"
                                            "CheckPrn 408,112 73x17 \"画面全体\"\nCommandPrint 408,128 73x33 \"画面印刷\"\n"
                                            "CommandPrintTxt 408,168 73x33 \"文字印刷\"\nFrameS 496,16 65x169 \"[S]\" 12b\n"
                                            "CommandS 504,192 57x25 \"START\"\nLabelSN0 568,8 105x17 \"\"\nPicture1 568,160 57x25 \"Picture1\"\n"
                                            "CommandDeb 632,160 41x25 \"deb\""));
        QVERIFY2(QFontInfo(w.form.controls.DateLabel->font()).family().startsWith("IPA"), "a Japanese face");
    }

    // Every date and time shows whole in its label, the widest digits too:
    // no ink touches the label's right edge. Run at scale factors 1 and 2.
    void clockFits()
    {
        VirtualForm w;
        for (const auto &[label, pattern] : {std::pair{w.form.controls.DateLabel, "0000/00/00"},
                                             std::pair{w.form.controls.TimeLabel, "00:00:00"}})
            for (char digit = '0'; digit <= '9'; ++digit) {
                label->setText(QString(pattern).replace('0', QChar(digit)));
                const QImage shown = label->grab().toImage();
                int right = 0;
                for (int y = 0; y < shown.height(); ++y)
                    for (int x = 0; x < shown.width(); ++x)
                        right = shown.pixel(x, y) != shown.pixel(0, 0) ? qMax(right, x) : right;
                QVERIFY2(right < shown.width() - 1, qPrintable(label->text()));
            }
    }

    // Tab goes through all fourteen focusable controls, the two hidden ones
    // included; space on the machine's hidden button runs a whole draw.
    void tabOrderAndSpace()
    {
        VirtualForm w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QStringList order;
        for (int i = 0; i < 15; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order.join(' '), QString("CommandA CommandS CommandB CommandC CommandD CommandE CommandSort "
                                          "CommandPrint CommandSave Picture1 CheckPrn CommandPrintTxt "
                                          "CommandDeb CommandClr CommandA"));
        QTest::keyClick(w.form.controls.CommandS, Qt::Key_Space);
        QCOMPARE(w.pacer.beeps().size(), size_t(8));
        QVERIFY(!w.numbers(VirtualForm::machine).contains("  "));
    }

    // The clock shows the time of its last tick to the second, the new year
    // from its first tick.
    void clock()
    {
        VirtualForm w(QDateTime({2026, 12, 31}, {23, 59, 58, 500}));
        const Controls &c = w.form.controls;
        w.pacer.advance(1000);
        QCOMPARE(c.DateLabel->text() + " " + c.TimeLabel->text(), QString("2026/12/31 23:59:59"));
        w.pacer.advance(1000);
        QCOMPARE(c.DateLabel->text() + " " + c.TimeLabel->text(), QString("2027/01/01 00:00:00"));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

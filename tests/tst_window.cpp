#include "support.h"
#include "draw/pick.h"

#include <QAccessible>

// The window as it opens: layout, faces and focus; the pick and the sort with
// worked values.
class TestWindow : public QObject
{
    Q_OBJECT
private slots:
    void startUp()
    {
        VirtualForm w;
        Form1 &f = w.form;
        QStringList rows; // row and caption of each row number, line A's first
        for (const QLabel *label : f.controls.NumberLabelA)
            rows << QString::number(label->y() / 24) + label->text();
        QCOMPARE(rows.join(' '), QString("11 22 33 44 55 66 66 55 44 33 22 11 66 55 44 33 22 11 "
                                         "66 55 44 33 22 11 66 55 44 33 22 11"));
        QVERIFY(f.controls.Timer1->isEnabled() && !f.controls.TimerS->isEnabled() && !f.controls.TimerDeb->isEnabled());
        QVERIFY(!(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(f.grab().toImage().pixelColor(485, 236), QColor(255, 255, 0)); // the window's own yellow
    }

    // Every control in its place (pixels: twips / 15) with its caption and its
    // face if its own: size, b bold, i italic. From "[S]" on, right of the 489
    // wide client area.
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
                int right = -1; // the rightmost column of the text's ink
                for (int y = 0; y < shown.height(); ++y)
                    for (int x = 0; x < shown.width(); ++x)
                        right = shown.pixel(x, y) != shown.pixel(0, 0) ? qMax(right, x) : right;
                // Drawn at all, across most of the label, and not cut at its edge.
                QVERIFY2(right > shown.width() / 2 && right < shown.width() - 1, qPrintable(label->text()));
            }
    }

    // A key held on a control, repeating, pressed 600 ms into line A's draw or
    // with none running; then the beeps (8 a draw), whether anything was saved
    // and whether 画面全体 is ticked. Enter presses a button as Space does.
    void keys_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("inDraw");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("Enter on a START, held") << "CommandC" << int(Qt::Key_Return) << false << "8 - -";
        QTest::newRow("keypad Enter on the machine's START") << "CommandS" << int(Qt::Key_Enter) << false << "8 - -";
        QTest::newRow("Enter on Save") << "CommandSave" << int(Qt::Key_Return) << false << "0 saved -";
        QTest::newRow("Enter on Save in a draw") << "CommandSave" << int(Qt::Key_Return) << true << "8 - -";
        QTest::newRow("keypad Enter on a START in a draw") << "CommandC" << int(Qt::Key_Enter) << true << "8 - -";
        QTest::newRow("Space on 画面全体") << "CheckPrn" << int(Qt::Key_Space) << false << "0 - ticked";
        QTest::newRow("Enter on 画面全体") << "CheckPrn" << int(Qt::Key_Return) << false << "0 - -";
    }
    void keys()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(bool, inDraw);
        QFETCH(QString, outcome);
        VirtualForm w;
        const auto hold = [&] { // as X sends a repeating key: a release before each repeat
            for (int i = 0; i < 4; ++i) {
                QKeyEvent e(i % 2 ? QEvent::KeyRelease : QEvent::KeyPress, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier, QString(), i == 1 || i == 2);
                QApplication::sendEvent(w.button(control), &e);
            }
        };
        if (inDraw) {
            w.pacer.schedule(600, hold);
            w.play("A");
        } else {
            hold();
        }
        w.pacer.advance(20000);
        const QString seen = QString("%1 %2 %3").arg(w.pacer.beeps().size()).arg(w.files().isEmpty() ? "-" : "saved")
                                 .arg(w.button("CheckPrn")->isChecked() ? "ticked" : "-");
        QCOMPARE(seen, outcome);
    }

    // The range is the clock's six fields plus the tick remainder, floored to
    // 0..999 also for a negative tick, then rounded down to whole rounds of 43
    // (one at least); the candidate is floor(rounded * r) + 1 from the exact
    // product, modulo 43 with 0 becoming 43.
    void pick_data()
    {
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<quint32>("tick");
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("candidate");
        const QDateTime morning({2026, 12, 6}, {9, 5, 3}); // fields add up to 61
        const QDateTime newYear({2000, 1, 1}, {0, 0});     // fields add up to 2
        QTest::newRow("range 2 is taken as 43") << newYear << 0u << 0.75f << 33;
        QTest::newRow("range 1282 rounds to 1247, largest r") << QDateTime({2099, 12, 31}, {23, 59, 59}) << 999u
                                                              << 0.99999994f << 43;
        QTest::newRow("range 100 rounds to 86: x = 86 becomes 43") << morning << 1000039u << 0.995f << 43;
        QTest::newRow("most negative tick, remainder 352: 413 rounds to 387") << morning << 0x80000000u << 0.5f << 22;
        QTest::newRow("tick -1001, remainder 999: 1060 rounds to 1032") << morning << quint32(-1001) << 0.5f << 1;
        // 43 * r is 4.9999998 but 5 once rounded to single precision.
        QTest::newRow("range 43 stays, no single-precision product") << newYear << 41u << 0.116279066f << 5;
    }
    void pick()
    {
        QFETCH(QDateTime, clock);
        QFETCH(quint32, tick);
        QFETCH(float, r);
        QFETCH(int, candidate);
        QCOMPARE(Pick::candidate(Pick::drawRange(Pick::clockFields(clock), Pick::tickRemainder(tick)), r), candidate);
    }
    // Every range a clock can give: r across each x from 1 to the rounded
    // range gives every number equally often.
    void pickIsEven()
    {
        for (int range = 2; range <= 1282; ++range) {
            const int rounded = Pick::fairRange(range);
            std::array<int, 44> count{};
            for (int x = 1; x <= rounded; ++x)
                ++count[size_t(Pick::candidate(std::int16_t(range), float((x - 0.5) / rounded)))];
            QVERIFY2(std::count(count.begin() + 1, count.end(), rounded / 43) == 43, qPrintable(QString::number(range)));
        }
    }

    // Each line sorts alike, in place, by value: blanks, empties and what
    // is no 16-bit number count 0 and come first as "  "; blanks around a
    // number are allowed. The machine's labels end as "44", its row numbers
    // as line E's result.
    void sort_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("sorted");
        QTest::newRow("worked") << "23 5 41 17 9 30" << "5 9 17 23 30 41";
        QTest::newRow("9 before 10") << "10 9 43 1 2 11" << "1 2 9 10 11 43";
        QTest::newRow("12 and 3 among blanks") << "_ 12 _ _ 3 _" << "_ _ _ _ 3 12";
        QTest::newRow("empty") << "- - - - - -" << "_ _ _ _ _ _";
        QTest::newRow("already sorted") << "1 2 3 41 42 43" << "1 2 3 41 42 43";
        QTest::newRow("odd captions") << "x7 32768 -3 _5_ - 9" << "-3 _ _ _ 5 9";
    }
    void sort()
    {
        QFETCH(QString, line);
        QFETCH(QString, sorted);
        auto captions = [](const QString &text) {
            QStringList texts = text.split(' ');
            for (QString &t : texts)
                t = t == "-" ? "" : t.replace('_', "  ");
            return texts;
        };
        for (int k = 0; k < 5; ++k) {
            VirtualForm w;
            for (int i = 0; i < 6; ++i)
                w.form.controls.lines[k].numbers[i]->setText(captions(line)[i]);
            for (int twice = 0; twice < 2; ++twice) {
                w.play("Sort");
                QCOMPARE(w.numbers(k).join(' '), captions(sorted).join(' '));
            }
            QCOMPARE(w.numbers(VirtualForm::machine), QStringList(6, "44"));
            QStringList rows;
            for (const QLabel *label : w.form.controls.NumberLabelS)
                rows << label->text();
            QCOMPARE(rows.join(' '), captions(k == 4 ? sorted : "_ _ _ _ _ _").join(' '));
        }
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

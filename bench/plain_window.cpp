// The yardstick for Drava's start-up: its window as one would build it with
// plain Qt widgets and nothing behind it. Every control is here, in the same
// place, with the same caption, face and colours, the hidden work area
// included; no timers, no state, no accessibility, no icon, and the clock's
// sizes written down where Drava measures them (what they come to with the
// IPA faces). Kept in step with model/controls.cpp by hand.
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace {
const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");

QFont gothicFont(qreal points, bool bold = false, bool italic = false)
{
    QFont font(gothic);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void colour(QWidget *w, QPalette::ColorRole role, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
}

QLabel *label(QWidget *parent, const QString &caption, int x, int y, int w, int h, const QFont &font,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, const QColor &text = Qt::black)
{
    auto *l = new QLabel(caption, parent);
    l->setGeometry(x, y, w, h);
    l->setFont(font);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(align);
    colour(l, QPalette::WindowText, text);
    return l;
}

QLabel *numberLabel(QWidget *parent, int y)
{
    QLabel *l = label(parent, QString(), 40, y, 24, 20, gothicFont(12), Qt::AlignCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAutoFillBackground(true);
    colour(l, QPalette::Window, Qt::white);
    return l;
}

QPushButton *button(QWidget *parent, const QString &caption, int x, int y, int w, int h)
{
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(x, y, w, h);
    b->setAutoDefault(false);
    return b;
}

QGroupBox *frame(QWidget *parent, const QString &caption, int x, int y, int w, int h, const QColor &background)
{
    auto *f = new QGroupBox(caption, parent);
    f->setGeometry(x, y, w, h);
    f->setFont(gothicFont(12, true));
    f->setAutoFillBackground(true);
    colour(f, QPalette::Window, background);
    colour(f, QPalette::WindowText, QColor(0, 0, 192));
    return f;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont::insertSubstitutions(gothic, {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "VL PGothic"});
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window.setWindowTitle(QStringLiteral("Drava   ver1.00 (C) 2026 the Drava makers"));
    window.setFixedSize(489, 240);
    window.setAutoFillBackground(true);
    colour(&window, QPalette::Window, QColor(255, 255, 0));

    const QColor navy(0, 0, 128);
    label(&window, QStringLiteral("2026/12/07"), 8, 0, 144, 24, gothicFont(16.5, true, true),
          Qt::AlignLeft | Qt::AlignVCenter, navy);
    label(&window, QStringLiteral("09:05:03"), 168, 0, 105, 24, gothicFont(16, true, true),
          Qt::AlignLeft | Qt::AlignVCenter, navy);
    button(&window, QStringLiteral("保存"), 272, 8, 49, 17);
    label(&window, QString(), 336, 8, 145, 17, gothicFont(9, true));

    QPushButton *firstStart = nullptr;
    for (int k = 0; k < 5; ++k) {
        const QString letter(QChar('A' + k));
        QGroupBox *line = frame(&window, "[" + letter + "]", 8 + 80 * k, 32, 73, 169, QColor(192, 192, 0));
        for (int r = 0; r < 6; ++r) {
            numberLabel(line, 24 + 24 * r);
            label(line, QString::number(r + 1), 8, 24 + 24 * r, 12, 20, gothicFont(12),
                  Qt::AlignRight | Qt::AlignVCenter);
        }
        QPushButton *start = button(&window, QStringLiteral("START"), 16 + 80 * k, 208, 57, 25);
        firstStart = firstStart ? firstStart : start;
        label(&window, QString(), 568, 40 + 24 * k, 105, 17, gothicFont(8.25));
    }

    button(&window, QStringLiteral("ｸﾘｱ"), 408, 32, 41, 17);
    button(&window, QStringLiteral("並べ替え"), 408, 72, 73, 33);
    auto *wholeScreen = new QCheckBox(QStringLiteral("画面全体"), &window);
    wholeScreen->setGeometry(408, 112, 73, 17);
    wholeScreen->setAutoFillBackground(true);
    colour(wholeScreen, QPalette::Window, QColor(255, 255, 0));
    button(&window, QStringLiteral("画面印刷"), 408, 128, 73, 33);
    button(&window, QStringLiteral("文字印刷"), 408, 168, 73, 33);

    // The work area, right of the window's edge.
    QGroupBox *machine = frame(&window, QStringLiteral("[S]"), 496, 16, 65, 169, QColor(224, 224, 224));
    for (int i = 0; i < 6; ++i) {
        label(machine, QString::number(i + 1), 8, 24 + 24 * i, 28, 20, gothicFont(12),
              Qt::AlignRight | Qt::AlignVCenter);
        numberLabel(machine, 24 + 24 * i);
    }
    button(&window, QStringLiteral("START"), 504, 192, 57, 25);
    label(&window, QString(), 568, 8, 105, 17, window.font());
    auto *picture = new QLabel(&window);
    picture->setGeometry(568, 160, 57, 25);
    picture->setFocusPolicy(Qt::StrongFocus);
    button(&window, QStringLiteral("deb"), 632, 160, 41, 25);

    firstStart->setFocus();
    window.show();
    return app.exec();
}

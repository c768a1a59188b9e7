#include "controls.h"

#include "fonts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace {
const QColor yellow(255, 255, 0);
const QColor olive(192, 192, 0);
const QColor lightGrey(224, 224, 224);
const QColor captionBlue(0, 0, 192);
const QColor navy(0, 0, 128);

enum class Look { Plain, Number, RowNumber, Clock };

void colour(QWidget *w, QPalette::ColorRole role, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption, const QRect &rect,
              Look look, const QFont &font)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setGeometry(rect);
    l->setFont(font);
    l->setTextFormat(Qt::PlainText);
    colour(l, QPalette::WindowText, Qt::black);
    switch (look) {
    case Look::Number:
        l->setAlignment(Qt::AlignCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAutoFillBackground(true);
        colour(l, QPalette::Window, Qt::white);
        break;
    case Look::RowNumber:
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case Look::Clock:
        colour(l, QPalette::WindowText, navy);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        break;
    case Look::Plain:
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        break;
    }
    return l;
}

// Enter and the keypad's Enter press a button as Space does: down while held,
// clicked once at the release however long the key repeats, and by the same
// click a mouse gives, so the gate sees one kind of press.
class PushButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
            const auto *key = static_cast<QKeyEvent *>(e);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                QKeyEvent space(e->type(), Qt::Key_Space, key->modifiers(), QStringLiteral(" "), key->isAutoRepeat());
                const bool handled = QPushButton::event(&space);
                e->setAccepted(space.isAccepted());
                return handled;
            }
        }
        return QPushButton::event(e);
    }
};

QPushButton *button(QWidget *parent, const QString &name, const QString &caption, const QRect &rect)
{
    auto *b = new PushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(rect);
    b->setAutoDefault(false);
    return b;
}

QGroupBox *frame(QWidget *parent, const QString &name, const QString &caption, const QRect &rect,
                 const QColor &background)
{
    auto *f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    f->setGeometry(rect);
    f->setFont(Fonts::gothicFont(12, Fonts::Style::Bold));
    f->setAutoFillBackground(true);
    colour(f, QPalette::Window, background);
    colour(f, QPalette::WindowText, captionBlue);
    return f;
}

// A line's (or the draw machine's) six number labels, element i in row i.
std::array<QLabel *, Game::picked> numberColumn(QGroupBox *frame, const QString &name)
{
    std::array<QLabel *, Game::picked> column{};
    for (int i = 0; i < Game::picked; ++i)
        column[i] = label(frame, name, QString(), fromTwips(600, 360 + 360 * i, 360, 300),
                          Look::Number, Fonts::gothicFont(12));
    return column;
}
} // namespace

Controls::Controls(QWidget *form, Pacer &pacer)
{
    Fonts::substituteJapaneseFaces();
    makeClock(form);
    makeLines(form, pacer);
    makeCommands(form);
    makeWorkArea(form);
    Timer1 = pacer.makeTimer();
    TimerS = pacer.makeTimer();
    TimerDeb = pacer.makeTimer();
    setTabOrder();
}

void Controls::makeClock(QWidget *form)
{
    // The clock keeps its look, as large as every date and time fit whole.
    const QFont f3 = Fonts::gothicFont(18, Fonts::Style::BoldItalic);
    DateLabel = label(form, "DateLabel", "0000/00/00", fromTwips(120, 0, 2160, 360), Look::Clock,
                      Fonts::fitting(f3, "0000/00/00", 2160 / twipsPerPixel));
    TimeLabel = label(form, "TimeLabel", "00:00:00", fromTwips(2520, 0, 1575, 360), Look::Clock,
                      Fonts::fitting(f3, "00:00:00", 1575 / twipsPerPixel));
    CommandSave = button(form, "CommandSave", "保存", fromTwips(4080, 120, 735, 255));
    LabelSN = label(form, "LabelSN", "", fromTwips(5040, 120, 2175, 255), Look::Clock,
                       Fonts::gothicFont(9, Fonts::Style::Bold));
    colour(LabelSN, QPalette::WindowText, Qt::black);
}

void Controls::makeLines(QWidget *form, Pacer &pacer)
{
    static const char letters[] = "ABCDE";
    for (int k = 0; k < 5; ++k) {
        LineControls &line = lines[k];
        const QString letter(QChar(letters[k]));
        line.letter = letters[k];
        line.frame = frame(form, "Frame" + letter, "[" + letter + "]",
                           fromTwips(120 + 1200 * k, 480, 1095, 2535), olive);
        line.numbers = numberColumn(line.frame, "Label" + letter);
        line.start = button(form, "Command" + letter, "START", fromTwips(240 + 1200 * k, 3120, 855, 375));
        line.stamp = label(form, "Label" + letter + "SN", "", fromTwips(8520, 600 + 360 * k, 1575, 255),
                           Look::Plain, Fonts::gothicFont(8.25));
        line.mirror = pacer.makeTimer();
        // Row numbers: in line A element r shows row r + 1; in the other lines
        // the top row carries the highest element of the line's six.
        for (int r = 0; r < Game::picked; ++r) {
            const int element = k == 0 ? r : Game::picked * (k + 1) - 1 - r;
            NumberLabelA[element] = label(line.frame, "NumberLabelA", QString::number(r + 1),
                                             fromTwips(120, 360 + 360 * r, 180, 300), Look::RowNumber,
                                             Fonts::gothicFont(12));
        }
    }
}

void Controls::makeCommands(QWidget *form)
{
    CommandClr = button(form, "CommandClr", "ｸﾘｱ", fromTwips(6120, 480, 615, 255));
    CommandSort = button(form, "CommandSort", "並べ替え", fromTwips(6120, 1080, 1095, 495));
    CheckPrn = new QCheckBox("画面全体", form);
    CheckPrn->setObjectName("CheckPrn");
    CheckPrn->setGeometry(fromTwips(6120, 1680, 1095, 255));
    CheckPrn->setAutoFillBackground(true);
    colour(CheckPrn, QPalette::Window, yellow);
    CommandPrint = button(form, "CommandPrint", "画面印刷", fromTwips(6120, 1920, 1095, 495));
    CommandPrintTxt = button(form, "CommandPrintTxt", "文字印刷", fromTwips(6120, 2520, 1095, 495));
}

// Right of the client area, out of sight: the draw machine and the stamps.
void Controls::makeWorkArea(QWidget *form)
{
    FrameS = frame(form, "FrameS", "[S]", fromTwips(7440, 240, 975, 2535), lightGrey);
    for (int i = 0; i < Game::picked; ++i)
        NumberLabelS[i] = label(FrameS, "NumberLabelS", QString::number(i + 1),
                                   fromTwips(120, 360 + 360 * i, 420, 300), Look::RowNumber, Fonts::gothicFont(12));
    LabelS = numberColumn(FrameS, "LabelS");
    CommandS = button(form, "CommandS", "START", fromTwips(7560, 2880, 855, 375));
    LabelSN0 = label(form, "LabelSN0", "", fromTwips(8520, 120, 1575, 255), Look::Plain, form->font());
    Picture1 = new QLabel(form);
    Picture1->setObjectName("Picture1");
    Picture1->setGeometry(fromTwips(8520, 2400, 855, 375));
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->setAccessibleName("Picture1");
    CommandDeb = button(form, "CommandDeb", "deb", fromTwips(9480, 2400, 615, 375));
}

void Controls::setTabOrder()
{
    QWidget *const tabOrder[] = {lines[0].start, CommandS, lines[1].start, lines[2].start,
                                 lines[3].start, lines[4].start, CommandSort, CommandPrint,
                                 CommandSave, Picture1, CheckPrn, CommandPrintTxt,
                                 CommandDeb, CommandClr};
    for (int i = 0; i + 1 < int(std::size(tabOrder)); ++i)
        QWidget::setTabOrder(tabOrder[i], tabOrder[i + 1]);
}

#include "controls.moc"

#include "buypanel.h"

#include "historywindow/parts/describedline.h"

#include "calendar/calendar.h"
#include "results/plays.h"

#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

namespace {
int64_t now()
{
    const QDateTime at = QDateTime::currentDateTime();
    return int64_t(Calendar::dateOf(at.date())) * 1000000 + at.time().hour() * 10000 + at.time().minute() * 100
           + at.time().second();
}

// The lines as a slip names them: spaces, as after each ";", are no part of it.
std::string slipOf(const QString &text)
{
    QString slip = text;
    slip.remove(QRegularExpression(QStringLiteral("\\s")));
    return slip.toStdString();
}

QSpinBox *spinBox(int most, const char *name)
{
    auto *box = new QSpinBox;
    box->setRange(1, most);
    box->setAccessibleName(QString::fromUtf8(name));
    return box;
}
} // namespace

BuyPanel::BuyPanel(TicketKeeper &ticketKeeper, QWidget *parent)
    : QGroupBox(QStringLiteral("購入を記録"), parent), keeper(ticketKeeper), lines(new QLineEdit),
      units(spinBox(Game::mostUnits, "口数")), draws(spinBox(Game::mostDraws, "購入の継続回数")),
      firstDraw(spinBox(999999, "初回")), firstDrawDay(describedLine("初回の抽せん日")),
      problem(describedLine("購入を記録した結果"))
{
    lines->setAccessibleName(QStringLiteral("購入する行"));
    lines->setPlaceholderText(QStringLiteral("2026/12/06,09:05:03,A; 3,7,12,25,31,40"));
    connect(lines, &QLineEdit::textChanged, this, &BuyPanel::presetFirstDraw);
    connect(lines, &QLineEdit::returnPressed, this, &BuyPanel::record);
    connect(firstDraw, qOverload<int>(&QSpinBox::valueChanged), this, &BuyPanel::showFirstDraw);
    connect(&keeper, &TicketKeeper::changed, this, [this](const QString &failure, const TicketFile::Read &, int recorded) {
        if (!recording)
            return;
        recording = false;
        problem->setText(recorded ? QStringLiteral("購入 %1 を記録しました").arg(recorded)
                                  : QStringLiteral("記録できませんでした: %1").arg(failure));
    });
    // 0 is no draw named: the ticket follows its moment.
    firstDraw->setMinimum(0);
    firstDraw->setSpecialValueText(QStringLiteral("見込み"));
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("行(&Q):"), lines);
    form->addRow(QStringLiteral("口数(&U):"), units);
    form->addRow(QStringLiteral("継続回数(&G):"), draws);
    auto *firstLabel = new QLabel(QStringLiteral("初回(&V):"));
    firstLabel->setBuddy(firstDraw);
    form->addRow(firstLabel, firstDrawRow());
    form->addRow(problem);
    hide();
}

QLayout *BuyPanel::firstDrawRow()
{
    auto *save = new QPushButton(QStringLiteral("記録する(&O)"));
    save->setAccessibleName(QStringLiteral("購入を記録する"));
    connect(save, &QPushButton::clicked, this, &BuyPanel::record);
    auto *cancel = new QPushButton(QStringLiteral("閉じる"));
    cancel->setAccessibleName(QStringLiteral("購入の記録を閉じる"));
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
    auto *row = new QHBoxLayout;
    row->addWidget(firstDraw);
    row->addWidget(firstDrawDay, 1);
    row->addWidget(save);
    row->addWidget(cancel);
    return row;
}

void BuyPanel::open(const QString &chosen, SettledLines logged)
{
    log = std::move(logged);
    lines->setText(chosen);
    presetFirstDraw(); // the book may have changed since the same lines were chosen
    problem->clear();
    show();
    units->setFocus();
}

void BuyPanel::setBook(const ResultsBook &results)
{
    book = results;
    if (isVisible())
        presetFirstDraw();
}

// The first draw the lines would be played for: by the 18:30 close from
// their moment, the book's draw where it leaves no doubt, else the next draw
// day the calendar gives, a guess.
void BuyPanel::presetFirstDraw()
{
    std::vector<TicketLine> parsed;
    std::string why;
    int64_t moment = 0;
    if (!parseTicketLines(slipOf(lines->text()), parsed, why) || !momentOf(parsed, 0, now(), moment).empty()) {
        firstDrawDay->clear();
        return;
    }
    const int date = int(moment / 1000000), time = int(moment % 1000000);
    presetDraw = Plays::firstDrawOf(book, date, time);
    guessedDay = Game::drawDayFrom(time < Game::salesClose ? date : Calendar::dayAfter(date));
    firstDraw->setValue(presetDraw);
    showFirstDraw();
}

// The first draw's day: the book's, or the calendar's guess.
void BuyPanel::showFirstDraw()
{
    const int number = firstDraw->value();
    const DrawResult *draw = book.find(number);
    firstDrawDay->setText(draw             ? QString::fromStdString(Calendar::dateText(draw->date))
                          : number == 0 ? QString::fromStdString(Calendar::dateText(guessedDay)) + QStringLiteral(" 見込み")
                                           : QStringLiteral("結果待ち"));
}

void BuyPanel::record()
{
    std::vector<TicketLine> parsed;
    std::string why;
    if (!parseTicketLines(slipOf(lines->text()), parsed, why)) {
        problem->setText(QStringLiteral("1〜5行を ; で区切って入れてください: 6つの異なる数字(1〜43)か、記録の日時と行"));
        return;
    }
    problem->clear();
    // Left as the rule gives it, the ticket follows its moment.
    const int named = firstDraw->value() == presetDraw ? 0 : firstDraw->value();
    recording = true;
    keeper.record(QString::fromStdString(slipOf(lines->text())), units->value(), draws->value(), named, log, now());
}

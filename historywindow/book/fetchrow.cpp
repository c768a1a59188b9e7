#include "fetchrow.h"

#include "fetch/fetchrecord.h"
#include "fetch/fetchscheduler.h"
#include "notify/winteller.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QLabel *plainLabel()
{
    // What a source returned is anyone's text: never rendered as markup.
    auto *label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

FetchRow::FetchRow(const QString &bookPath, QWidget *parent)
    : QWidget(parent), book(bookPath), source(new QLineEdit), fetchNow(new QPushButton(QStringLiteral("今すぐ取得"))),
      seen(new QPushButton(QStringLiteral("確認済みにする"))), last(plainLabel()), changed(plainLabel()), news(plainLabel())
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *sourceLabel = new QLabel(QStringLiteral("結果の取得元(&U)"));
    sourceLabel->setBuddy(source);
    source->setPlaceholderText(QStringLiteral("https://… / file:///…"));
    source->setText(FetchRecord::source().toString());
    layout->addWidget(sourceLabel, 0, 0);
    layout->addWidget(source, 0, 1);
    layout->addWidget(fetchNow, 0, 2);
    layout->addWidget(last, 1, 0, 1, 3);
    layout->addWidget(changed, 2, 0, 1, 3);
    layout->addWidget(news, 3, 0, 1, 2);
    layout->addWidget(seen, 3, 2, Qt::AlignTop);
    fetchNow->setEnabled(false); // until the program lends its fetching
    seen->hide();
    news->hide();
    connect(source, &QLineEdit::editingFinished, this, [this] { setSource(); });
    connect(fetchNow, &QPushButton::clicked, this, [this] {
        if (!setSource())
            return;
        const QUrl from = FetchRecord::source();
        if (parts.fetch && Fetcher::takes(from)) {
            parts.fetch->start(from);
            last->setText(QStringLiteral("取得中…"));
        }
    });
    connect(seen, &QPushButton::clicked, this, [this] {
        if (parts.teller)
            parts.teller->setSeen();
    });
    showLast();
}

void FetchRow::setFetching(const Fetching &fetching)
{
    parts = fetching;
    fetchNow->setEnabled(parts.fetch != nullptr);
    if (parts.fetch)
        connect(parts.fetch, &BookFetch::finished, this, &FetchRow::showLast);
    if (parts.teller)
        connect(parts.teller, &WinTeller::unseenChanged, this, &FetchRow::showNews);
    showNews();
}

bool FetchRow::setSource()
{
    const QUrl url(source->text().trimmed(), QUrl::StrictMode);
    if (url == FetchRecord::source())
        return true;
    if (!url.isEmpty() && !Fetcher::takes(url)) {
        last->setText(QStringLiteral("取得元は http:、https: か file: の URL です"));
        return false;
    }
    FetchRecord::setSource(url);
    if (parts.schedule)
        parts.schedule->start();
    showLast();
    return true;
}

void FetchRow::showLast()
{
    const FetchRecord::Last record = FetchRecord::last(book);
    const QString text = FetchRecord::lastText(record);
    last->setText(text.isEmpty() ? QStringLiteral("まだ取得していません") : text);
    const QString changedText = FetchRecord::changedText(record, FetchRecord::source());
    changed->setText(changedText);
    changed->setVisible(!changedText.isEmpty());
}

void FetchRow::showNews()
{
    QStringList lines;
    if (parts.teller)
        for (const Tiding &t : parts.teller->unseen())
            lines << (t.what == TicketBook::Told::NoWin ? QStringLiteral("　") : QStringLiteral("★ ")) + t.text;
    news->setText(lines.join(QLatin1Char('\n')));
    news->setVisible(!lines.isEmpty());
    seen->setVisible(!lines.isEmpty());
}

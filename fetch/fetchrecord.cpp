#include "fetchrecord.h"

#include <QCryptographicHash>
#include <QSettings>

namespace {
QSettings settings()
{
    return QSettings(QStringLiteral("drava"), QStringLiteral("drava"));
}

// A key of its own for a book, or a source and a book: a path may hold
// anything, a key only what settings take.
QString keyOf(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(20));
}

QString bookKey(const QString &book)
{
    return QStringLiteral("fetch/books/") + keyOf(book) + QLatin1Char('/');
}

QString validatorsKey(const QUrl &source, const QString &book)
{
    return QStringLiteral("fetch/validators/") + keyOf(source.toString() + QLatin1Char('\n') + book) + QLatin1Char('/');
}
} // namespace

namespace FetchRecord {
QUrl source()
{
    return settings().value(QStringLiteral("fetch/source")).toUrl();
}

void setSource(const QUrl &source)
{
    settings().setValue(QStringLiteral("fetch/source"), source);
}

Validators validators(const QUrl &source, const QString &book)
{
    const QSettings s = settings();
    const QString key = validatorsKey(source, book);
    return {s.value(key + QLatin1String("etag")).toByteArray(), s.value(key + QLatin1String("lastModified")).toByteArray()};
}

void setValidators(const QUrl &source, const QString &book, const Validators &validators)
{
    QSettings s = settings();
    const QString key = validatorsKey(source, book);
    s.setValue(key + QLatin1String("etag"), validators.etag);
    s.setValue(key + QLatin1String("lastModified"), validators.lastModified);
}

Last last(const QString &book)
{
    const QSettings s = settings();
    const QString key = bookKey(book);
    Last last;
    last.when = s.value(key + QLatin1String("when")).toDateTime();
    last.outcome = FetchOutcome(s.value(key + QLatin1String("outcome")).toInt());
    last.detail = s.value(key + QLatin1String("detail")).toString();
    last.added = s.value(key + QLatin1String("added")).toULongLong();
    last.unreadableInARow = s.value(key + QLatin1String("unreadableInARow")).toInt();
    last.returned = s.value(key + QLatin1String("returned")).toString();
    return last;
}

void setLast(const QString &book, const Last &last)
{
    QSettings s = settings();
    const QString key = bookKey(book);
    s.setValue(key + QLatin1String("book"), book); // for whoever reads the file
    s.setValue(key + QLatin1String("when"), last.when);
    s.setValue(key + QLatin1String("outcome"), int(last.outcome));
    s.setValue(key + QLatin1String("detail"), last.detail);
    s.setValue(key + QLatin1String("added"), last.added);
    s.setValue(key + QLatin1String("unreadableInARow"), last.unreadableInARow);
    s.setValue(key + QLatin1String("returned"), last.returned);
}

Last after(const Last &before, const QDateTime &when, const Download &download, quint64 added)
{
    Last last = before;
    last.when = when;
    last.outcome = download.outcome;
    last.detail = download.detail;
    last.added = added;
    switch (Outcome::kindOf(download.outcome)) {
    case Outcome::Kind::Good:
        last.unreadableInARow = 0;
        last.returned.clear();
        break;
    case Outcome::Kind::BadAnswer:
        ++last.unreadableInARow;
        last.returned = plainStart(download.body);
        break;
    default:
        break;
    }
    return last;
}

QString plainStart(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes.left(200));
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return text.split(QLatin1Char('\n')).mid(0, 3).join(QLatin1Char('\n')).trimmed();
}

QString lastText(const Last &last)
{
    if (!last.when.isValid())
        return QString();
    const QString when = last.when.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    switch (last.outcome) {
    case FetchOutcome::Imported:
        return QStringLiteral("最終取得 %1 · 追加 %2").arg(when).arg(last.added);
    case FetchOutcome::NotModified:
        return QStringLiteral("最終取得 %1 · 変更なし").arg(when);
    default:
        return QStringLiteral("取得できませんでした %1 · %2").arg(when, Outcome::japanese(last.outcome, last.detail));
    }
}

QString changedText(const Last &last, const QUrl &source)
{
    if (last.unreadableInARow < changedAfter)
        return QString();
    return QStringLiteral("取得元が変わったかもしれません (%1 回続けて読めません): %2\n返ってきたもの: %3")
        .arg(last.unreadableInARow)
        .arg(source.toDisplayString(), last.returned);
}
} // namespace FetchRecord

#pragma once

#include "fetcher.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

// What the program keeps of fetching, in its settings (Qt's QSettings, the
// desktop's way: ~/.config/drava/drava.conf): the source, what the server
// said of the file for each source and book together, and the last fetch of
// each book.
namespace FetchRecord {
// The source set, or none.
QUrl source();
void setSource(const QUrl &source);

// For `source` into `book` only: another book fetches whole.
Validators validators(const QUrl &source, const QString &book);
void setValidators(const QUrl &source, const QString &book, const Validators &validators);

struct Last
{
    QDateTime when; // invalid: never fetched
    FetchOutcome outcome = FetchOutcome::Imported;
    QString detail;
    quint64 added = 0;
    // Answers in a row that could not be read, and the start of the last
    // of them as text.
    int unreadableInARow = 0;
    QString returned;
};
Last last(const QString &book);
void setLast(const QString &book, const Last &last);

// Three answers in a row that could not be read: the source may have changed.
constexpr int changedAfter = 3;
// The record after `before`, for an outcome at `when`: a good one ends the
// run of unreadable answers, a network that is down or a book that could
// not be written leaves it as it was.
Last after(const Last &before, const QDateTime &when, const Download &download, quint64 added);

// The start of what a source returned, as plain text on a few lines: never
// markup to be rendered, nor control characters.
QString plainStart(const QByteArray &bytes);

// For the window: "最終取得 2026/12/10 20:05 · 追加 1", "最終取得 … · 変更なし",
// or "取得できませんでした 2026/12/10 20:05 · HTTP 404 Not Found"; "" never fetched.
QString lastText(const Last &last);
// After three answers in a row that could not be read, the source named as
// possibly changed, with the start of what it returned; "" otherwise.
QString changedText(const Last &last, const QUrl &source);
} // namespace FetchRecord

#pragma once

#include <QWidget>

class BookFetch;
class FetchScheduler;
class QLabel;
class QLineEdit;
class QPushButton;
class WinTeller;

// What fetches the book and tells the tickets' wins, made once by the
// program and lent to the window.
struct Fetching
{
    BookFetch *fetch = nullptr;
    FetchScheduler *schedule = nullptr;
    WinTeller *teller = nullptr;
};

// The book's source and its fetching in the history window: "結果の取得元"
// set once, "今すぐ取得", the last fetch's time and outcome, a source that
// may have changed with the start of what it returned (as plain text), and
// what the tickets came to, marked until seen.
class FetchRow : public QWidget
{
    Q_OBJECT
public:
    explicit FetchRow(const QString &bookPath, QWidget *parent = nullptr);

    void setFetching(const Fetching &fetching);

private:
    // Keeps the source typed; false, and told why, for one no fetch takes.
    bool setSource();
    void showLast();
    void showNews();

    QString book;
    Fetching parts;
    QLineEdit *source;
    QPushButton *fetchNow, *seen;
    QLabel *last, *changed, *news;
};

#pragma once

#include "outcome.h"

#include "threads/background.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QSslConfiguration>
#include <QUrl>

class QNetworkReply;

// What the server said of the file last time, sent back so that a file that
// has not changed is not downloaded again.
struct Validators
{
    QByteArray etag, lastModified;
};

struct Download
{
    FetchOutcome outcome = FetchOutcome::Imported; // Imported: the body came whole
    QString detail;
    QByteArray body; // for an answer refused, what it began with
    Validators validators;
};

// Gets a result file from its source: http: and https: through the system's
// proxy, trusting the system's certificates alone, and file: as --import
// reads a file, behind the window's thread. It sends the request and nothing
// else (no cookies, no headers but Qt's own and the conditional ones), and
// reads the answer as it comes, refusing one that grows over the cap, and
// one that is no result file by its look: a web page, an error, nothing.
class Fetcher : public QObject
{
    Q_OBJECT
public:
    static constexpr int answerLimitMsec = 30000;
    static constexpr qint64 mostBytes = qint64(16) << 20;
    static constexpr int mostRedirects = 5;

    // `tls` is for a test's own certificate authority alone: the program
    // never gives one, and nothing here turns the checks off.
    explicit Fetcher(QObject *parent = nullptr, int answerLimitMsec = Fetcher::answerLimitMsec,
                     const QSslConfiguration &tls = QSslConfiguration::defaultConfiguration());

    // Whether `source` is one this fetches from: http:, https: or file:.
    static bool takes(const QUrl &source);

    // One at a time: a fetch under way is dropped for the new one.
    void get(const QUrl &source, const Validators &validators);

signals:
    void done(const Download &download);

private:
    void readSome();
    void finish();
    Download ended() const;

    QNetworkAccessManager manager;
    int limitMsec;
    QSslConfiguration tls;
    QPointer<QNetworkReply> reply;
    QByteArray body;
    bool tooLarge = false;
    Background files{this};
};

#include "fetcher.h"

#include "files/inputfile.h"
#include "files/regularfile.h"

#include <QFile>
#include <QNetworkProxyFactory>
#include <QNetworkReply>

#include <cerrno>

namespace {
// A page for people, not a file of rows: by its type, or by its first
// character, as a server that calls everything text/plain may send one.
bool looksLikeHtml(const QNetworkReply &reply, const QByteArray &body)
{
    const QByteArray type = reply.header(QNetworkRequest::ContentTypeHeader).toByteArray().toLower();
    if (type.contains("html") || type.contains("xml"))
        return true;
    const QByteArray start = body.left(512).trimmed();
    return start.startsWith('<') || start.startsWith("\xEF\xBB\xBF<");
}

bool networkDown(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
        return true;
    default:
        return false;
    }
}
} // namespace

Fetcher::Fetcher(QObject *parent, int answerLimitMsec, const QSslConfiguration &tls)
    : QObject(parent), limitMsec(answerLimitMsec), tls(tls)
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
}

bool Fetcher::takes(const QUrl &source)
{
    const QString scheme = source.scheme();
    if (scheme == QLatin1String("file"))
        return !source.toLocalFile().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !source.host().isEmpty();
}

void Fetcher::get(const QUrl &source, const Validators &validators)
{
    if (reply) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    body.clear();
    tooLarge = false;
    if (source.isLocalFile()) {
        const std::string path = QFile::encodeName(source.toLocalFile()).toStdString();
        files.run([path] {
            Download download;
            std::string bytes;
            const int error = InputFile::readAll(path, bytes, size_t(mostBytes));
            if (error == EFBIG)
                download.outcome = FetchOutcome::TooLarge;
            else if (error) {
                download.outcome = FetchOutcome::FileUnreadable;
                download.detail = QString::fromStdString(RegularFile::reason(error));
            } else if (bytes.empty())
                download.outcome = FetchOutcome::Empty;
            download.body = QByteArray::fromStdString(bytes);
            return download;
        }, [this](const Download &download) { emit done(download); });
        return;
    }
    QNetworkRequest request(source);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(mostRedirects);
    request.setTransferTimeout(limitMsec);
    request.setSslConfiguration(tls);
    // Nothing of another answer goes with the request, nor is kept from it.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    if (!validators.etag.isEmpty())
        request.setRawHeader("If-None-Match", validators.etag);
    if (!validators.lastModified.isEmpty())
        request.setRawHeader("If-Modified-Since", validators.lastModified);
    reply = manager.get(request);
    // Qt holds no more than this of the answer unread: the rest waits in the
    // network until it is read, and what is read is counted against the cap.
    reply->setReadBufferSize(1 << 20);
    connect(reply, &QNetworkReply::readyRead, this, &Fetcher::readSome);
    connect(reply, &QNetworkReply::finished, this, &Fetcher::finish);
}

void Fetcher::readSome()
{
    QNetworkReply *from = qobject_cast<QNetworkReply *>(sender());
    if (from != reply || tooLarge || !from->isOpen())
        return;
    const QByteArray piece = from->read(mostBytes + 1 - body.size());
    body += piece;
    if (body.size() > mostBytes) {
        tooLarge = true;
        from->abort(); // finished follows
    }
}

void Fetcher::finish()
{
    QNetworkReply *from = qobject_cast<QNetworkReply *>(sender());
    if (from != reply)
        return;
    readSome();
    const Download download = ended();
    reply->deleteLater();
    reply = nullptr;
    body.clear();
    emit done(download);
}

Download Fetcher::ended() const
{
    using O = FetchOutcome;
    Download d;
    const auto error = reply->error();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    // Qt decompresses a gzip answer itself; its length is then the
    // compressed one, and says nothing of what was read.
    const bool plain = reply->rawHeader("Content-Encoding").isEmpty()
                       || reply->rawHeader("Content-Encoding").toLower() == "identity";
    const bool cutShort = plain && length.isValid() && body.size() < length.toLongLong();
    d.body = body.left(1024);
    if (tooLarge) {
        d.outcome = O::TooLarge;
    } else if (error == QNetworkReply::OperationCanceledError) { // the transfer's limit: nothing else aborts
        d.outcome = O::Timeout;
        d.detail = QString::number(limitMsec / 1000.0);
    } else if (error == QNetworkReply::TooManyRedirectsError) {
        d.outcome = O::TooManyRedirects;
    } else if (error == QNetworkReply::InsecureRedirectError) {
        d.outcome = O::InsecureRedirect;
    } else if (status == 304) {
        d.outcome = O::NotModified;
    } else if (status >= 300) {
        d.outcome = O::HttpStatus;
        d.detail = QString::number(status) + QLatin1Char(' ')
                   + reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    } else if (error == QNetworkReply::SslHandshakeFailedError) {
        d.outcome = O::Untrusted;
        d.detail = reply->errorString();
    } else if (cutShort) {
        d.outcome = O::CutShort;
        d.detail = QStringLiteral("%1 of %2").arg(body.size()).arg(length.toLongLong());
    } else if (networkDown(error)) {
        d.outcome = O::NetworkDown;
        d.detail = reply->errorString();
    } else if (error != QNetworkReply::NoError) {
        d.outcome = O::Unreadable;
        d.detail = reply->errorString();
    } else if (body.isEmpty()) {
        d.outcome = O::Empty;
    } else if (looksLikeHtml(*reply, body)) {
        d.outcome = O::Html;
    } else {
        d.body = body;
        d.validators = {reply->rawHeader("ETag"), reply->rawHeader("Last-Modified")};
    }
    return d;
}

#include "outcome.h"

namespace {
struct Told
{
    FetchOutcome outcome;
    Outcome::Kind kind;
    const char *english, *japanese; // %1 the detail
};

using K = Outcome::Kind;
using O = FetchOutcome;
constexpr Told told[] = {
    {O::Imported, K::Good, "imported", "取り込みました"},
    {O::NotModified, K::Good, "not changed since the last fetch", "前回の取得から変わっていません"},
    {O::Html, K::BadAnswer, "an HTML page, not a result file", "結果ファイルではなく HTML のページです"},
    {O::Empty, K::BadAnswer, "an empty answer", "中身のない応答です"},
    {O::CutShort, K::BadAnswer, "the answer was cut short (%1 bytes)", "応答が途中で切れました (%1 バイト)"},
    {O::TooLarge, K::BadAnswer, "the answer is over 16 MiB", "応答が 16 MiB を超えています"},
    {O::HttpStatus, K::BadAnswer, "HTTP %1", "HTTP %1"},
    {O::TooManyRedirects, K::BadAnswer, "more than five redirects", "転送が 5 回を超えました"},
    {O::InsecureRedirect, K::BadAnswer, "redirected from https to http", "https から http へ転送されました"},
    {O::Untrusted, K::BadAnswer, "the certificate is not trusted: %1", "証明書を信頼できません: %1"},
    {O::Unreadable, K::BadAnswer, "the answer cannot be read: %1", "応答を読めません: %1"},
    {O::NoDraw, K::BadAnswer, "no draw can be read in it", "読める回がありません"},
    {O::Timeout, K::NoAnswer, "no answer within %1 s", "%1 秒待っても応答がありません"},
    {O::NetworkDown, K::NoAnswer, "the network is down: %1", "ネットワークにつながりません: %1"},
    {O::FileUnreadable, K::BadAnswer, "cannot read the file: %1", "ファイルを読めません: %1"},
    {O::BookFailed, K::Book, "cannot write the book: %1", "結果を記録できません: %1"},
};

const Told &of(FetchOutcome outcome)
{
    for (const Told &t : told)
        if (t.outcome == outcome)
            return t;
    return told[0];
}

QString filled(const char *text, const QString &detail)
{
    const QString t = QString::fromUtf8(text);
    return t.contains(QLatin1String("%1")) ? t.arg(detail) : t;
}
} // namespace

namespace Outcome {
Kind kindOf(FetchOutcome outcome)
{
    return of(outcome).kind;
}

QString english(FetchOutcome outcome, const QString &detail)
{
    return filled(of(outcome).english, detail);
}

QString japanese(FetchOutcome outcome, const QString &detail)
{
    return filled(of(outcome).japanese, detail);
}
} // namespace Outcome

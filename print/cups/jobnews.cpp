#include "jobnews.h"

namespace {
enum QueueState { queueStopped = 5 };
enum JobState { unseen = 0, pending = 3, held = 4, printing = 5, stopped = 6, cancelled = 7, aborted = 8 };

// Plain data: the follower may still run while the program's statics go.
struct Cause
{
    const char *reasons[3];
    const char *why;
};
constexpr Cause causes[] = {
    {{"media-empty", "media-needed", nullptr}, "用紙がありません"},
    {{"toner-empty", "marker-supply-empty", nullptr}, "トナーがありません"},
    {{"door-open", "cover-open", "interlock-open"}, "カバーが開いています"},
    {{"offline", nullptr, nullptr}, "プリンタがオフラインです"},
};

QString withMessage(const QString &why, const QString &message)
{
    return message.isEmpty() ? why : why + QStringLiteral(" (") + message + ')';
}

// Why the queue cannot print, or nothing. Only a reason's plain and -error
// forms keep the page from printing: its -report and -warning forms inform.
QString whyWaiting(const QueueLook &queue)
{
    QStringList holding;
    bool anError = false;
    for (QString reason : queue.reasons) {
        if (reason.endsWith(QLatin1String("-error"))) {
            reason.chop(6);
            anError = true;
        }
        holding << reason;
    }
    for (const Cause &cause : causes)
        for (const char *reason : cause.reasons)
            if (reason && holding.contains(QLatin1String(reason)))
                return QString::fromUtf8(cause.why);
    if (anError)
        return withMessage(QStringLiteral("プリンタにエラーがあります"), queue.message);
    if (queue.state == queueStopped || holding.contains(QLatin1String("paused")))
        return QStringLiteral("プリンタが停止しています");
    return {};
}
} // namespace

QString jobNews(const JobLook &before, const JobLook &now)
{
    // Unseen, the job is as it was taken: waiting, untried, in a queue that could print.
    if (before.state == unseen)
        if (const QString why = whyWaiting(now.queue); !why.isEmpty())
            return QStringLiteral("印刷待ち: ") + why;
    // The queue's message may be left from an earlier job: the job's own comes first.
    const QString message = now.message.isEmpty() ? now.queue.message : now.message;
    const bool sentBack = now.tried && ((now.state == held && before.state != held)
                                        || (now.state == pending && (before.state == printing || !before.tried)));
    QString why;
    if (now.state == cancelled && before.state != cancelled)
        why = QStringLiteral("取り消されました");
    else if (now.state == aborted && before.state != aborted)
        why = QStringLiteral("中止されました");
    else if ((now.state == stopped && before.state != stopped)
             || (now.queue.state == queueStopped && before.queue.state != queueStopped))
        why = QStringLiteral("プリンタが停止しました");
    // Held or sent back for another try is only news with a word of why.
    else if (!message.isEmpty() && sentBack)
        why = QStringLiteral("再試行を待っています");
    else if (!message.isEmpty() && now.state == held && before.state != held)
        why = QStringLiteral("保留されています");
    return why.isEmpty() ? QString() : QStringLiteral("印刷できませんでした: ") + withMessage(why, message);
}

bool jobSettled(const JobLook &look)
{
    return look.state >= cancelled;
}

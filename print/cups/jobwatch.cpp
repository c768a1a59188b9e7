#include "jobwatch.h"

#include "jobnews.h"
#include "platform/library.h"
#include "threads/behindwindow.h"

#include <QThread>

#include <cups/cups.h>

namespace {
// The IPP calls of a look, resolved on the GUI thread: the follower needs no
// library loader of its own.
class Ipp
{
public:
    explicit Ipp(QLibrary &cups)
        : newRequest(DRAVA_FUNCTION(cups, ippNewRequest)), addString(DRAVA_FUNCTION(cups, ippAddString)),
          addStrings(DRAVA_FUNCTION(cups, ippAddStrings)), addInteger(DRAVA_FUNCTION(cups, ippAddInteger)),
          doRequest(DRAVA_FUNCTION(cups, cupsDoRequest)), status(DRAVA_FUNCTION(cups, ippGetStatusCode)),
          find(DRAVA_FUNCTION(cups, ippFindAttribute)), count(DRAVA_FUNCTION(cups, ippGetCount)),
          integer(DRAVA_FUNCTION(cups, ippGetInteger)), string(DRAVA_FUNCTION(cups, ippGetString)),
          release(DRAVA_FUNCTION(cups, ippDelete)), user(DRAVA_FUNCTION(cups, cupsUser))
    {
    }

    bool loaded() const
    {
        return newRequest && addString && addStrings && addInteger && doRequest && status && find && count
               && integer && string && release && user;
    }

    // The job `id` of queue `uri` and the queue; false when CUPS would not say.
    bool look(const QByteArray &uri, int id, JobLook &job) const
    {
        static const char *const jobAttributes[] = {"job-state", "time-at-processing", "job-printer-state-message"};
        static const char *const queueAttributes[] = {"printer-state", "printer-state-reasons",
                                                      "printer-state-message"};
        ipp_t *answer = ask(IPP_OP_GET_JOB_ATTRIBUTES, uri, id, jobAttributes, 3);
        if (!answer)
            return false;
        job.state = number(answer, "job-state", IPP_TAG_ENUM);
        job.tried = number(answer, "time-at-processing", IPP_TAG_INTEGER) > 0;
        job.message = text(answer, "job-printer-state-message", IPP_TAG_TEXT).value(0);
        release(answer);
        if (!(answer = ask(IPP_OP_GET_PRINTER_ATTRIBUTES, uri, 0, queueAttributes, 3)))
            return false;
        job.queue = {number(answer, "printer-state", IPP_TAG_ENUM),
                     text(answer, "printer-state-reasons", IPP_TAG_KEYWORD),
                     text(answer, "printer-state-message", IPP_TAG_TEXT).value(0)};
        release(answer);
        return true;
    }

private:
    ipp_t *ask(ipp_op_t operation, const QByteArray &uri, int id, const char *const *names, int n) const
    {
        ipp_t *request = newRequest(operation);
        addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
        if (id)
            addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", id);
        addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, user());
        addStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", n, nullptr, names);
        ipp_t *answer = doRequest(CUPS_HTTP_DEFAULT, request, "/"); // it frees the request
        if (answer && status(answer) > IPP_STATUS_OK_EVENTS_COMPLETE) {
            release(answer);
            return nullptr;
        }
        return answer;
    }

    int number(ipp_t *answer, const char *name, ipp_tag_t type) const
    {
        ipp_attribute_t *attribute = find(answer, name, type);
        return attribute ? integer(attribute, 0) : 0;
    }

    QStringList text(ipp_t *answer, const char *name, ipp_tag_t type) const
    {
        QStringList values;
        if (ipp_attribute_t *attribute = find(answer, name, type))
            for (int i = 0; i < count(attribute); ++i)
                values << QString::fromUtf8(string(attribute, i, nullptr));
        return values;
    }

    decltype(&ippNewRequest) newRequest;
    decltype(&ippAddString) addString;
    decltype(&ippAddStrings) addStrings;
    decltype(&ippAddInteger) addInteger;
    decltype(&cupsDoRequest) doRequest;
    decltype(&ippGetStatusCode) status;
    decltype(&ippFindAttribute) find;
    decltype(&ippGetCount) count;
    decltype(&ippGetInteger) integer;
    decltype(&ippGetString) string;
    decltype(&ippDelete) release;
    decltype(&cupsUser) user;
};

// A look at once, then one a second for a minute; over sooner when the job
// is, or the window has gone.
void followJob(QPromise<QString> &news, const Ipp &ipp, const QByteArray &uri, int id)
{
    BehindWindow::lowerPriority();
    JobLook before;
    for (int look = 0; look <= 60; ++look) {
        if (look > 0)
            QThread::sleep(1);
        if (news.isCanceled())
            return;
        JobLook now;
        if (!ipp.look(uri, id, now))
            return; // the server gone, or the job forgotten: nothing more to tell
        if (const QString text = jobNews(before, now); !text.isEmpty())
            news.addResult(text);
        if (jobSettled(now))
            return;
        before = now;
    }
}
} // namespace

void JobWatch::follow(QLibrary &cups, const QByteArray &queue, int id, QObject *receiver,
                      const std::function<void(const QString &)> &news)
{
    const Ipp ipp(cups);
    if (!ipp.loaded())
        return;
    // The server reads only the path; the host is a placeholder, as CUPS's own tools use.
    const QByteArray uri = "ipp://localhost/printers/" + queue.toPercentEncoding();
    BehindWindow::asReported(receiver, QtConcurrent::run(BehindWindow::pool(), followJob, ipp, uri, id), news);
}

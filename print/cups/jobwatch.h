#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QLibrary;
class QObject;

// Follows a job CUPS has taken, on a thread that nothing waits for, so neither
// the window nor its closing waits for a print system that does not answer:
// it looks at the job and its queue at once and then every second for a
// minute, and tells `news`, on `receiver`'s thread while it lives, what the
// user should hear of it.
namespace JobWatch {
// `cups` is the loaded print library; `queue` the queue job `id` went to.
void follow(QLibrary &cups, const QByteArray &queue, int id, QObject *receiver,
            const std::function<void(const QString &)> &news);
} // namespace JobWatch

#pragma once

#include <QByteArray>

#include <memory>

class GuiPost;
class QLibrary;

// Follows a job CUPS has taken, on a thread that nothing waits for, so neither
// the window nor its closing waits for a print system that does not answer:
// it looks at the job and its queue at once and then every second for a
// minute, and posts what the user should hear of it.
namespace JobWatch {
// `cups` is the loaded print library; `queue` the queue job `id` went to.
void follow(QLibrary &cups, const QByteArray &queue, int id, std::shared_ptr<GuiPost> news);
} // namespace JobWatch

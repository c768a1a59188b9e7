#pragma once

#include <QString>

// A notification on the desktop, through the freedesktop notifications
// service on the session bus. With no bus or no service, nothing is shown
// and nothing else happens: the window tells the same.
namespace DesktopNotice {
enum class Wait {
    No,        // the window's way: sent, and never waited for
    ForAnswer, // the command line's, which ends right after: a few seconds at most
};
void send(const QString &summary, const QString &body, Wait wait = Wait::No);
} // namespace DesktopNotice

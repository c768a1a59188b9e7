#include "desktopnotice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace DesktopNotice {
void send(const QString &summary, const QString &body, Wait wait)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the server's)
    notify << QStringLiteral("drava") << uint(0) << QStringLiteral("drava") << summary << body << QStringList()
           << QVariantMap() << int(-1);
    if (wait == Wait::ForAnswer)
        bus.call(notify, QDBus::Block, 5000);
    else
        bus.send(notify);
}
} // namespace DesktopNotice

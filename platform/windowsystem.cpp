#include "windowsystem.h"

#include <QByteArray>
#include <QtGlobal>

void WindowSystem::preferSocketImages()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

#include "appfolder.h"

#include <QDir>

QString folderWithSeparator(const QString &folder)
{
    QString native = QDir::toNativeSeparators(folder);
    const QChar separator = QDir::separator();
    if (!native.endsWith(separator))
        native += separator;
    return native;
}

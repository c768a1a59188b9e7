#include "appfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <climits>
#include <unistd.h>
#endif

QString folderWithSeparator(const QString &folder)
{
    QString native = QDir::toNativeSeparators(folder);
    const QChar separator = QDir::separator();
    if (!native.endsWith(separator))
        native += separator;
    return native;
}

QString programFolder(const QByteArray &executable)
{
    const int slash = executable.lastIndexOf('/');
    if (slash < 0)
        return QString();
    const QByteArray raw = executable.left(qMax(slash, 1));
    const QString folder = QFile::decodeName(raw);
    if (QFile::encodeName(folder) != raw || !QFileInfo(folder).isDir())
        return QString();
    return folderWithSeparator(folder);
}

QString runningProgramFolder()
{
#ifdef Q_OS_LINUX
    // The link's own bytes: Qt's decoded path would hide a name that is not
    // valid text.
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    return length > 0 && length < ssize_t(sizeof path) ? programFolder(QByteArray(path, int(length))) : QString();
#else
    const QString folder = QCoreApplication::applicationDirPath();
    return folder.isEmpty() ? QString() : folderWithSeparator(folder);
#endif
}

#include "appfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <climits>
#include <unistd.h>

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
    // The link's own bytes: Qt's decoded path would hide a name that is not
    // valid text.
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    return length > 0 && length < ssize_t(sizeof path) ? programFolder(QByteArray(path, int(length))) : QString();
}

QString logFolder(const QString &programFolder, FolderTraits traits, const QString &userFolder)
{
    if (!programFolder.isEmpty() && traits == Writable)
        return programFolder;
    return userFolder.isEmpty() ? QString() : folderWithSeparator(userFolder);
}

QString runningLogFolder()
{
    const QString folder = runningProgramFolder();
    // access() and not the permission bits: it knows read-only mounts, and root.
    FolderTraits traits;
    traits.setFlag(Writable, !folder.isEmpty() && ::access(QFile::encodeName(folder).constData(), W_OK) == 0);
    traits.setFlag(Installed, !folder.isEmpty() && QFileInfo::exists(folder + QStringLiteral(DRAVA_DESKTOP_ENTRY)));
    return logFolder(folder, traits, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

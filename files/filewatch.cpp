#include "filewatch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

void watchFile(QFileSystemWatcher &watcher, const QString &path)
{
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !watcher.files().contains(path))
        watcher.addPath(path);
    QString folder = QFileInfo(path).absolutePath();
    while (!QFileInfo(folder).isDir() && folder != QFileInfo(folder).absolutePath())
        folder = QFileInfo(folder).absolutePath();
    for (const QString &stale : watcher.directories())
        if (stale != folder)
            watcher.removePath(stale);
    if (!watcher.directories().contains(folder))
        watcher.addPath(folder);
}

#pragma once

#include <QString>

class QFileSystemWatcher;

// Watches the file at `path`, and the nearest folder of it that there is: a
// file not made yet, in a folder that may not be there either (the user's
// data folder is made at the first save), is seen as it comes, and one
// replaced by another, which drops out of the watch, is taken up again. Call
// it again at every change.
void watchFile(QFileSystemWatcher &watcher, const QString &path);

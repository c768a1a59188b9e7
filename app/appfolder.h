#pragma once

#include <QByteArray>
#include <QFlags>
#include <QString>

// The program's folder in native form with exactly one trailing separator:
// "/opt/drava" gives "/opt/drava/", a root such as "/" or "C:\" stays as it is.
QString folderWithSeparator(const QString &folder);

// The folder of the program file `executable`, given as the file system's own
// bytes, with one trailing separator; "" when it cannot be told: the path is
// not valid text in the system's encoding (read back it would name another
// folder), or it names no folder. "/opt/drava/drava" gives "/opt/drava/".
QString programFolder(const QByteArray &executable);

// The folder of the running program, as above.
QString runningProgramFolder();

// What the program's folder is to the program: where an install put it (its
// desktop entry stands where the install put it), and one it may write.
enum FolderTrait { Installed = 1, Writable = 2 };
Q_DECLARE_FLAGS(FolderTraits, FolderTrait)
Q_DECLARE_OPERATORS_FOR_FLAGS(FolderTraits)

// Where the logs go. A copy run from a folder it may write saves beside
// itself; an installed copy, or one whose folder cannot be told or may not be
// written, saves in the user's data folder, root too, so nothing lands in a
// system folder. "" when there is neither.
QString logFolder(const QString &programFolder, FolderTraits traits, const QString &userFolder);

// The log folder of the running program, as above.
QString runningLogFolder();

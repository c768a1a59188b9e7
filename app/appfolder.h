#pragma once

#include <QByteArray>
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

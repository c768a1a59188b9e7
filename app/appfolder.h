#pragma once

#include <QString>

// The program's folder in native form with exactly one trailing separator:
// "/opt/drava" gives "/opt/drava/", a root such as "/" or "C:\" stays as it is.
QString folderWithSeparator(const QString &folder);

#include "records.h"

QString recordText(const QString &stamp, QChar letter, const QStringList &numbers)
{
    return stamp + ',' + letter + ',' + numbers.join(',');
}

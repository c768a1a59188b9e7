#include "stamps.h"

// QDateTime::toString with a format uses the C locale: ASCII digits always.
namespace Stamps {
QString date(const QDateTime &t) { return t.toString(QStringLiteral("yyyy/MM/dd")); }
QString time(const QDateTime &t) { return t.toString(QStringLiteral("HH:mm:ss")); }
QString batch(const QDateTime &t) { return t.toString(QStringLiteral("yyyy/MM/dd,HH:mm")); }
QString batchFileName(const QDateTime &t)
{
    return t.toString(QStringLiteral("yyMMdd_HHmm")) + QStringLiteral(".csv");
}
QString line(const QDateTime &t) { return t.toString(QStringLiteral("yyyy/MM/dd,HH:mm:ss")); }
} // namespace Stamps

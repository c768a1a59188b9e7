#include "sharedfile.h"

#include "inputfile.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace SharedFile {
namespace {
// Whether the file's first lines are of its kind, or it has none. A file's
// records come first (what it cannot read it keeps after them), so one of
// another kind is known from its head. 0, or why it cannot be read.
int readHead(const RegularFile &file, const Kind &kind, bool &ofItsKind)
{
    char head[1 << 16];
    const ssize_t n = file.readAt(head, sizeof head, 0);
    if (n < 0)
        return errno;
    size_t whole = size_t(n); // lines, not a piece of one, unless the file ends there
    if (whole == sizeof head) {
        const void *lf = ::memrchr(head, '\n', whole);
        whole = lf ? size_t(static_cast<const char *>(lf) - head) + 1 : 0;
    }
    ofItsKind = (whole > 0 || size_t(n) < sizeof head) && kind(head, whole);
    return 0;
}
} // namespace

Read read(const QString &path, size_t limit, const Kind &kind)
{
    Read read;
    const RegularFile file(QFile::encodeName(path).toStdString(), O_RDONLY);
    read.error = file.isOpen() ? file.identify(read.identity) : file.error();
    if (!read.error && read.identity.size > limit)
        read.error = EFBIG;
    bool ofItsKind = true;
    if (!read.error)
        read.error = readHead(file, kind, ofItsKind);
    if (!read.error && !ofItsKind)
        read.error = notOfItsKind;
    if (!read.error)
        read.error = InputFile::readAll(file, read.bytes, limit);
    return read;
}

Lock::Lock(const QString &path) : file(path + QStringLiteral(".lock"))
{
    QDir().mkpath(QFileInfo(path).absolutePath()); // the user's data folder may not be there yet
    if (file.tryLock(lockWaitMsec))
        return;
    qint64 pid = 0;
    QString host, program;
    switch (file.error()) {
    case QLockFile::LockFailedError:
        why = file.getLockInfo(&pid, &host, &program)
                  ? QStringLiteral("in use by %1, process %2 on %3").arg(program).arg(pid).arg(host)
                  : QStringLiteral("in use by another program");
        break;
    case QLockFile::PermissionError:
        why = QString::fromStdString(RegularFile::reason(EACCES));
        break;
    default:
        why = QStringLiteral("its lock cannot be made");
    }
}

QString write(const QString &path, const std::string &bytes, size_t limit)
{
    if (bytes.size() > limit)
        return QString::fromStdString(RegularFile::reason(EFBIG));
    QString why;
    TextFile::replaceWith(path, QByteArray::fromStdString(bytes), why);
    return why;
}
bool unchanged(const QString &path, const std::optional<FileIdentity> &known)
{
    return known && FileIdentity::of(QFile::encodeName(path).toStdString()) == *known;
}
} // namespace SharedFile

#include "ticketfile.h"

#include "files/sharedfile.h"

#include <QFile>

#include <cerrno>

namespace TicketFile {
Read read(const QString &path)
{
    Read read;
    read.error =
        SharedFile::readAs(path, mostBytes, &TicketBook::read, &TicketBook::isTickets, read.tickets, read.identity);
    return read;
}

QString reason(int error)
{
    return error == notTickets ? QStringLiteral("not a tickets file") : QString::fromStdString(RegularFile::reason(error));
}

Update change(const QString &path, const Change &change)
{
    Update update;
    if (path.isEmpty()) { // a copy with no folder for its files
        update.read.error = ENOENT;
        update.failure = QStringLiteral("there is no folder for it");
        return update;
    }
    const SharedFile::Lock lock(path);
    if (!lock.isHeld()) {
        update.failure = lock.failure();
        return update;
    }
    update.read = read(path);
    if (update.read.error && update.read.error != ENOENT) {
        update.failure = reason(update.read.error);
        return update;
    }
    update.made = change(update.read.tickets);
    if (update.made)
        update.failure = SharedFile::write(path, update.read.tickets.text(), mostBytes);
    if (update.made && update.failure.isEmpty())
        update.read.identity = FileIdentity::of(QFile::encodeName(path).toStdString());
    return update;
}
} // namespace TicketFile

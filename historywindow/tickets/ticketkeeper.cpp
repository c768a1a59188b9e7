#include "ticketkeeper.h"

#include "files/filewatch.h"

#include <optional>

TicketKeeper::TicketKeeper(const QString &path, QObject *parent) : QObject(parent), filePath(path)
{
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &TicketKeeper::load);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &TicketKeeper::load);
    load();
}

// Read again only when the file changed: every save of the main window
// stirs the folder it is watched in.
void TicketKeeper::load()
{
    if (filePath.isEmpty())
        return;
    watchFile(watcher, filePath);
    work.run([path = filePath, known = identity]() -> std::optional<TicketFile::Read> {
        if (SharedFile::unchanged(path, known))
            return std::nullopt;
        return TicketFile::read(path);
    }, [this](const std::optional<TicketFile::Read> &read) {
        if (!read)
            return;
        identity = read->identity;
        emit ticketsRead(*read);
    }, Background::StandsIn);
}

namespace {
struct Recorded
{
    QString failure; // the ticket as named cannot be made, or the file not written
    TicketFile::Update update;
    int number = 0;
};
} // namespace

// The lines are looked for in the log behind the window's thread too: a
// log of years holds millions of them.
void TicketKeeper::record(const QString &text, int units, int draws, int firstDraw, SettledLines log, int64_t now)
{
    work.run([path = filePath, text, units, draws, firstDraw, log = std::move(log), now]() -> Recorded {
        Ticket ticket;
        std::string why;
        if (!parseTicketLines(text.toStdString(), ticket.lines, why))
            return {QString::fromStdString(why), {}, 0};
        static const std::vector<LoggedLine> none;
        std::string missing;
        if (!findInLog(ticket.lines, log ? *log : none, missing))
            return {QStringLiteral("ログにない行です: %1").arg(QString::fromStdString(missing)), {}, 0};
        int64_t moment = 0;
        why = momentOf(ticket.lines, 0, now, moment);
        if (!why.empty())
            return {QString::fromStdString(why), {}, 0};
        ticket.date = int(moment / 1000000);
        ticket.time = int(moment % 1000000);
        ticket.units = units;
        ticket.draws = draws;
        ticket.firstDraw = firstDraw;
        Recorded recorded;
        recorded.update = TicketFile::change(path, [&](TicketBook &tickets) {
            recorded.number = tickets.add(ticket);
            return true;
        });
        recorded.failure = recorded.update.failure;
        return recorded;
    }, [this](const Recorded &recorded) {
        took(recorded.failure, recorded.update);
        emit changed(recorded.failure, recorded.update.read, recorded.failure.isEmpty() ? recorded.number : 0);
    });
}

void TicketKeeper::remove(int ticket)
{
    change([ticket](TicketBook &tickets) { return tickets.remove(ticket); });
}

void TicketKeeper::setReceived(int ticket, int draw, bool received)
{
    change([=](TicketBook &tickets) {
        tickets.setReceived(ticket, draw, received);
        return true;
    });
}

void TicketKeeper::change(TicketFile::Change change)
{
    work.run([path = filePath, change = std::move(change)] { return TicketFile::change(path, change); },
             [this](const TicketFile::Update &update) {
                 const QString failure = !update.failure.isEmpty() ? update.failure
                                         : update.made             ? QString()
                                                                   : QStringLiteral("その購入の記録はありません");
                 took(failure, update);
                 emit changed(failure, update.read, 0);
             });
}

void TicketKeeper::took(const QString &failure, const TicketFile::Update &update)
{
    if (failure.isEmpty()) {
        identity = update.read.identity;
        emit ticketsRead(update.read);
        return;
    }
    identity.reset();
    load(); // what is on the disk
}

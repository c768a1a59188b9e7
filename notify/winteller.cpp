#include "winteller.h"

#include "desktopnotice.h"

#include "calendar/calendar.h"
#include "results/bookfile.h"
#include "tickets/ticketfile.h"

#include <QFile>

#include <cerrno>

WinTeller::WinTeller(const QString &ticketsPath, const QString &bookPath, QObject *parent)
    : QObject(parent), tickets(ticketsPath), book(bookPath)
{
}

void WinTeller::tellNews()
{
    look(Kind::News);
}

void WinTeller::remind()
{
    look(Kind::Reminders);
}

WinTeller::Taken WinTeller::take(const QString &ticketsPath, const QString &bookPath, int today, Kind kind)
{
    Taken taken;
    // With no tickets there is nothing to tell, and no file is made for it.
    if (ticketsPath.isEmpty() || !QFile::exists(ticketsPath))
        return taken;
    const BookFile::Read read = BookFile::read(bookPath);
    if (read.error) {
        taken.failure = read.error == ENOENT ? QString() : BookFile::reason(read.error);
        return taken;
    }
    const TicketFile::Update update = TicketFile::change(ticketsPath, [&](TicketBook &fresh) {
        taken.tidings = kind == Kind::News ? Tidings::takeNews(fresh, read.book, today)
                                           : Tidings::takeReminders(fresh, read.book, today);
        return !taken.tidings.empty();
    });
    // Told only once it is kept as told: else another copy tells it again.
    if (!update.failure.isEmpty()) {
        taken.tidings.clear();
        taken.failure = update.failure;
    }
    return taken;
}

void WinTeller::look(Kind kind)
{
    const int today = Calendar::dateOf(clock().date());
    // Sent from behind the window's thread too: reaching the session bus
    // the first time may wait on a bus that does not answer.
    work.run(
        [tickets = tickets, book = book, today, kind] {
            const Taken taken = take(tickets, book, today, kind);
            for (const Tiding &t : taken.tidings)
                if (t.forDesktop())
                    DesktopNotice::send(t.text, QStringLiteral("チケット %1 · %2 行").arg(t.ticket).arg(QChar(t.letter)));
            return taken;
        },
        [this](const Taken &taken) {
            if (taken.tidings.empty())
                return;
            fresh.insert(fresh.end(), taken.tidings.begin(), taken.tidings.end());
            emit told(taken.tidings);
            emit unseenChanged();
        });
}

void WinTeller::setSeen()
{
    if (fresh.empty())
        return;
    fresh.clear();
    emit unseenChanged();
}

#include "accessibility.h"
#include "appfolder.h"
#include "commandline.h"
#include "commands.h"
#include "form1.h"
#include "fetch/fetchscheduler.h"
#include "notify/winteller.h"
#include "historywindow/historywindow.h"
#include "log/drawlog.h"
#include "results/resultsbook.h"
#include "tickets/ticketbook.h"
#include "calendar/calendar.h"
#include "platform/windowsystem.h"
#include "platform/qtpacer.h"
#include "print/cups/qtprinter.h"

#include <QApplication>
#include <QDateTime>

namespace {
QString masterLog()
{
    const QString folder = runningLogFolder();
    return folder.isEmpty() ? QString() : folder + DrawLog::masterLogName;
}

QString resultsBook()
{
    const QString folder = runningLogFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1String(ResultsBook::fileName);
}

QString ticketsFile()
{
    const QString folder = runningLogFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1String(TicketBook::fileName);
}

// The one clock the ticket commands read: the local moment, yyyymmddhhmmss.
int64_t now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    return int64_t(Calendar::dateOf(now.date())) * 1000000 + time.hour() * 10000 + time.minute() * 100 + time.second();
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("drava")); // names the user's data folder
    QCoreApplication::setApplicationVersion(QStringLiteral(DRAVA_VERSION));
    const CommandLine command = CommandLine::parse(argc, argv);
    if (command.action == CommandLine::Done)
        return command.exitCode;
    // The commands that read the log and the book need no display.
    const auto logOf = [&command] { return command.log.isEmpty() ? masterLog() : command.log; };
    const auto bookOf = [&command] { return command.book.isEmpty() ? resultsBook() : command.book; };
    const auto ticketsOf = [&command] { return command.tickets.isEmpty() ? ticketsFile() : command.tickets; };
    switch (command.action) {
    case CommandLine::Check:
        return Commands::check(command, logOf());
    case CommandLine::Stats:
        return Commands::stats(command, logOf());
    case CommandLine::Results:
        return Commands::results(command, logOf(), bookOf());
    case CommandLine::Import:
        return Commands::import(command, bookOf());
    case CommandLine::DrawStats:
        return Commands::drawStats(command, bookOf());
    case CommandLine::Try:
        return Commands::tryLine(command, bookOf());
    case CommandLine::Fetch: {
        const QCoreApplication app(argc, argv); // for the network's event loop
        return Commands::fetch(command, bookOf(), ticketsOf(), now());
    }
    case CommandLine::Buy:
        return Commands::buy(command, ticketsOf(), logOf(), bookOf(), now());
    case CommandLine::Wins:
        return Commands::wins(command, ticketsOf(), bookOf(), now());
    case CommandLine::Receive:
    case CommandLine::Unreceive:
        return Commands::receive(command, ticketsOf(), bookOf());
    case CommandLine::RemoveTicket:
        return Commands::removeTicket(command, ticketsOf());
    default:
        break;
    }

    WindowSystem::preferSocketImages();
    installPopupAccessibility();
    QApplication app(argc, argv);
    app.setDesktopFileName(QStringLiteral("drava")); // ties the window to its entry and icon
    QtPacer pacer;
    // Results fetched by themselves after each draw, from the source set,
    // and what the tickets came to told as they come, and at start the wins
    // whose last day draws near.
    Fetcher fetcher;
    BookFetch fetch(resultsBook(), fetcher);
    fetch.setClock([&pacer] { return pacer.now(); });
    FetchScheduler schedule(resultsBook(), fetch, pacer);
    WinTeller teller(ticketsFile(), resultsBook());
    teller.setClock([&pacer] { return pacer.now(); });
    QObject::connect(&fetch, &BookFetch::drawsEntered, &teller, &WinTeller::tellNews);
    const Fetching fetching{&fetch, &schedule, &teller};
    if (command.action == CommandLine::History) {
        HistoryWindow history(masterLog());
        history.setAttribute(Qt::WA_DeleteOnClose, false);
        history.setFetching(fetching);
        history.show();
        schedule.start();
        teller.remind();
        teller.tellNews();
        return app.exec();
    }
    QtPrinter printer;
    Form1 form(pacer, printer, runningLogFolder());
    form.setFetching(fetching);
    form.show();
    schedule.start();
    teller.remind();
    teller.tellNews();
    return app.exec();
}

#include "commands.h"

#include "analysis/drawstats.h"
#include "analysis/trial.h"
#include "calendar/calendar.h"
#include "fetch/bookfetch.h"
#include "fetch/fetchrecord.h"
#include "files/inputfile.h"
#include "files/heldoutput.h"
#include "history/logfile.h"
#include "notify/desktopnotice.h"
#include "notify/winteller.h"
#include "results/bookfile.h"
#include "results/importfile.h"
#include "results/plays.h"
#include "stats/tally.h"
#include "texts/texts.h"
#include "tickets/ticketfile.h"
#include "tickets/ticketplays.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {
std::string fileName(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// "1 line", "2 lines".
std::string counted(uint64_t count, const char *thing)
{
    return std::to_string(count) + ' ' + thing + (count == 1 ? "" : "s");
}

// "1, 5, 17", and "…" when there were more than were kept, as the window has it.
std::string listed(const NumberList &numbers)
{
    return Texts::listed(numbers).toStdString();
}

// "unreadable lines 2 (1, 1903)"
std::string countedList(const char *what, const NumberList &numbers)
{
    const std::string text = what + (' ' + std::to_string(numbers.count));
    return numbers.empty() ? text : text + " (" + listed(numbers) + ")";
}

// The log's size, which what a command finds in it is held in room for.
uint64_t sizeOf(const QString &logPath)
{
    return uint64_t(std::max<qint64>(QFileInfo(logPath).size(), 0));
}

// Prints what was held; false, the reason said, when it cannot be.
bool printHeld(HeldOutput &out)
{
    if (const int error = out.print(stdout)) {
        std::fprintf(stderr, "drava: cannot print what was found: %s\n", RegularFile::reason(error).c_str());
        return false;
    }
    return true;
}

// The lines that were skipped, on standard error.
void reportSkipped(const char *where, const NumberList &lines)
{
    if (!lines.empty())
        std::fprintf(stderr, "drava: %s%s skipped: %s\n", where, counted(lines.count, "unreadable line").c_str(),
                     listed(lines).c_str());
}

// Reads the whole log into `lines`, a vector or a LineSink; false, the
// reason said, when it cannot be read.
template <typename Lines>
bool readLog(const QString &logPath, LogFile::Position &position, Lines &lines)
{
    if (logPath.isEmpty()) {
        std::fputs("drava: cannot read the log: there is no folder for it\n", stderr);
        return false;
    }
    if (LogFile::readWhole(fileName(logPath), position, lines) != LogFile::Result::Read) {
        std::fprintf(stderr, "drava: cannot read the log %s: %s\n", qPrintable(logPath),
                     RegularFile::reason(position.error).c_str());
        return false;
    }
    return true;
}

BookFile::Read bookAt(const QString &bookPath)
{
    return bookPath.isEmpty() ? BookFile::Read{{}, {}, ENOENT} : BookFile::read(bookPath);
}

// Whether the results book was read; the reason said when it could not be,
// or is none.
bool bookRead(const QString &bookPath, const BookFile::Read &read)
{
    if (read.error == BookFile::notABook)
        std::fprintf(stderr, "drava: %s is not a results book\n", qPrintable(bookPath));
    else if (read.error)
        std::fprintf(stderr, "drava: cannot read the book %s: %s\n", qPrintable(bookPath),
                     qPrintable(BookFile::reason(read.error)));
    return read.error == 0;
}

bool readBook(const QString &bookPath, BookFile::Read &read)
{
    read = bookAt(bookPath);
    return bookRead(bookPath, read);
}

// An import's report, as --import prints it: "added 1, known 1900, …".
std::string importReport(const ResultsBook::Merging &merged, const NumberList &skippedRows,
                         const NumberList &unreadablePrizes)
{
    std::string report = "added " + std::to_string(merged.added) + ", known " + std::to_string(merged.known) + ", "
                         + countedList("conflicting", merged.conflicts) + ", "
                         + countedList("unreadable lines", skippedRows);
    if (!unreadablePrizes.empty())
        report += ", " + countedList("prizes unreadable", unreadablePrizes);
    return report;
}

// "4,200", "-1,000": yen as the totals give them.
std::string yen(int64_t value)
{
    return Texts::yen(value, Texts::Form::CommandLine).toStdString();
}

// Arguments that break the rules, found once the files are read.
int wrongArgument(const std::string &why)
{
    std::fprintf(stderr, "drava: %s\nTry 'drava --help'.\n", why.c_str());
    return 2;
}

// Reads the tickets; false, the reason said, when they cannot be read. A
// missing file is no tickets yet, unless the command line named it.
bool readTickets(const CommandLine &command, const QString &ticketsPath, TicketFile::Read &read)
{
    read = ticketsPath.isEmpty() ? TicketFile::Read{{}, {}, ENOENT} : TicketFile::read(ticketsPath);
    if (read.error == ENOENT && command.tickets.isEmpty())
        read.error = 0;
    if (read.error == TicketFile::notTickets)
        std::fprintf(stderr, "drava: %s is not a tickets file\n", qPrintable(ticketsPath));
    else if (read.error)
        std::fprintf(stderr, "drava: cannot read the tickets %s: %s\n", qPrintable(ticketsPath),
                     qPrintable(TicketFile::reason(read.error)));
    return read.error == 0;
}

// Makes a change to the tickets; the exit status, the failure said.
int changeTickets(const QString &ticketsPath, const TicketFile::Change &change, TicketFile::Update &update)
{
    update = TicketFile::change(ticketsPath, change);
    if (update.read.error == TicketFile::notTickets)
        std::fprintf(stderr, "drava: %s is not a tickets file\n", qPrintable(ticketsPath));
    else if (!update.failure.isEmpty())
        std::fprintf(stderr, "drava: cannot %s the tickets %s: %s\n",
                     update.read.error && update.read.error != ENOENT ? "read" : "write", qPrintable(ticketsPath),
                     qPrintable(update.failure));
    return update.failure.isEmpty() ? 0 : 1;
}
} // namespace

namespace Commands {
// The commands that read the log take its lines a span at a time, as they
// settle.
int check(const CommandLine &command, const QString &logPath)
{
    HeldOutput out(sizeOf(logPath));
    const LineSink sink{[&](LineSpan lines) {
                            const LineSpan span = linesBetween(lines, command.fromDate, command.toDate);
                            for (const LoggedLine *line = span.begin; line != span.end; ++line)
                                if (const int prize = prizeOf(*line, command.draw)) {
                                    line->appendText(out.text);
                                    out.text += {',', char('0' + prize), '\n'};
                                }
                            out.keepWithin();
                        },
                        [&] { out.forget(); }};
    LogFile::Position log;
    if (!readLog(logPath, log, sink) || !printHeld(out))
        return 1;
    reportSkipped("", log.reader.skipped());
    return 0;
}

int stats(const CommandLine &command, const QString &logPath)
{
    Tally tally;
    const LineSink sink{[&](LineSpan lines) { addTo(tally, linesBetween(lines, command.fromDate, command.toDate)); },
                        [&] { tally = Tally(); }};
    LogFile::Position log;
    if (!readLog(logPath, log, sink))
        return 1;
    const Evenness test = evennessOf(tally);
    std::printf("lines %llu\n", static_cast<unsigned long long>(tally.lines));
    for (int n = Game::lowest; n <= Game::highest; ++n)
        std::printf("%d %llu\n", n, static_cast<unsigned long long>(tally.numbers[size_t(n)]));
    std::printf("%s\n", qPrintable(Texts::evenness(test, Texts::Form::CommandLine)));
    reportSkipped("", log.reader.skipped());
    return 0;
}

int results(const CommandLine &command, const QString &logPath, const QString &bookPath)
{
    // The book is read before the log's lines come, but a failure to read
    // it is told only once the log is read, as it always was.
    const BookFile::Read book = bookAt(bookPath);
    HeldOutput out(sizeOf(logPath));
    Plays::Ledger ledger;
    const auto play = [&](const LoggedLine &line, int draw, const DrawResult *result, int tier) {
        ledger.add(book.book, result, tier);
        if (tier) {
            line.appendText(out.text);
            out.text += ',' + std::to_string(draw) + ',' + char('0' + tier) + '\n';
        }
    };
    const LineSink sink{[&](LineSpan lines) {
                            if (book.error == 0)
                                Plays::forEachPlay(book.book, linesBetween(lines, command.fromDate, command.toDate),
                                                   command.draws, play);
                            out.keepWithin();
                        },
                        [&] {
                            out.forget();
                            ledger = Plays::Ledger();
                        }};
    LogFile::Position log;
    if (!readLog(logPath, log, sink) || !bookRead(bookPath, book) || !printHeld(out))
        return 1;
    const auto yen = [](int64_t value) { return static_cast<long long>(value); };
    std::fprintf(stderr, "drava: if every line was bought: %s for %lld yen, won %lld yen, balance %lld yen; %llu waiting for results",
                 counted(ledger.all.lines, "line").c_str(), yen(ledger.all.cost()), yen(ledger.all.won),
                 yen(ledger.all.won - ledger.all.cost()), static_cast<unsigned long long>(ledger.waiting));
    if (ledger.all.unknownPrizes)
        std::fprintf(stderr, "; %s won a prize not in the book", counted(ledger.all.unknownPrizes, "line").c_str());
    std::fputc('\n', stderr);
    reportSkipped("", log.reader.skipped());
    reportSkipped("the book: ", book.book.skipped());
    return 0;
}

int import(const CommandLine &command, const QString &bookPath)
{
    std::string bytes;
    if (const int error = InputFile::readAll(fileName(command.resultFile), bytes, InputFile::mostBytes)) {
        std::fprintf(stderr, "drava: cannot read the result file %s: %s\n", qPrintable(command.resultFile),
                     RegularFile::reason(error).c_str());
        return 1;
    }
    if (bookPath.isEmpty()) {
        std::fputs("drava: cannot write the book: there is no folder for it\n", stderr);
        return 1;
    }
    const ImportFile file = ImportFile::read(bytes);
    const BookFile::Update update = BookFile::merge(bookPath, file.draws);
    if (update.read.error == BookFile::notABook) {
        std::fprintf(stderr, "drava: %s is not a results book\n", qPrintable(bookPath));
        return 1;
    }
    if (!update.failure.isEmpty()) {
        std::fprintf(stderr, "drava: cannot %s the book %s: %s\n", update.read.error && update.read.error != ENOENT ? "read" : "write",
                     qPrintable(bookPath), qPrintable(update.failure));
        return 1;
    }
    std::fprintf(stderr, "drava: %s\n", importReport(update.merging, file.skippedRows, file.unreadablePrizes).c_str());
    return 0;
}

int drawStats(const CommandLine &command, const QString &bookPath)
{
    BookFile::Read book;
    if (!readBook(bookPath, book))
        return 1;
    const DrawStats stats = drawStatsOf(book.book, command.fromDate, command.toDate);
    std::string out = "draws " + std::to_string(stats.draws) + '\n';
    for (size_t n = Game::lowest; n <= Game::highest; ++n)
        out += std::to_string(n) + ' ' + std::to_string(stats.counts[n]) + ' '
               + (stats.gaps[n] == DrawStats::never ? "-" : std::to_string(stats.gaps[n])) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::printf("%s\n", qPrintable(Texts::evenness(stats.evenness, Texts::Form::CommandLine)));
    reportSkipped("the book: ", book.book.skipped());
    return 0;
}

int tryLine(const CommandLine &command, const QString &bookPath)
{
    BookFile::Read book;
    if (!readBook(bookPath, book))
        return 1;
    const Trial trial = tryLine(book.book, command.line, command.fromDate, command.toDate);
    std::string out;
    for (const Trial::Hit &hit : trial.hits) {
        const int64_t prize = hit.draw.prizeOf(hit.tier);
        out += std::to_string(hit.draw.number) + ',' + Calendar::dateText(hit.draw.date) + ',' + char('0' + hit.tier)
               + ',' + (prize == DrawResult::unknown ? "" : std::to_string(prize)) + '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::string summary = "tried against " + counted(trial.draws, "draw") + ": "
                          + Texts::tiers(trial.tiers, Texts::Form::CommandLine).toStdString();
    summary += "; won " + std::to_string(trial.won) + " yen, spent " + std::to_string(trial.cost()) + " yen";
    if (trial.unknownPrizes)
        summary += "; " + counted(trial.unknownPrizes, "win") + " with a prize not in the book";
    std::fprintf(stderr, "drava: %s\n", summary.c_str());
    reportSkipped("the book: ", book.book.skipped());
    return 0;
}
int fetch(const CommandLine &command, const QString &bookPath, const QString &ticketsPath, int64_t now)
{
    const QUrl source = command.source.isEmpty() ? FetchRecord::source() : QUrl(command.source, QUrl::StrictMode);
    if (source.isEmpty()) {
        std::fputs("drava: no source to fetch from: none is set; give --source URL\n", stderr);
        return 2;
    }
    if (!Fetcher::takes(source)) {
        std::fprintf(stderr, "drava: the source %s is not an http:, https: or file: URL\n",
                     qPrintable(source.toDisplayString()));
        return 2;
    }
    if (bookPath.isEmpty()) {
        std::fputs("drava: cannot write the book: there is no folder for it\n", stderr);
        return 1;
    }
    Fetcher fetcher;
    BookFetch fetch(bookPath, fetcher);
    Fetched fetched;
    // The draws the fetch brought, which the tickets' wins are to be told of.
    std::vector<DrawResult> entered;
    QObject::connect(&fetch, &BookFetch::drawsEntered, [&entered](const std::vector<DrawResult> &draws) { entered = draws; });
    QEventLoop loop;
    QObject::connect(&fetch, &BookFetch::finished, &loop, [&](const Fetched &done) {
        fetched = done;
        loop.quit();
    });
    fetch.start(source);
    loop.exec();
    const FetchOutcome outcome = fetched.download.outcome;
    const QString where = source.toDisplayString();
    if (outcome == FetchOutcome::NotModified) {
        std::fprintf(stderr, "drava: %s: %s\n", qPrintable(where),
                     qPrintable(Outcome::english(outcome, fetched.download.detail)));
        return 0;
    }
    if (outcome != FetchOutcome::Imported) {
        std::fprintf(stderr, "drava: cannot fetch %s: %s\n", qPrintable(where),
                     qPrintable(Outcome::english(outcome, fetched.download.detail)));
        const QString changed = FetchRecord::changedText(fetched.last, source);
        if (!changed.isEmpty())
            std::fprintf(stderr, "drava: %s may have changed: %d answers in a row could not be read; the last began:\n%s\n",
                         qPrintable(where), fetched.last.unreadableInARow, qPrintable(fetched.last.returned));
        return 1;
    }
    std::fprintf(stderr, "drava: %s\n",
                 importReport(fetched.update.merging, fetched.skippedRows, fetched.unreadablePrizes).c_str());
    if (entered.empty())
        return 0;
    // The book is up to date: tickets that cannot be read do not undo that.
    const WinTeller::Taken taken = WinTeller::take(ticketsPath, bookPath, int(now / 1000000), WinTeller::Kind::News);
    if (!taken.failure.isEmpty())
        std::fprintf(stderr, "drava: cannot tell the tickets' wins: %s: %s\n", qPrintable(ticketsPath),
                     qPrintable(taken.failure));
    for (const Tiding &t : taken.tidings) {
        if (t.winLine.empty())
            continue;
        std::printf("%s\n", t.winLine.c_str());
        std::fflush(stdout);
        DesktopNotice::send(t.text, QStringLiteral("チケット %1 · %2 行").arg(t.ticket).arg(QChar(t.letter)),
                            DesktopNotice::Wait::ForAnswer);
    }
    return 0;
}

int buy(const CommandLine &command, const QString &ticketsPath, const QString &logPath, const QString &bookPath,
        int64_t now)
{
    Ticket ticket;
    ticket.lines = command.ticketLines;
    ticket.units = command.units;
    ticket.draws = command.draws;
    ticket.firstDraw = command.firstDraw;
    if (std::any_of(ticket.lines.begin(), ticket.lines.end(), [](const TicketLine &l) { return l.logged(); })) {
        LogFile::Position log;
        std::vector<LoggedLine> logged;
        std::string missing;
        if (!readLog(logPath, log, logged))
            return 1;
        if (!findInLog(ticket.lines, logged, missing)) {
            std::fprintf(stderr, "drava: the line %s is not in the log %s\n", missing.c_str(), qPrintable(logPath));
            return 1;
        }
    }
    int64_t moment = 0;
    const std::string why = momentOf(ticket.lines, command.at, now, moment);
    if (!why.empty())
        return wrongArgument("--at: " + why);
    ticket.date = int(moment / 1000000);
    ticket.time = int(moment % 1000000);
    // The book tells the ticket's draws; the default one may not be there yet.
    BookFile::Read book;
    if (command.book.isEmpty() && (bookPath.isEmpty() || !QFile::exists(bookPath)))
        book.error = 0;
    else if (!readBook(bookPath, book))
        return 1;
    if (!book.book.draws().empty() && ticket.firstDraw && ticket.firstDraw < book.book.draws().front().number)
        return wrongArgument("--first-draw " + std::to_string(ticket.firstDraw) + " is before the book's first draw, "
                             + std::to_string(book.book.draws().front().number));
    TicketFile::Update update;
    if (changeTickets(ticketsPath, [&ticket](TicketBook &tickets) { return (ticket.number = tickets.add(ticket)) > 0; }, update))
        return 1;
    const std::string rows = TicketBook::rowsOf(ticket, "\n");
    std::fwrite(rows.data(), 1, rows.size(), stdout);
    const int first = TicketPlays::firstDrawOf(ticket, book.book);
    std::fprintf(stderr, "drava: recorded ticket %d: %s, %s, %s, %s yen; %s\n", ticket.number,
                 counted(ticket.lines.size(), "line").c_str(), counted(uint64_t(ticket.units), "unit").c_str(),
                 counted(uint64_t(ticket.draws), "draw").c_str(), yen(ticket.cost()).c_str(),
                 first ? ("draws " + std::to_string(first) + " to " + std::to_string(first + ticket.draws - 1)).c_str()
                       : "its first draw is not in the book yet");
    return 0;
}

int wins(const CommandLine &command, const QString &ticketsPath, const QString &bookPath, int64_t now)
{
    TicketFile::Read tickets;
    BookFile::Read book;
    if (!readTickets(command, ticketsPath, tickets) || !readBook(bookPath, book))
        return 1;
    if (tickets.tickets.tickets().empty()) {
        std::fprintf(stderr, "drava: no tickets recorded in %s: record them with --buy, or in the history window\n",
                     qPrintable(ticketsPath));
        reportSkipped("the tickets: ", tickets.tickets.skipped());
        return 0;
    }
    const int today = int(now / 1000000);
    std::vector<TicketPlays::Play> won;
    TicketPlays::forEachPlay(tickets.tickets, book.book, today, [&](const TicketPlays::Play &p) {
        const int date = p.date();
        if (p.tier && (!command.fromDate || date >= command.fromDate) && (!command.toDate || date <= command.toDate))
            won.push_back(p);
    });
    std::stable_sort(won.begin(), won.end(), [](const TicketPlays::Play &a, const TicketPlays::Play &b) {
        return a.draw != b.draw ? a.draw < b.draw : a.ticket->number < b.ticket->number;
    });
    std::string out;
    for (const TicketPlays::Play &p : won)
        out += Tidings::winLine(p) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    const TicketPlays::Totals t = TicketPlays::totalsOf(tickets.tickets, book.book, command.fromDate, command.toDate, today);
    std::string totals = "tickets " + std::to_string(t.tickets) + ", lines " + std::to_string(t.lines) + ", plays "
                         + std::to_string(t.plays) + ", spent " + yen(t.spent) + " yen, won " + yen(t.won) + " yen";
    if (t.unknownPrizes)
        totals += " (" + std::to_string(t.unknownPrizes) + (t.unknownPrizes == 1 ? " prize" : " prizes") + " unknown)";
    char returned[32];
    std::snprintf(returned, sizeof returned, t.spent ? "%.1f %%" : "-", t.returned());
    totals += ", balance " + yen(t.balance()) + " yen, return " + returned + ", " + std::to_string(t.waiting)
              + (t.waiting == 1 ? " play" : " plays") + " waiting, unclaimed " + yen(t.unclaimed) + " yen";
    if (t.nearestLastDay)
        totals += " (last day " + Calendar::dateText(t.nearestLastDay) + ")";
    totals += ", lost " + yen(t.lost) + " yen";
    std::fprintf(stderr, "drava: %s\n", totals.c_str());
    reportSkipped("the tickets: ", tickets.tickets.skipped());
    reportSkipped("the book: ", book.book.skipped());
    return 0;
}

int receive(const CommandLine &command, const QString &ticketsPath, const QString &bookPath)
{
    TicketFile::Read tickets;
    BookFile::Read book;
    if (!readTickets(command, ticketsPath, tickets) || !readBook(bookPath, book))
        return 1;
    const bool received = command.action == CommandLine::Receive;
    std::string why;
    TicketFile::Update update;
    const int status = changeTickets(ticketsPath, [&](TicketBook &fresh) {
        bool won = false;
        TicketPlays::forEachPlay(fresh, book.book, 0, [&](const TicketPlays::Play &p) {
            won = won || (p.ticket->number == command.ticket && p.draw == command.drawNumber && p.tier);
        });
        why = !fresh.find(command.ticket) ? "there is no ticket " + std::to_string(command.ticket)
              : !won ? "ticket " + std::to_string(command.ticket) + " won nothing in draw " + std::to_string(command.drawNumber)
                     : "";
        if (won && fresh.isReceived(command.ticket, command.drawNumber) == received)
            return false; // as it is already: nothing to write
        if (won)
            fresh.setReceived(command.ticket, command.drawNumber, received);
        return won;
    }, update);
    if (status)
        return status;
    if (!why.empty()) {
        std::fprintf(stderr, "drava: %s\n", why.c_str());
        return 1;
    }
    std::fprintf(stderr, "drava: ticket %d's win in draw %d marked %s\n", command.ticket, command.drawNumber,
                 received ? "received" : "not received");
    return 0;
}

int removeTicket(const CommandLine &command, const QString &ticketsPath)
{
    TicketFile::Read tickets;
    if (!readTickets(command, ticketsPath, tickets))
        return 1;
    TicketFile::Update update;
    if (changeTickets(ticketsPath, [&command](TicketBook &fresh) { return fresh.remove(command.ticket); }, update))
        return 1;
    if (!update.made) {
        std::fprintf(stderr, "drava: there is no ticket %d\n", command.ticket);
        return 1;
    }
    std::fprintf(stderr, "drava: removed ticket %d\n", command.ticket);
    return 0;
}
} // namespace Commands

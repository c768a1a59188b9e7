#include "commands.h"

#include "analysis/drawstats.h"
#include "analysis/trial.h"
#include "files/inputfile.h"
#include "history/calendar.h"
#include "history/evenness.h"
#include "history/logfile.h"
#include "results/bookfile.h"
#include "results/importfile.h"
#include "results/plays.h"

#include <QFile>

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
    std::string text;
    for (const uint64_t n : numbers.first)
        text += (text.empty() ? "" : ", ") + std::to_string(n);
    return numbers.count > numbers.first.size() ? text + ", …" : text;
}

// "unreadable lines 2 (1, 1903)"
std::string countedList(const char *what, const NumberList &numbers)
{
    const std::string text = what + (' ' + std::to_string(numbers.count));
    return numbers.empty() ? text : text + " (" + listed(numbers) + ")";
}

// Standard output written a block at a time: one string of all the winning
// lines of a large log was copied whole each time it grew.
class BlockOutput
{
public:
    ~BlockOutput() { flush(); }
    BlockOutput &operator+=(const std::string &text)
    {
        block += text;
        if (block.size() >= blockSize)
            flush();
        return *this;
    }
    void flush()
    {
        std::fwrite(block.data(), 1, block.size(), stdout);
        block.clear();
    }

private:
    static constexpr size_t blockSize = 64 * 1024;
    std::string block;
};

// The lines that were skipped, on standard error.
void reportSkipped(const char *where, const NumberList &lines)
{
    if (!lines.empty())
        std::fprintf(stderr, "drava: %s%s skipped: %s\n", where, counted(lines.count, "unreadable line").c_str(),
                     listed(lines).c_str());
}

// The log as a command reads it: each drawn line once, with its last record.
struct ReadLog
{
    LogFile::Position position;
    std::vector<LoggedLine> lines;
};

// Reads the whole log; false, the reason said, when it cannot be read.
bool readLog(const QString &logPath, ReadLog &log)
{
    if (logPath.isEmpty()) {
        std::fputs("drava: cannot read the log: there is no folder for it\n", stderr);
        return false;
    }
    if (LogFile::readWhole(fileName(logPath), log.position, log.lines) != LogFile::Result::Read) {
        std::fprintf(stderr, "drava: cannot read the log %s: %s\n", qPrintable(logPath),
                     RegularFile::reason(log.position.error).c_str());
        return false;
    }
    return true;
}

// Reads the results book; false, the reason said, when it cannot be read
// or is none.
bool readBook(const QString &bookPath, BookFile::Read &read)
{
    read = bookPath.isEmpty() ? BookFile::Read{{}, {}, ENOENT} : BookFile::read(bookPath);
    if (read.error == BookFile::notABook)
        std::fprintf(stderr, "drava: %s is not a results book\n", qPrintable(bookPath));
    else if (read.error)
        std::fprintf(stderr, "drava: cannot read the book %s: %s\n", qPrintable(bookPath),
                     qPrintable(BookFile::reason(read.error)));
    return read.error == 0;
}
} // namespace

namespace Commands {
int check(const CommandLine &command, const QString &logPath)
{
    ReadLog log;
    if (!readLog(logPath, log))
        return 1;
    BlockOutput out;
    const LineSpan span = linesBetween(log.lines, command.fromDate, command.toDate);
    for (const LoggedLine *line = span.begin; line != span.end; ++line)
        if (const int prize = prizeOf(*line, command.draw))
            out += line->text() + ',' + char('0' + prize) + '\n';
    out.flush();
    reportSkipped("", log.position.reader.skipped());
    return 0;
}

int stats(const CommandLine &command, const QString &logPath)
{
    ReadLog log;
    if (!readLog(logPath, log))
        return 1;
    const Tally tally = tallyOf(linesBetween(log.lines, command.fromDate, command.toDate));
    const Evenness test = evennessOf(tally);
    std::printf("lines %llu\n", static_cast<unsigned long long>(tally.lines));
    for (int n = 1; n <= 43; ++n)
        std::printf("%d %llu\n", n, static_cast<unsigned long long>(tally.numbers[size_t(n)]));
    std::printf("chi2 %.2f df %d p %.4g\n", test.chi2, Evenness::degreesOfFreedom, test.p);
    reportSkipped("", log.position.reader.skipped());
    return 0;
}

int results(const CommandLine &command, const QString &logPath, const QString &bookPath)
{
    ReadLog log;
    BookFile::Read book;
    if (!readLog(logPath, log) || !readBook(bookPath, book))
        return 1;
    const LineSpan span = linesBetween(log.lines, command.fromDate, command.toDate);
    BlockOutput out;
    const Plays::Ledger ledger =
        Plays::ledgerOf(book.book, span, command.draws, [&out](const LoggedLine &line, int draw, const DrawResult *, int tier) {
            if (tier)
                out += line.text() + ',' + std::to_string(draw) + ',' + char('0' + tier) + '\n';
        });
    out.flush();
    const auto yen = [](int64_t value) { return static_cast<long long>(value); };
    std::fprintf(stderr, "drava: bought %s for %lld yen, won %lld yen, balance %lld yen; %llu waiting for results",
                 counted(ledger.all.lines, "line").c_str(), yen(ledger.all.cost()), yen(ledger.all.won),
                 yen(ledger.all.won - ledger.all.cost()), static_cast<unsigned long long>(ledger.waiting));
    if (ledger.all.unknownPrizes)
        std::fprintf(stderr, "; %s won a prize not in the book", counted(ledger.all.unknownPrizes, "line").c_str());
    std::fputc('\n', stderr);
    reportSkipped("", log.position.reader.skipped());
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
    const ResultsBook::Merging &merged = update.merging;
    std::string report = "added " + std::to_string(merged.added) + ", known " + std::to_string(merged.known) + ", "
                         + countedList("conflicting", merged.conflicts) + ", "
                         + countedList("unreadable lines", file.skippedRows);
    if (!file.unreadablePrizes.empty())
        report += ", " + countedList("prizes unreadable", file.unreadablePrizes);
    std::fprintf(stderr, "drava: %s\n", report.c_str());
    return 0;
}

int drawStats(const CommandLine &command, const QString &bookPath)
{
    BookFile::Read book;
    if (!readBook(bookPath, book))
        return 1;
    const DrawStats stats = drawStatsOf(book.book, command.fromDate, command.toDate);
    std::string out = "draws " + std::to_string(stats.draws) + '\n';
    for (size_t n = 1; n <= 43; ++n)
        out += std::to_string(n) + ' ' + std::to_string(stats.counts[n]) + ' '
               + (stats.gaps[n] == DrawStats::never ? "-" : std::to_string(stats.gaps[n])) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::printf("chi2 %.2f df %d p %.4g\n", stats.evenness.chi2, Evenness::degreesOfFreedom, stats.evenness.p);
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
    std::string summary = "tried against " + counted(trial.draws, "draw") + ":";
    for (int tier = 1; tier <= 5; ++tier)
        summary += (tier > 1 ? ", tier " : " tier ") + std::to_string(tier) + ' ' + std::to_string(trial.tiers[size_t(tier)]);
    summary += "; won " + std::to_string(trial.won) + " yen, spent " + std::to_string(trial.cost()) + " yen";
    if (trial.unknownPrizes)
        summary += "; " + counted(trial.unknownPrizes, "win") + " with a prize not in the book";
    std::fprintf(stderr, "drava: %s\n", summary.c_str());
    reportSkipped("the book: ", book.book.skipped());
    return 0;
}
} // namespace Commands

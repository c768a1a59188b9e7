#include "commands.h"

#include "history/evenness.h"
#include "history/logfile.h"
#include "files/inputfile.h"
#include "files/regularfile.h"
#include "files/textfile.h"
#include "results/bookfile.h"
#include "results/plays.h"
#include "results/importfile.h"

#include <QFile>

#include <cstdio>

namespace {
std::string fileName(const QString &path)
{
    return QFile::encodeName(path).toStdString();
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
    keepLastOfEach(log.lines);
    return true;
}

// A whole file's bytes; false, the reason said, when it cannot be read.
bool readFile(const char *what, const QString &path, std::string &bytes)
{
    const int error = path.isEmpty() ? ENOENT : InputFile::readAll(fileName(path), bytes, InputFile::mostBytes);
    if (error)
        std::fprintf(stderr, "drava: cannot read %s %s: %s\n", what, qPrintable(path), RegularFile::reason(error).c_str());
    return error == 0;
}

// "1, 5, 17", and "..." when there were more than were kept.
template<typename Numbers>
std::string listed(const Numbers &numbers, uint64_t count)
{
    std::string text;
    for (const auto n : numbers)
        text += (text.empty() ? "" : ", ") + std::to_string(n);
    return count > uint64_t(numbers.size()) ? text + ", ..." : text;
}

// The lines that were skipped, on standard error.
void reportSkipped(const char *where, uint64_t count, const std::vector<uint64_t> &lines)
{
    if (count > 0)
        std::fprintf(stderr, "drava: %s%llu unreadable lines skipped: %s\n", where, static_cast<unsigned long long>(count),
                     listed(lines, count).c_str());
}
} // namespace

namespace Commands {
int check(const CommandLine &command, const QString &logPath)
{
    ReadLog log;
    if (!readLog(logPath, log))
        return 1;
    std::string out;
    const LineSpan span = linesBetween(log.lines, command.fromDate, command.toDate);
    for (const LoggedLine *line = span.begin; line != span.end; ++line)
        if (const int prize = prizeOf(*line, command.draw))
            out += line->text() + ',' + char('0' + prize) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    reportSkipped("", log.position.reader.skippedCount(), log.position.reader.skippedLines());
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
    reportSkipped("", log.position.reader.skippedCount(), log.position.reader.skippedLines());
    return 0;
}

int results(const CommandLine &command, const QString &logPath, const QString &bookPath)
{
    ReadLog log;
    std::string bytes;
    if (!readLog(logPath, log) || !readFile("the book", bookPath, bytes))
        return 1;
    const ResultsBook book = ResultsBook::read(bytes.data(), bytes.size());
    const LineSpan span = linesBetween(log.lines, command.fromDate, command.toDate);
    std::string out;
    const Plays::Ledger ledger =
        Plays::ledgerOf(book, span, command.draws, [&out](const LoggedLine &line, int draw, const DrawResult *, int tier) {
            if (tier)
                out += line.text() + ',' + std::to_string(draw) + ',' + char('0' + tier) + '\n';
        });
    std::fwrite(out.data(), 1, out.size(), stdout);
    const auto yen = [](int64_t value) { return static_cast<long long>(value); };
    std::fprintf(stderr, "drava: bought %llu lines for %lld yen, won %lld yen, balance %lld yen; %llu waiting for results",
                 static_cast<unsigned long long>(ledger.all.lines), yen(ledger.all.cost()), yen(ledger.all.won),
                 yen(ledger.all.won - ledger.all.cost()), static_cast<unsigned long long>(ledger.waiting));
    if (ledger.all.unknownPrizes)
        std::fprintf(stderr, "; %llu won a prize not in the book",
                     static_cast<unsigned long long>(ledger.all.unknownPrizes));
    std::fputc('\n', stderr);
    reportSkipped("", log.position.reader.skippedCount(), log.position.reader.skippedLines());
    reportSkipped("the book: ", book.skippedCount(), book.skippedLines());
    return 0;
}

int import(const CommandLine &command, const QString &bookPath)
{
    std::string bytes;
    if (!readFile("the result file", command.resultFile, bytes))
        return 1;
    if (bookPath.isEmpty()) {
        std::fputs("drava: cannot write the book: there is no folder for it\n", stderr);
        return 1;
    }
    const ImportFile file = ImportFile::read(QByteArray::fromStdString(bytes));
    const BookFile::Update update = BookFile::merge(bookPath, file.draws);
    if (!update.failure.isEmpty()) {
        std::fprintf(stderr, "drava: cannot %s the book %s: %s\n", update.read.error && update.read.error != ENOENT ? "read" : "write",
                     qPrintable(bookPath), qPrintable(update.failure));
        return 1;
    }
    const ResultsBook::Merging &merged = update.merging;
    std::fprintf(stderr, "drava: added %llu, known %llu, conflicting %zu%s, unreadable lines %zu%s\n",
                 static_cast<unsigned long long>(merged.added), static_cast<unsigned long long>(merged.known),
                 merged.conflicts.size(), merged.conflicts.empty() ? "" : (" (" + listed(merged.conflicts, 0) + ")").c_str(),
                 file.skippedLines.size(), file.skippedLines.empty() ? "" : (" (" + listed(file.skippedLines, 0) + ")").c_str());
    return 0;
}
} // namespace Commands

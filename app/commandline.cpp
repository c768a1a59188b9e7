#include "commandline.h"

#include "history/evenness.h"
#include "history/logfile.h"
#include "platform/regularfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QFile>

#include <cstdio>

namespace {
// A date as yyyy/mm/dd, as yyyymmdd; 0 if it is not one.
int readDate(const QString &text)
{
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy/MM/dd"));
    return date.isValid() && text.size() == 10 ? date.year() * 10000 + date.month() * 100 + date.day() : 0;
}

CommandLine wrong(const QString &why)
{
    std::fprintf(stderr, "drava: %s\nTry 'drava --help'.\n", qPrintable(why));
    CommandLine command;
    command.action = CommandLine::Done;
    command.exitCode = 2;
    return command;
}
} // namespace

CommandLine CommandLine::parse(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Draws lottery lines of six numbers from 1 to 43, keeps them in a log and checks them against a draw."));
    // Not addHelpOption(): its --help-all offers Qt's own options, which the
    // window does not take from here.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption history(QStringLiteral("history"), QStringLiteral("Open the history window alone."));
    const QCommandLineOption check(QStringLiteral("check"),
                                   QStringLiteral("Print the logged lines that win against DRAW, six numbers "
                                                  "and the bonus such as 3,7,12,25,31,40+18, each with its prize."),
                                   QStringLiteral("DRAW"));
    const QCommandLineOption stats(QStringLiteral("stats"),
                                   QStringLiteral("Print how often each number came up among the logged lines, and "
                                                  "a test of whether they came up evenly."));
    const QCommandLineOption from(QStringLiteral("from"),
                                  QStringLiteral("With --check or --stats: lines stamped on or after DATE."),
                                  QStringLiteral("yyyy/mm/dd"));
    const QCommandLineOption to(QStringLiteral("to"),
                                QStringLiteral("With --check or --stats: lines stamped on or before DATE."),
                                QStringLiteral("yyyy/mm/dd"));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("With --check or --stats: read FILE, not the master log; - reads "
                                                "standard input, and a pipe is read to its end."),
                                 QStringLiteral("FILE"));
    parser.addOptions({help, history, check, stats, from, to, log});

    CommandLine command;
    if (!parser.parse(arguments))
        return wrong(parser.errorText());
    if (parser.isSet(help) || parser.isSet(version)) {
        QCoreApplication app(argc, argv); // names the program in the help
        std::fputs(qPrintable(parser.isSet(help) ? parser.helpText()
                                                 : app.applicationName() + ' ' + app.applicationVersion() + '\n'),
                   stdout);
        command.action = Done;
        return command;
    }
    if (!parser.positionalArguments().isEmpty())
        return wrong(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    QStringList actions;
    for (const QCommandLineOption &option : {history, check, stats})
        if (parser.isSet(option))
            actions << QStringLiteral("--") + option.names().first();
    if (actions.size() > 1)
        return wrong(QStringLiteral("%1 cannot go together").arg(actions.join(QStringLiteral(" and "))));
    const bool readsLog = parser.isSet(check) || parser.isSet(stats);
    for (const QCommandLineOption &option : {from, to, log})
        if (!readsLog && parser.isSet(option))
            return wrong(QStringLiteral("--%1 goes with --check or --stats").arg(option.names().first()));
    if (parser.isSet(history))
        command.action = History;
    if (parser.isSet(check)) {
        command.action = Check;
        const QString draw = parser.value(check);
        std::string why;
        if (!parseDraw(draw.toStdString(), command.draw, why))
            return wrong(QStringLiteral("the draw '%1': %2").arg(draw, QString::fromStdString(why)));
    }
    if (parser.isSet(stats))
        command.action = Stats;
    for (const auto &[option, date] : {std::pair{from, &command.fromDate}, std::pair{to, &command.toDate}}) {
        if (parser.isSet(option) && !(*date = readDate(parser.value(option))))
            return wrong(QStringLiteral("--%1 takes a date as yyyy/mm/dd, not '%2'")
                             .arg(option.names().first(), parser.value(option)));
    }
    if (command.fromDate && command.toDate && command.fromDate > command.toDate)
        return wrong(QStringLiteral("--from %1 is later than --to %2").arg(parser.value(from), parser.value(to)));
    command.log = parser.value(log);
    return command;
}

namespace {
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
    if (LogFile::readWhole(QFile::encodeName(logPath).toStdString(), log.position, log.lines) != LogFile::Result::Read) {
        std::fprintf(stderr, "drava: cannot read the log %s: %s\n", qPrintable(logPath),
                     RegularFile::reason(log.position.error).c_str());
        return false;
    }
    keepLastOfEach(log.lines);
    return true;
}

// The lines that were skipped, on standard error.
void reportSkipped(const LogReader &reader)
{
    if (reader.skippedCount() == 0)
        return;
    std::string numbers;
    for (const uint64_t n : reader.skippedLines())
        numbers += (numbers.empty() ? "" : ", ") + std::to_string(n);
    if (reader.skippedCount() > reader.skippedLines().size())
        numbers += ", ...";
    std::fprintf(stderr, "drava: %llu unreadable lines skipped: %s\n",
                 static_cast<unsigned long long>(reader.skippedCount()), numbers.c_str());
}
} // namespace

int runCheck(const CommandLine &command, const QString &logPath)
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
    reportSkipped(log.position.reader);
    return 0;
}

int runStats(const CommandLine &command, const QString &logPath)
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
    reportSkipped(log.position.reader);
    return 0;
}

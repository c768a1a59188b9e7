#include "commandline.h"

#include "history/logfile.h"

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
    const QCommandLineOption from(QStringLiteral("from"), QStringLiteral("With --check: lines stamped on or after DATE."),
                                  QStringLiteral("yyyy/mm/dd"));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("With --check: lines stamped on or before DATE."),
                                QStringLiteral("yyyy/mm/dd"));
    const QCommandLineOption log(QStringLiteral("log"), QStringLiteral("With --check: read FILE, not the master log."),
                                 QStringLiteral("FILE"));
    parser.addOptions({help, history, check, from, to, log});

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
    const bool checking = parser.isSet(check);
    for (const QCommandLineOption &option : {from, to, log})
        if (!checking && parser.isSet(option))
            return wrong(QStringLiteral("--%1 goes with --check").arg(option.names().first()));
    if (checking && parser.isSet(history))
        return wrong(QStringLiteral("--check and --history cannot go together"));
    if (checking) {
        command.action = Check;
        const QString draw = parser.value(check);
        std::string why;
        if (!parseDraw(draw.toStdString(), command.draw, why))
            return wrong(QStringLiteral("the draw '%1': %2").arg(draw, QString::fromStdString(why)));
        for (const auto &[option, date] : {std::pair{from, &command.fromDate}, std::pair{to, &command.toDate}}) {
            if (parser.isSet(option) && !(*date = readDate(parser.value(option))))
                return wrong(QStringLiteral("--%1 takes a date as yyyy/mm/dd, not '%2'")
                                 .arg(option.names().first(), parser.value(option)));
        }
        command.log = parser.value(log);
    } else if (parser.isSet(history)) {
        command.action = History;
    }
    return command;
}

int runCheck(const CommandLine &command, const QString &logPath)
{
    LogFile::Position position;
    const LogReader &reader = position.reader;
    std::vector<LoggedLine> lines;
    const std::atomic_bool notCancelled = false;
    const LogFile::Result read = logPath.isEmpty() ? LogFile::Result::Missing
                                                   : LogFile::readMore(QFile::encodeName(logPath).toStdString(),
                                                                       position, lines, notCancelled);
    if (read != LogFile::Result::Read) {
        std::fprintf(stderr, "drava: cannot read the log %s: %s\n",
                     logPath.isEmpty() ? "(there is no folder for it)" : qPrintable(logPath),
                     read == LogFile::Result::Missing ? "it does not exist" : "it cannot be opened");
        return 1;
    }
    keepLastOfEach(lines);

    std::string out;
    const LineSpan span = linesBetween(lines, command.fromDate, command.toDate);
    for (const LoggedLine *line = span.begin; line != span.end; ++line)
        if (const int prize = prizeOf(*line, command.draw))
            out += line->text() + ',' + char('0' + prize) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);

    if (reader.skippedCount() > 0) {
        std::string numbers;
        for (const uint64_t n : reader.skippedLines())
            numbers += (numbers.empty() ? "" : ", ") + std::to_string(n);
        if (reader.skippedCount() > reader.skippedLines().size())
            numbers += ", ...";
        std::fprintf(stderr, "drava: %llu unreadable lines skipped: %s\n",
                     static_cast<unsigned long long>(reader.skippedCount()), numbers.c_str());
    }
    return 0;
}

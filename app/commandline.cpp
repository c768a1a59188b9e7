#include "commandline.h"

#include "results/plays.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>

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
    const QCommandLineOption results(QStringLiteral("results"),
                                     QStringLiteral("Print each logged line that won in a draw it was played for, "
                                                    "with the draw and its prize, and the totals of what was "
                                                    "spent and won, from the results book."));
    const QCommandLineOption import(QStringLiteral("import"),
                                    QStringLiteral("Read a result file (Shift_JIS or UTF-8 CSV) into the results book."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption from(QStringLiteral("from"),
                                  QStringLiteral("With --check, --stats or --results: lines stamped on or after DATE."),
                                  QStringLiteral("yyyy/mm/dd"));
    const QCommandLineOption to(QStringLiteral("to"),
                                QStringLiteral("With --check, --stats or --results: lines stamped on or before DATE."),
                                QStringLiteral("yyyy/mm/dd"));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("With --check, --stats or --results: read FILE, not the master log; "
                                                "- reads standard input, and a pipe is read to its end."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption draws(QStringLiteral("draws"),
                                   QStringLiteral("With --results: each line was played for N draws in a row "
                                                  "(1 to 10; 1 unless told)."),
                                   QStringLiteral("N"));
    const QCommandLineOption book(QStringLiteral("book"),
                                  QStringLiteral("With --results or --import: the results book FILE, not the one "
                                                 "beside the master log."),
                                  QStringLiteral("FILE"));
    parser.addOptions({help, history, check, stats, results, import, from, to, log, draws, book});

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
    for (const QCommandLineOption &option : {history, check, stats, results, import})
        if (parser.isSet(option))
            actions << QStringLiteral("--") + option.names().first();
    if (actions.size() > 1)
        return wrong(QStringLiteral("%1 cannot go together").arg(actions.join(QStringLiteral(" and "))));
    // Each option with the actions it goes with.
    const QString action = actions.value(0);
    const QStringList readers{QStringLiteral("--check"), QStringLiteral("--stats"), QStringLiteral("--results")};
    for (const auto &[option, with] : {std::pair{from, readers}, std::pair{to, readers}, std::pair{log, readers},
                                       std::pair{draws, QStringList{QStringLiteral("--results")}},
                                       std::pair{book, QStringList{QStringLiteral("--results"), QStringLiteral("--import")}}})
        if (parser.isSet(option) && !with.contains(action))
            return wrong(QStringLiteral("--%1 goes with %2")
                             .arg(option.names().first(), with.size() == 1 ? with.first()
                                                                             : QStringList(with.mid(0, with.size() - 1)).join(QStringLiteral(", "))
                                                                                   + QStringLiteral(" or ") + with.last()));
    if (parser.isSet(history))
        command.action = History;
    if (parser.isSet(results))
        command.action = Results;
    if (parser.isSet(import)) {
        command.action = Import;
        command.resultFile = parser.value(import);
    }
    if (parser.isSet(draws)) {
        bool number = false;
        command.draws = parser.value(draws).toInt(&number);
        if (!number || command.draws < 1 || command.draws > Plays::mostDraws)
            return wrong(QStringLiteral("--draws takes a number from 1 to %1, not '%2'")
                             .arg(Plays::mostDraws).arg(parser.value(draws)));
    }
    command.book = parser.value(book);
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

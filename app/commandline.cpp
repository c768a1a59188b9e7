#include "commandline.h"

#include "calendar/calendar.h"
#include "fetch/fetcher.h"
#include "rules/game.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>

#include <cstdio>

namespace {
// A date as yyyy/mm/dd, as yyyymmdd; 0 if it is not one.
int readDate(const QString &text)
{
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy/MM/dd"));
    return date.isValid() && text.size() == 10 ? Calendar::dateOf(date) : 0;
}

CommandLine wrong(const QString &why)
{
    std::fprintf(stderr, "drava: %s\nTry 'drava --help'.\n", qPrintable(why));
    CommandLine command;
    command.action = CommandLine::Done;
    command.exitCode = 2;
    return command;
}

QCommandLineOption option(const char *name, const char *description, const char *value = nullptr)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description),
                              value ? QString::fromLatin1(value) : QString());
}

// "--check, --stats or --results"
QString either(const QStringList &names)
{
    return names.size() == 1 ? names.first()
                             : names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") + names.last();
}

// The program's options, and the rules of what goes with what.
struct Options
{
    Options()
    {
        parser.setApplicationDescription(QStringLiteral(
            "Draws lottery lines of six numbers from 1 to 43, keeps them in a log and checks them against a draw."));
        // Not addHelpOption(): its --help-all offers Qt's own options, which
        // the window does not take from here.
        parser.addOptions({help, history, check, stats, results, import, drawStats, tryLine, fetch, from, to, log, draws, book,
                           source, tickets});
    }

    QCommandLineParser parser;
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")};
    const QCommandLineOption history = option("history", "Open the history window alone.");
    const QCommandLineOption check = option(
        "check", "Print the logged lines that win against DRAW, six numbers and the bonus such as "
                 "3,7,12,25,31,40+18, each with its prize.", "DRAW");
    const QCommandLineOption stats = option(
        "stats", "Print how often each number came up among the logged lines, and a test of whether they came "
                 "up evenly.");
    const QCommandLineOption results = option(
        "results", "Print each logged line that won in a draw it was played for, with the draw and its prize, "
                   "and the totals of what was spent and won, from the results book.");
    const QCommandLineOption import = option(
        "import", "Read a result file (Shift_JIS or UTF-8 CSV) into the results book; - reads standard input.",
        "FILE");
    const QCommandLineOption drawStats = option(
        "draw-stats", "Print how often each number was drawn in the draws of the results book, how many draws "
                      "ago each last came, and a test of whether they came evenly.");
    const QCommandLineOption tryLine = option(
        "try", "Print each draw of the results book that LINE, six numbers such as 3,7,12,25,31,40, would have "
               "won, with its date, its tier and its prize.", "LINE");
    const QCommandLineOption fetch = option(
        "fetch", "Fetch the result file from the source set, or the one --source gives, into "
                 "the results book, as --import reads a file.");
    const QCommandLineOption from = option(
        "from", "With --check, --stats or --results: lines stamped on or after DATE; with --draw-stats or "
                "--try: draws held on or after DATE.", "yyyy/mm/dd");
    const QCommandLineOption to = option(
        "to", "With --check, --stats or --results: lines stamped on or before DATE; with --draw-stats or "
              "--try: draws held on or before DATE.", "yyyy/mm/dd");
    const QCommandLineOption log = option(
        "log", "With --check, --stats or --results: read FILE, not the master log; - reads standard input, "
               "and a pipe is read to its end.", "FILE");
    const QCommandLineOption draws = option(
        "draws", "With --results: each line was played for N draws in a row (1 to 10; 1 unless told).", "N");
    const QCommandLineOption book = option(
        "book", "With --results, --import, --draw-stats, --try or --fetch: the results book FILE, not the one "
                "beside the master log.", "FILE");
    const QCommandLineOption source = option(
        "source", "With --fetch: fetch from URL (http:, https: or file:), not from the source set.", "URL");
    const QCommandLineOption tickets = option(
        "tickets", "With --fetch: the tickets FILE, not the one beside the master log.", "FILE");

    // Each action's option, read both ways: the action an option asks for,
    // and the option that names an action.
    const std::pair<const QCommandLineOption &, CommandLine::Action> actions[8] = {
        {history, CommandLine::History}, {check, CommandLine::Check},   {stats, CommandLine::Stats},
        {results, CommandLine::Results}, {import, CommandLine::Import}, {drawStats, CommandLine::DrawStats},
        {tryLine, CommandLine::Try},     {fetch, CommandLine::Fetch}};

    // What the arguments ask of the program, or why they cannot be.
    QString read(CommandLine &command) const
    {
        QString why = eachOnce();
        if (why.isEmpty())
            why = oneAction(command.action);
        if (why.isEmpty())
            why = eachWithItsAction(command.action);
        if (why.isEmpty())
            why = values(command);
        return why;
    }

private:
    // An option given twice would keep one of the two without a word; a
    // file named "" would be taken as none named, and the default used.
    QString eachOnce() const
    {
        const QStringList names = parser.optionNames();
        for (const QString &name : names) {
            const QString option = QStringLiteral("--") + (name == QLatin1String("h") ? QStringLiteral("help") : name);
            if (names.count(name) > 1)
                return QStringLiteral("%1 is given twice").arg(option);
        }
        for (const QCommandLineOption *file : {&import, &log, &book, &tickets})
            if (parser.isSet(*file) && parser.value(*file).isEmpty())
                return QStringLiteral("--%1 takes a file's name, not an empty one").arg(file->names().first());
        return QString();
    }

    QString oneAction(CommandLine::Action &action) const
    {
        if (!parser.positionalArguments().isEmpty())
            return QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
        QStringList named;
        for (const auto &[option, asked] : actions)
            if (parser.isSet(option)) {
                named << QStringLiteral("--") + option.names().first();
                action = asked;
            }
        return named.size() > 1 ? QStringLiteral("%1 cannot go together").arg(named.join(QStringLiteral(" and ")))
                                : QString();
    }

    QString eachWithItsAction(CommandLine::Action action) const
    {
        using A = CommandLine::Action;
        const std::vector<A> ranged{A::Check, A::Stats, A::Results, A::DrawStats, A::Try};
        const std::pair<const QCommandLineOption &, std::vector<A>> rules[] = {
            {from, ranged}, {to, ranged}, {log, {A::Check, A::Stats, A::Results}}, {draws, {A::Results}},
            {book, {A::Results, A::Import, A::DrawStats, A::Try, A::Fetch}}, {source, {A::Fetch}},
            {tickets, {A::Fetch}}};
        for (const auto &[option, with] : rules) {
            if (!parser.isSet(option) || std::count(with.begin(), with.end(), action))
                continue;
            QStringList names;
            for (const A a : with)
                names << actionName(a);
            return QStringLiteral("--%1 goes with %2").arg(option.names().first(), either(names));
        }
        return QString();
    }

    QString actionName(CommandLine::Action action) const
    {
        for (const auto &[option, named] : actions)
            if (named == action)
                return QStringLiteral("--") + option.names().first();
        return QString();
    }

    QString values(CommandLine &command) const
    {
        command.resultFile = parser.value(import);
        command.book = parser.value(book);
        command.log = parser.value(log);
        command.source = parser.value(source);
        command.tickets = parser.value(tickets);
        if (parser.isSet(source) && !Fetcher::takes(QUrl(command.source, QUrl::StrictMode)))
            return QStringLiteral("--source takes an http:, https: or file: URL, not '%1'").arg(command.source);
        if (parser.isSet(draws)) {
            bool number = false;
            command.draws = parser.value(draws).toInt(&number);
            if (!number || command.draws < 1 || command.draws > Game::mostDraws)
                return QStringLiteral("--draws takes a number from 1 to %1, not '%2'")
                    .arg(Game::mostDraws)
                    .arg(parser.value(draws));
        }
        std::string why;
        if (parser.isSet(check) && !parseDraw(parser.value(check).toStdString(), command.draw, why))
            return QStringLiteral("the draw '%1': %2").arg(parser.value(check), QString::fromStdString(why));
        if (parser.isSet(tryLine) && !parseLine(parser.value(tryLine).toStdString(), command.line, why))
            return QStringLiteral("the line '%1': %2").arg(parser.value(tryLine), QString::fromStdString(why));
        for (const auto &[option, date] : {std::pair{&from, &command.fromDate}, std::pair{&to, &command.toDate}})
            if (parser.isSet(*option) && !(*date = readDate(parser.value(*option))))
                return QStringLiteral("--%1 takes a date as yyyy/mm/dd, not '%2'")
                    .arg(option->names().first(), parser.value(*option));
        if (command.fromDate && command.toDate && command.fromDate > command.toDate)
            return QStringLiteral("--from %1 is later than --to %2").arg(parser.value(from), parser.value(to));
        return QString();
    }
};
} // namespace

CommandLine CommandLine::parse(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    Options options;
    if (!options.parser.parse(arguments)) {
        // In the form of the program's own messages: "unknown option 'chek'".
        QString why = options.parser.errorText();
        if (why.endsWith(QLatin1Char('.')))
            why.chop(1);
        return wrong(why.left(1).toLower() + why.mid(1));
    }
    CommandLine command;
    if (options.parser.isSet(options.help) || options.parser.isSet(options.version)) {
        QCoreApplication app(argc, argv); // names the program in the help
        std::fputs(qPrintable(options.parser.isSet(options.help)
                                  ? options.parser.helpText()
                                  : app.applicationName() + ' ' + app.applicationVersion() + '\n'),
                   stdout);
        command.action = Done;
        return command;
    }
    const QString why = options.read(command);
    return why.isEmpty() ? command : wrong(why);
}

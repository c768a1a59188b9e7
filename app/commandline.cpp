#include "commandline.h"

#include "calendar/calendar.h"
#include "fetch/fetcher.h"
#include "rules/game.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>

#include <cstdio>
#include <limits>

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
        parser.addOptions({help, history, check, stats, results, import, drawStats, tryLine, fetch, buy, wins, receive,
                           unreceive, removeTicket, from, to, log, draws, units, firstDraw, at, book, source, tickets});
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
                   "and the totals if every line was bought, from the results book.");
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
        "fetch", "Fetch the result file from the source set (in the history window, 結果の取得元), or the one "
                 "--source gives, into the results book, as --import reads a file; print each new win of the tickets "
                 "as --wins prints it, and show it on the desktop when there is a session bus.");
    const QCommandLineOption buy = option(
        "buy", "Record a ticket as bought: up to five LINES separated by ;, each a logged line by its stamp and "
               "letter, yyyy/mm/dd,hh:mm:ss,L, or six numbers such as 3,7,12,25,31,40; print it with its number.",
        "LINES");
    const QCommandLineOption wins = option(
        "wins", "Print each winning play of the tickets, with its prize, its last day to claim and whether it was "
                "received, and the totals of what the tickets cost and won.");
    const QCommandLineOption receive = option(
        "receive", "Mark the ticket's win in the draw numbered DRAWNO received.", "TICKET:DRAWNO");
    const QCommandLineOption unreceive = option(
        "unreceive", "Mark the ticket's win in the draw numbered DRAWNO not received.", "TICKET:DRAWNO");
    const QCommandLineOption removeTicket = option(
        "remove-ticket", "Remove the ticket numbered TICKET, as one recorded by mistake.", "TICKET");
    const QCommandLineOption from = option(
        "from", "With --check, --stats or --results: lines stamped on or after DATE; with --draw-stats or "
                "--try: draws held on or after DATE; with --wins: plays of draws held on or after DATE, and "
                "those waiting of tickets bought then.", "yyyy/mm/dd");
    const QCommandLineOption to = option(
        "to", "With --check, --stats or --results: lines stamped on or before DATE; with --draw-stats or "
              "--try: draws held on or before DATE; with --wins: as --from.", "yyyy/mm/dd");
    const QCommandLineOption log = option(
        "log", "With --check, --stats or --results: read FILE, not the master log; - reads standard input, "
               "and a pipe is read to its end. With --buy: find the logged lines in FILE.", "FILE");
    const QCommandLineOption draws = option(
        "draws", "With --results: each line was played for N draws in a row; with --buy: the ticket is for N "
                 "draws in a row (1 to 10; 1 unless told).", "N");
    const QCommandLineOption units = option(
        "units", "With --buy: the ticket is bought in U units (1 to 10; 1 unless told).", "U");
    const QCommandLineOption firstDraw = option(
        "first-draw", "With --buy: the ticket's first draw is the one numbered N, not the one its moment gives.",
        "N");
    const QCommandLineOption at = option(
        "at", "With --buy: the ticket counts from this moment, not from its logged lines' stamps or now.",
        "yyyy/mm/dd,hh:mm:ss");
    const QCommandLineOption book = option(
        "book", "With --results, --import, --draw-stats, --try, --fetch, --buy, --wins, --receive or --unreceive: "
                "the results book FILE, not the one beside the master log.", "FILE");
    const QCommandLineOption source = option(
        "source", "With --fetch: fetch from URL (http:, https: or file:), not from the source set.", "URL");
    const QCommandLineOption tickets = option(
        "tickets", "With --buy, --wins, --receive, --unreceive, --remove-ticket or --fetch: the tickets file FILE, "
                   "not the one beside the master log.", "FILE");

    // Each action's option, read both ways: the action an option asks for,
    // and the option that names an action.
    const std::pair<const QCommandLineOption &, CommandLine::Action> actions[13] = {
        {history, CommandLine::History}, {check, CommandLine::Check},   {stats, CommandLine::Stats},
        {results, CommandLine::Results}, {import, CommandLine::Import}, {drawStats, CommandLine::DrawStats},
        {tryLine, CommandLine::Try},     {fetch, CommandLine::Fetch},   {buy, CommandLine::Buy},
        {wins, CommandLine::Wins},       {receive, CommandLine::Receive}, {unreceive, CommandLine::Unreceive},
        {removeTicket, CommandLine::RemoveTicket}};

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
        const std::vector<A> ranged{A::Check, A::Stats, A::Results, A::DrawStats, A::Try, A::Wins};
        const std::pair<const QCommandLineOption &, std::vector<A>> rules[] = {
            {from, ranged}, {to, ranged}, {log, {A::Check, A::Stats, A::Results, A::Buy}}, {draws, {A::Results, A::Buy}},
            {book, {A::Results, A::Import, A::DrawStats, A::Try, A::Fetch, A::Buy, A::Wins, A::Receive, A::Unreceive}},
            {units, {A::Buy}}, {firstDraw, {A::Buy}}, {at, {A::Buy}}, {source, {A::Fetch}},
            {tickets, {A::Buy, A::Wins, A::Receive, A::Unreceive, A::RemoveTicket, A::Fetch}}};
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
        return ticketValues(command);
    }

    // A number from `least` to `most`, as the option's value or its part.
    static bool readNumber(const QString &text, int least, int most, int &n)
    {
        bool number = false;
        n = text.toInt(&number);
        return number && n >= least && n <= most && !text.startsWith(QLatin1Char('+'));
    }

    QString ticketValues(CommandLine &command) const
    {
        command.tickets = parser.value(tickets);
        std::string why;
        if (parser.isSet(buy) && !parseTicketLines(parser.value(buy).toStdString(), command.ticketLines, why))
            return QStringLiteral("--buy: %1").arg(QString::fromStdString(why));
        if (parser.isSet(units) && !readNumber(parser.value(units), 1, Game::mostUnits, command.units))
            return QStringLiteral("--units takes a number from 1 to %1, not '%2'").arg(Game::mostUnits).arg(parser.value(units));
        if (parser.isSet(firstDraw) && parser.isSet(at))
            return QStringLiteral("--first-draw and --at cannot go together");
        if (parser.isSet(firstDraw) && !readNumber(parser.value(firstDraw), 1, std::numeric_limits<int>::max() / 2, command.firstDraw))
            return QStringLiteral("--first-draw takes a draw's number, not '%1'").arg(parser.value(firstDraw));
        if (parser.isSet(at)) {
            const QDateTime moment = QDateTime::fromString(parser.value(at), QStringLiteral("yyyy/MM/dd,HH:mm:ss"));
            if (!moment.isValid() || parser.value(at).size() != 19)
                return QStringLiteral("--at takes a moment as yyyy/mm/dd,hh:mm:ss, not '%1'").arg(parser.value(at));
            command.at = int64_t(Calendar::dateOf(moment.date())) * 1000000 + moment.time().hour() * 10000
                         + moment.time().minute() * 100 + moment.time().second();
        }
        for (const QCommandLineOption *win : {&receive, &unreceive})
            if (parser.isSet(*win)) {
                const QStringList parts = parser.value(*win).split(QLatin1Char(':'));
                if (parts.size() != 2 || !readNumber(parts[0], 1, std::numeric_limits<int>::max(), command.ticket)
                    || !readNumber(parts[1], 1, std::numeric_limits<int>::max(), command.drawNumber))
                    return QStringLiteral("--%1 takes a ticket's number and a draw's, TICKET:DRAWNO, not '%2'")
                        .arg(win->names().first(), parser.value(*win));
            }
        if (parser.isSet(removeTicket) && !readNumber(parser.value(removeTicket), 1, std::numeric_limits<int>::max(), command.ticket))
            return QStringLiteral("--remove-ticket takes a ticket's number, not '%1'").arg(parser.value(removeTicket));
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

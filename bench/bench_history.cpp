// Reading a master log of years, 200 MB, against awk counting one field of
// it, the yardstick, and `wc -l`, the floor no reader of lines beats: `drava --check`
// and `drava --results` against a results book of 2,000 draws on it, and the
// history window opened on it from the main window, to its first lines and
// to the whole log read and charted, without the book and with it; and the
// memory the history holds for each record. Also the import of a result file
// of those 2,000 draws, and `drava --wins` with 1,000 tickets against the
// book. Run it on an X server; DRAVA_THREADS=N limits the
// threads that read the log, for the program and the window alike. The log
// is of one of two shapes (bench/biglog.h): every batch saved twice, the
// second time sorted ("sorted", the default), or a repeat run's ("repeat").
// The programs run in turns, awk's beside Drava's, so that a machine busy
// with something else slows them alike.
// Usage: bench_history DRAVA [runs] [sorted|repeat]
#include "biglog.h"
#include "bigtickets.h"
#include "historyload.h"

#include "app/form1.h"
#include "history/logpieces.h"
#include "log/drawlog.h"
#include "platform/qtpacer.h"
#include "platform/windowsystem.h"
#include "print/cups/qtprinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QStringEncoder>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <random>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
double now()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The wall time of a program run to its end, its output thrown away.
double timeRun(std::vector<const char *> argv)
{
    argv.push_back(nullptr);
    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execvp(argv[0], const_cast<char *const *>(argv.data()));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "%s failed\n", argv[0]);
    return now() - start;
}

// The median wall time of each program, run in turns `runs` times after
// once to warm them.
std::vector<double> medianRuns(const std::vector<std::vector<const char *>> &programs, int runs)
{
    std::vector<std::vector<double>> times(programs.size());
    for (int i = 0; i <= runs; ++i)
        for (size_t k = 0; k < programs.size(); ++k) {
            const double time = timeRun(programs[k]);
            if (i > 0)
                times[k].push_back(time);
        }
    std::vector<double> medians;
    for (const std::vector<double> &each : times)
        medians.push_back(median(each));
    return medians;
}

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// A result file as a site publishes it, Shift_JIS with a header: 2,000 draws,
// twice a week from the log's first Monday. The same draws as the results book.
void writeResults(const QString &resultFile, const QString &book)
{
    QString rows = QStringLiteral("回別,抽せん日,本数字1,本数字2,本数字3,本数字4,本数字5,本数字6,ボーナス数字,"
                                  "1等口数,2等口数,3等口数,4等口数,5等口数,1等賞金,2等賞金,3等賞金,4等賞金,5等賞金,"
                                  "キャリーオーバー\r\n");
    QByteArray records;
    std::mt19937 random(1901);
    QDate day(2016, 1, 4);
    for (int number = 1; number <= 2000; ++number, day = day.addDays(day.dayOfWeek() == 1 ? 3 : 4)) {
        std::vector<int> all(43);
        std::iota(all.begin(), all.end(), 1);
        std::shuffle(all.begin(), all.end(), random);
        std::sort(all.begin(), all.begin() + 6);
        QStringList fields{QStringLiteral("第%1回").arg(number), day.toString(QStringLiteral("yyyy/MM/dd"))};
        for (int k = 0; k < 7; ++k)
            fields << QString::number(all[size_t(k)]);
        fields << "0" << "3" << "150" << "8000" << "140000" << "\"200,000,000円\"" << "\"10,000,000円\""
               << "\"300,000円\"" << "\"6,800円\"" << "\"1,000円\"" << "0円";
        rows += fields.join(',') + "\r\n";
        records += QStringLiteral("%1,%2,%3,200000000,10000000,300000,6800,1000\r\n")
                       .arg(number).arg(fields[1]).arg(fields.mid(2, 7).join(',')).toLatin1();
    }
    QFile file(resultFile), bookFile(book);
    QStringEncoder shiftJis("Shift_JIS");
    if (!file.open(QIODevice::WriteOnly) || !file.write(shiftJis(rows)) || !bookFile.open(QIODevice::WriteOnly)
        || !bookFile.write(records))
        std::perror("writing the results");
}

void wait(int msec)
{
    QEventLoop loop;
    QTimer::singleShot(msec, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DRAVA [runs] [sorted|repeat]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    const LogShape shape = argc > 3 && std::strcmp(argv[3], "repeat") == 0 ? LogShape::repeatRun
                                                                          : LogShape::savedTwiceSorted;
    QTemporaryDir folder;
    const std::string path = folder.filePath(DrawLog::masterLogName).toStdString();
    const BigLog big = writeBigLog(path, 200 * 1000 * 1000, shape);
    if (big.records == 0)
        return 1;

    const unsigned threads = LogPieces::optionsFor(LogPieces::Reader::command).threads;
    std::printf("a %.0f MB log of %llu records, %llu lines, %s; read on %u thread%s, in the history window on %u\n",
                big.bytes / 1e6, static_cast<unsigned long long>(big.records),
                static_cast<unsigned long long>(big.lines), shapeName(shape), threads, threads == 1 ? "" : "s",
                LogPieces::optionsFor(LogPieces::Reader::window).threads);
    const QString book = folder.filePath("book.csv"), results = folder.filePath("results.csv");
    writeResults(results, book);
    // What the tickets alone bought and won: no longer than --results.
    const QString tickets = folder.filePath("tickets.csv");
    QFile ticketsFile(tickets);
    const std::string ticketRows = thousandTickets(20160104, 3650);
    if (!ticketsFile.open(QIODevice::WriteOnly) || !ticketsFile.write(ticketRows.data(), qint64(ticketRows.size())))
        std::perror("writing the tickets");
    ticketsFile.close();
    const std::vector<double> times =
        medianRuns({{"awk", "-F,", "{c[$4]++}", path.c_str()},
                    {"wc", "-l", path.c_str()},
                    {argv[1], "--check", "3,7,12,25,31,40+18", "--log", path.c_str()},
                    {argv[1], "--results", "--log", path.c_str(), "--book", qPrintable(book)},
                    {argv[1], "--wins", "--tickets", qPrintable(tickets), "--book", qPrintable(book)}},
                   runs);
    const double awk = times[0], wc = times[1], check = times[2], resultsRun = times[3], winsRun = times[4];
    std::printf("awk -F, '{c[$4]++}' on it, warm, median of %d: %.0f ms\n", runs, awk);
    std::printf("wc -l on it, the floor: %.0f ms, %.2f times awk's\n", wc, wc / awk);
    std::printf("drava --check on it: %.0f ms, %.2f times awk's (target 0.25 at most), %.1f times wc's\n", check,
                check / awk, check / wc);
    std::printf("drava --results on it, against a book of 2,000 draws: %.0f ms, %.2f times awk's "
                "(target 0.3 at most), %.1f times wc's\n", resultsRun, resultsRun / awk, resultsRun / wc);
    std::printf("drava --wins with 1,000 tickets against that book: %.0f ms, %.2f times --results' "
                "(target 1 at most)\n", winsRun, winsRun / resultsRun);
    std::vector<double> imports;
    for (int i = 0; i < runs; ++i) {
        QFile::remove(folder.filePath("imported.csv"));
        imports.push_back(timeRun({argv[1], "--import", qPrintable(results), "--book", qPrintable(folder.filePath("imported.csv"))}));
    }
    std::printf("drava --import of a Shift_JIS result file of 2,000 draws into a new book, median of %d: %.0f ms\n",
                runs, median(imports));
    std::fflush(stdout);

    WindowSystem::preferSocketImages(); // as the program does
    QApplication app(argc, argv);
    QtPacer pacer;
    QtPrinter printer(folder.filePath("unused.pdf"));
    Form1 form(pacer, printer, folder.path());
    form.show();
    wait(1000); // the window's first paint and whatever start-up leaves
    const double mainWindow = peakMiB();

    std::vector<double> firstRows, loaded;
    double withHistory = 0;
    const auto openAgainAndAgain = [&] {
        for (int i = 0; i < runs; ++i) {
            QEventLoop loop;
            const double start = now();
            HistoryWindow *window = openHistory(
                form, [&] { firstRows.push_back(now() - start); },
                [&] {
                    loaded.push_back(now() - start);
                    loop.quit();
                });
            loop.exec();
            if (i == 0)
                withHistory = peakMiB();
            delete window;
            wait(200);
        }
    };
    openAgainAndAgain();
    std::printf("history window on it, median of %d: first lines shown %.0f ms, %.3f of awk's (target 0.1 at most); "
                "whole log read, one record a line, charted %.0f ms, %.2f of awk's (target 0.3 at most), %.1f times "
                "wc's\n",
                runs, median(firstRows), median(firstRows) / awk, median(loaded), median(loaded) / awk,
                median(loaded) / wc);
    std::printf("peak resident memory: main window %.1f MiB, with the history loaded %.1f MiB: %.1f bytes a record "
                "(target 20 at most)\n",
                mainWindow, withHistory, (withHistory - mainWindow) * 1024 * 1024 / double(big.records));

    // The results book beside the log, as the window finds it.
    const std::vector<double> withoutBook = firstRows;
    firstRows.clear();
    loaded.clear();
    QFile::copy(book, folder.filePath("KelpResults.csv"));
    openAgainAndAgain();
    std::printf("history window with a book of 2,000 draws, median of %d: first lines shown %.0f ms, without it "
                "%.0f ms\n", runs, median(firstRows), median(withoutBook));
    return 0;
}

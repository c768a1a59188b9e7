// What real draws cost and how true their pacing is, on the window system in
// use (run it on an X server): CPU time as a share of wall time, and how far
// each roll step strays from 50 ms and each hold from 500 ms. With
// --history, the same draws again with the history window opened once on a
// 200 MB log, as a user would, and again while it reads that log over and
// over: a draw must keep its pace however long that takes.
// Usage: bench_draw [draws] [--history]
#include "biglog.h"
#include "historyload.h"

#include "app/form1.h"
#include "log/drawlog.h"
#include "platform/windowsystem.h"
#include "platform/qtpacer.h"
#include "print/cups/qtprinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[std::min(values.size() - 1, size_t(p * values.size()))];
}
} // namespace

int main(int argc, char *argv[])
{
    WindowSystem::preferSocketImages(); // as the program does
    QApplication app(argc, argv);
    const int draws = argc > 1 ? std::atoi(argv[1]) : 20;
    const bool history = argc > 2 && QByteArray(argv[2]) == "--history";
    QTemporaryDir folder;
    QtPacer pacer;
    QtPrinter printer(folder.filePath("unused.pdf"));
    Form1 form(pacer, printer, folder.path());
    form.show();
    // The window's first paint is start-up's, not a draw's.
    QEventLoop settle;
    QTimer::singleShot(1000, &settle, &QEventLoop::quit);
    settle.exec();

    // Every roll tick, timed from outside: the gap since the last one ended
    // (less the 50 ms interval), and for a tick that stops on a number, the
    // length of its hold (less 500 ms).
    QElapsedTimer clock;
    clock.start();
    std::vector<double> steps, holds;
    double lastEnd = -1;
    const auto roll = form.controls.TimerS->onTick;
    form.controls.TimerS->onTick = [&] {
        const double at = clock.nsecsElapsed() / 1e6;
        const bool stops = form.state.drawTarget > 0 && form.state.rollValue % 43 + 1 == form.state.drawTarget;
        if (lastEnd >= 0)
            steps.push_back(at - lastEnd - 50);
        roll();
        lastEnd = clock.nsecsElapsed() / 1e6;
        if (stops)
            holds.push_back(lastEnd - at - 500);
    };

    double cpu = 0, wall = 0;
    const auto run = [&] {
        steps.clear();
        holds.clear();
        cpu = wall = 0;
        for (int i = 0; i < draws; ++i) {
            lastEnd = -1;
            const double cpuBefore = cpuSeconds(), wallBefore = clock.nsecsElapsed() / 1e9;
            form.lines.Command_Click(i % 5);
            cpu += cpuSeconds() - cpuBefore;
            wall += clock.nsecsElapsed() / 1e9 - wallBefore;
        }
    };
    run();
    std::printf("draw CPU over %d draws: %.3f s of CPU in %.1f s, %.2f %% (target 0.5 %% at most)\n", draws, cpu,
                wall, 100 * cpu / wall);
    std::printf("roll steps, %zu: deviation from 50 ms median %.2f ms, 99th percentile %.2f ms\n", steps.size(),
                percentile(steps, 0.5), percentile(steps, 0.99));
    std::printf("holds, %zu: deviation from 500 ms median %.2f ms, 99th percentile %.2f ms\n", holds.size(),
                percentile(holds, 0.5), percentile(holds, 0.99));
    if (!history)
        return 0;

    // The log Save writes to, so that the window opens on it as it would.
    const std::string log = folder.filePath(DrawLog::masterLogName).toStdString();
    const BigLog big = writeBigLog(log + ".1", 200 * 1000 * 1000);
    writeBigLog(log + ".2", 200 * 1000 * 1000);
    const double quiet = percentile(steps, 0.99);
    int loads = 0, copies = 0;
    bool again = false, drawing = true;
    const auto putBack = [&] {
        const std::string copy = log + (copies++ % 2 ? ".2" : ".1");
        if (::link(copy.c_str(), (log + ".new").c_str()) != 0 || ::rename((log + ".new").c_str(), log.c_str()) != 0)
            std::perror("putting the log back");
    };
    putBack();

    // Opened once, as a user would: a second into the first draw, and read
    // while the draws go on. The steps taken while it read are told apart.
    double opened = 0, opening = 0, read = 0;
    QTimer::singleShot(1000, &form, [&] {
        opened = clock.nsecsElapsed() / 1e6;
        openHistory(form, [] {}, [&] {
            if (read == 0)
                read = clock.nsecsElapsed() / 1e6;
            if (again && drawing) {
                ++loads;
                putBack();
            }
        });
        opening = clock.nsecsElapsed() / 1e6 - opened; // the window made and shown, on its thread
    });
    std::vector<double> during;
    const auto timed = form.controls.TimerS->onTick;
    form.controls.TimerS->onTick = [&] {
        const size_t before = steps.size();
        timed();
        if (opened > 0 && read == 0 && steps.size() > before)
            during.push_back(steps.back());
    };
    run();
    std::printf("roll steps, %zu, with the history window opened once on a %.0f MB log a second into them, as a user "
                "would: median %.2f ms, 99th percentile %.2f ms, without %.2f ms: %+.2f ms (target within 1 ms); %zu "
                "step%s while it read (%.0f ms), the worst %.2f ms; making and showing the window took %.1f ms of the "
                "window's thread\n",
                steps.size(), big.bytes / 1e6, percentile(steps, 0.5), percentile(steps, 0.99), quiet,
                percentile(steps, 0.99) - quiet, during.size(), during.size() == 1 ? "" : "s", read - opened,
                percentile(during, 1), opening);
    form.controls.TimerS->onTick = timed;

    // The harsher case: when a read ends, another copy is put in the log's
    // place, as when one is put back from a backup, and the window reads it
    // all again, so that every step falls during a read.
    again = true;
    putBack();
    run();
    drawing = false;
    std::printf("roll steps, %zu, while the history reads a %.0f MB log again and again (%d loads done): median %.2f "
                "ms, 99th percentile %.2f ms, without %.2f ms: %+.2f ms\n",
                steps.size(), big.bytes / 1e6, loads, percentile(steps, 0.5), percentile(steps, 0.99), quiet,
                percentile(steps, 0.99) - quiet);
    return 0;
}

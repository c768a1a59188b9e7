// Measures what a real draw costs the processor: the program's waits block in
// the event loop, so a draw of several seconds should take a few milliseconds
// of CPU time. Run it by hand: build/bench/bench_draw_cpu [draws]
#include "app/form1.h"
#include "platform/qtpacer.h"
#include "platform/qtprinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

static double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int draws = argc > 1 ? atoi(argv[1]) : 3;
    QTemporaryDir folder;
    QtPacer pacer;
    QtPrinter printer(folder.filePath("unused.pdf"));
    Form1 form(pacer, printer, folder.path());
    form.show();
    for (int i = 0; i < draws; ++i) {
        QElapsedTimer wall;
        wall.start();
        const double cpu = cpuSeconds();
        form.lines.Command_Click(i % 5);
        const double used = cpuSeconds() - cpu;
        const double seconds = wall.elapsed() / 1000.0;
        std::printf("draw %d: %.2f s, %.3f s of CPU (%.2f %%)\n", i + 1, seconds, used,
                    100 * used / seconds);
    }
    return 0;
}

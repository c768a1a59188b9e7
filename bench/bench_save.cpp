// One save with an empty master log and with a 200 MB one: a save appends,
// so it must not cost more as the log grows. Usage: bench_save [saves]
#include "app/form1.h"
#include "platform/qtpacer.h"
#include "print/cups/qtprinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// The median time of one save of five lines, in milliseconds.
double medianSave(const QString &folder, int saves)
{
    QtPacer pacer;
    QtPrinter printer(folder + "/unused.pdf");
    Form1 form(pacer, printer, folder);
    form.controls.LabelSN->setText("2026/12/06,09:05");
    form.controls.LabelSN0->setText("261206_0905.csv");
    for (LineControls &line : form.controls.lines) {
        line.stamp->setText("2026/12/06,09:05:03");
        for (QLabel *number : line.numbers)
            number->setText("43");
    }
    std::vector<double> times;
    for (int i = 0; i < saves; ++i) {
        QElapsedTimer timer;
        timer.start();
        form.log.SaveDraws();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int saves = argc > 1 ? std::atoi(argv[1]) : 20;
    QTemporaryDir empty, large;
    QFile log(large.filePath("KelpLog.csv"));
    if (!log.open(QIODevice::WriteOnly))
        return 1;
    const QByteArray block = QByteArray("2026/12/05,20:00:00,A,1,2,3,4,5,6\r\n").repeated(30000);
    while (log.size() < 200 * 1000 * 1000)
        log.write(block);
    log.close();
    const double small = medianSave(empty.path(), saves), big = medianSave(large.path(), saves);
    std::printf("one save, median of %d: empty log %.2f ms, 200 MB log %.2f ms, ratio %.2f (about 1)\n", saves, small,
                big, big / small);
    return 0;
}

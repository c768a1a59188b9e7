// Whether the draw gives every number the same chance: real draws of the
// draw machine on the virtual clock, their numbers put through the history's
// test of evenness. The clock fields, tick remainders and random values that
// the draws' picks took are then replayed through the pick as it was before
// the range was rounded down to whole rounds of 43, which favoured small
// numbers: the test must find that uneven, and the draws even.
// Usage: bench_fairness [lines]   (100000 unless told; exit 1 when either
// verdict is not as it should be)
#include "app/form1.h"
#include "draw/pick.h"
#include "print/cups/qtprinter.h"
#include "stats/tally.h"
#include "virtualclock/virtualpacer.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
struct Made
{
    int range;
    float r;
};

// A virtual clock that notes what each pick of the window's draws was made of.
class NotingPacer : public VirtualPacer
{
public:
    NotingPacer(const QDateTime &start, std::uint32_t tick, unsigned seed, std::vector<Made> &picks)
        : VirtualPacer(start, tick, seed), picks(picks)
    {
    }
    const FormState *state = nullptr;
    float nextRandom() override
    {
        const float r = VirtualPacer::nextRandom();
        // The draw takes the clock and the tick just before its random value.
        picks.push_back({Pick::drawRange(Pick::clockFields(state->clockTime), Pick::tickRemainder(tickCount())), r});
        return r;
    }

private:
    std::vector<Made> &picks;
};

// The candidate as it was: x spread over the whole range.
int oldCandidate(int range, float r)
{
    const int c = (int(std::floor(double(range) * double(r))) + 1) % 43;
    return c == 0 ? 43 : c;
}

void report(const char *what, const Tally &tally)
{
    const Evenness test = evennessOf(tally);
    uint64_t least = tally.numbers[1], most = least;
    for (int n = 1; n <= 43; ++n)
        least = std::min(least, tally.numbers[size_t(n)]), most = std::max(most, tally.numbers[size_t(n)]);
    std::printf("%s: %llu lines, number 1 %+.1f %%, number 43 %+.1f %% against the even share, "
                "counts %llu to %llu; chi2 %.2f df 42 p %.4g: %s\n",
                what, static_cast<unsigned long long>(tally.lines),
                100 * (double(tally.numbers[1]) / (6.0 * double(tally.lines) / 43) - 1),
                100 * (double(tally.numbers[43]) / (6.0 * double(tally.lines) / 43) - 1),
                static_cast<unsigned long long>(least), static_cast<unsigned long long>(most), test.chi2, test.p,
                test.verdict == Evenness::Uneven ? "uneven" : "even");
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long lines = argc > 1 ? std::atol(argv[1]) : 100000;
    QTemporaryDir folder;
    QtPrinter printer(folder.filePath("unused.pdf"));

    std::vector<Made> picks;
    Tally drawn;
    // The virtual clock runs a week at most: a new window every 5,000 draws,
    // its clock going on where the last one stopped.
    QDateTime clock(QDate(2026, 1, 1), QTime(0, 0));
    std::uint32_t tick = 0x7FFFF000;
    for (unsigned seed = 1; drawn.lines < uint64_t(lines); ++seed) {
        NotingPacer pacer(clock, tick, seed, picks);
        Form1 form(pacer, printer, folder.path());
        pacer.state = &form.state;
        for (int k = 0; k < 5000 && drawn.lines < uint64_t(lines); ++k) {
            form.machine.CommandS_Click();
            for (const QLabel *number : form.controls.LabelS)
                ++drawn.numbers[size_t(number->text().toInt())];
            ++drawn.lines;
        }
        clock = pacer.now();
        tick = pacer.tickCount();
    }
    report("the draw machine", drawn);

    // The same picks, one after another, as the old candidate: a line takes
    // the next six distinct.
    Tally old;
    uint64_t line = 0;
    for (const Made &pick : picks) {
        const int n = oldCandidate(pick.range, pick.r);
        if (line >> n & 1)
            continue;
        line |= uint64_t(1) << n;
        if (__builtin_popcountll(line) == 6) {
            for (int m = 1; m <= 43; ++m)
                old.numbers[size_t(m)] += line >> m & 1;
            ++old.lines;
            line = 0;
        }
    }
    report("the old pick on the same clock and random values", old);
    return evennessOf(drawn).verdict == Evenness::Even && evennessOf(old).verdict == Evenness::Uneven ? 0 : 1;
}

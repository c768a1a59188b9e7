// From exec to the first frame on the X server, and peak resident memory
// until then: Drava against a bare Qt window of the same size, alternating.
// The first frame is the first drawing the X server's damage extension
// reports on a window the program created. A third program, the bare window
// with one Japanese caption, shows what text alone adds; a fourth, Drava's
// window built with plain Qt and nothing behind it, what the program adds.
// Usage: startup DRAVA BARE CAPTIONED PLAIN [runs]
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
struct Start
{
    double msec;
    double peakMiB;
};

double now()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

Start measure(const char *program)
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(c, &xcb_damage_id);
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    xcb_flush(c);

    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    double frame = -1;
    while (frame < 0) {
        xcb_generic_event_t *event = xcb_wait_for_event(c);
        if (!event)
            break;
        const int type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            // Watch every window the program makes; one that cannot be drawn
            // on just refuses.
            const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
            xcb_damage_create(c, xcb_generate_id(c), created->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(c);
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            frame = now() - start;
        }
        free(event);
    }
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    xcb_disconnect(c);
    return {frame, usage.ru_maxrss / 1024.0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s DRAVA BARE CAPTIONED PLAIN [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 5 ? std::atoi(argv[5]) : 10;
    enum { Drava, Bare, Captioned, Plain, Programs };
    std::vector<double> msec[Programs], mib[Programs];
    for (int p = 0; p < Programs; ++p)
        measure(argv[1 + p]); // warm the caches for all
    for (int i = 0; i < runs; ++i)
        for (int p = 0; p < Programs; ++p) {
            const Start s = measure(argv[1 + p]);
            msec[p].push_back(s.msec);
            mib[p].push_back(s.peakMiB);
        }
    const double bare = median(msec[Bare]);
    std::printf("start-up to first frame, median of %d: Drava %.1f ms, bare window %.1f ms, ratio %.2f (target 1.25 at most)\n",
                runs, median(msec[Drava]), bare, median(msec[Drava]) / bare);
    std::printf("  the bare window with one Japanese caption: %.1f ms, ratio %.2f\n", median(msec[Captioned]),
                median(msec[Captioned]) / bare);
    std::printf("  against the same window built with plain Qt: %.1f ms, ratio %.2f (target 1.10 at most)\n",
                median(msec[Plain]), median(msec[Drava]) / median(msec[Plain]));
    std::printf("peak resident memory, median of %d: Drava %.1f MiB, bare window %.1f MiB, %+.1f MiB (target +10 at most)\n",
                runs, median(mib[Drava]), median(mib[Bare]), median(mib[Drava]) - median(mib[Bare]));
    std::printf("  against the same window built with plain Qt: %.1f MiB, %+.1f MiB (target +1.2 at most)\n",
                median(mib[Plain]), median(mib[Drava]) - median(mib[Plain]));
    return 0;
}

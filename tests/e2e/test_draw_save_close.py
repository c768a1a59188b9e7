"""One program used from the keyboard: line A drawn, saved to real files, then
the window closed in the middle of a second draw."""

import os, sys, time

import pyatspi
from drava_desktop import Drava, read_bytes, run, text, wait_for


def draw_save_and_close_mid_draw():
    drava = Drava(sys.argv[1])
    wait_for(lambda: drava.line("A")[1].getState().contains(pyatspi.STATE_FOCUSED), "the focus on line A's START")
    assert drava.numbers("A") == [""] * 6, "line A starts empty"
    drava.draw("A")
    numbers = [int(n) for n in drava.numbers("A")]
    assert len(set(numbers)) == 6 and all(1 <= n <= 43 for n in numbers), "six of 1..43: %s" % numbers

    drava.key(*["Tab"] * 8, "space")  # from line A's START to Save
    log = "".join("%s,%s,%s\r\n" % (text(drava.line(k)[2]), k, ",".join(drava.numbers(k)))
                  for k in "ABCDE" if text(drava.line(k)[2])).encode("ascii")
    batch = (text(drava.controls()[3]) + "\r\n").encode("ascii") + log
    for name, expected in (("KelpLog.csv", log), (text(drava.line("S")[2]), batch)):
        path = os.path.join(drava.folder, name)
        wait_for(lambda: read_bytes(path) == expected,
                 lambda: "%s to hold what the window shows, %r, not %r" % (name, expected, read_bytes(path)), 10)

    drava.key(*["shift+Tab"] * 8, "space")  # back to line A's START
    wait_for(lambda: drava.numbers("A")[0].strip() and "  " in drava.numbers("A"), "a second draw under way")
    drava.close_window()
    start = time.monotonic()
    assert drava.process.wait(10) == 0, "exit status %d after closing" % drava.process.returncode
    print("closed mid-draw: the process ended %.2f s later" % (time.monotonic() - start))


run(draw_save_and_close_mid_draw)

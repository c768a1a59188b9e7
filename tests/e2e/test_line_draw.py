"""Line A's START pressed from the keyboard draws six numbers; closing the
window in the middle of a second draw ends the process cleanly."""

import sys
import time

from drava_desktop import Drava, check, line_complete, wait_for

drava = Drava(sys.argv[1])
try:
    check(drava.numbers("A") == [""] * 6, "line A starts empty")
    drava.key("space")  # the focus starts on line A's START
    wait_for(lambda: drava.caption(drava.button("A")).isdigit(), 10, "the roll on line A")
    wait_for(lambda: line_complete(drava, "A"), 40, "line A's six numbers")
    numbers = [int(n) for n in drava.numbers("A")]
    check(len(set(numbers)) == 6, "six distinct numbers: %s" % numbers)
    check(all(1 <= n <= 43 for n in numbers), "numbers from 1 to 43: %s" % numbers)
    print("line A:", numbers)

    drava.key("space")
    wait_for(lambda: "  " in drava.numbers("A") or drava.caption(drava.button("A")).isdigit(),
             10, "a second draw")
    time.sleep(1.2)
    check(not line_complete(drava, "A"), "the second draw is still running")
    seconds = drava.close_and_expect_clean_exit()
    print("closed mid-draw: the process ended %.3f s later" % seconds)
finally:
    drava.stop()
print("1 passed, 0 failed")

"""The hidden "deb" button, reached with Tab, runs whole cycles; the files on
disk hold byte for byte what the window shows; Clear between cycles stops it."""

import os
import sys
import time

from drava_desktop import Drava, batch_stamps, check, read_bytes, shown_records, wait_for

drava = Drava(sys.argv[1])
log_path = os.path.join(drava.folder, "KelpLog.csv")


def log_lines():
    data = read_bytes(log_path)
    return [] if data is None else data.decode("ascii").split("\r\n")[:-1]


try:
    drava.key(*["Tab"] * 12)  # from line A's START to "deb"
    drava.key("space")
    drava.key("Tab")  # on to Clear, ready for the gap between cycles
    wait_for(lambda: len(log_lines()) >= 5, 150, "the first cycle's save")
    # The window shows the cycle's result for 1.2 s: compare it with the disk
    # and stop the run inside that gap.
    records = shown_records(drava)
    stamp, name = batch_stamps(drava)
    drava.key("space")
    saved = log_lines()
    check(len(saved) == 5, "one cycle saved five records: %s" % saved)
    check(records == saved, "the log holds what the window shows:\n%s\n%s" % (records, saved))
    expected = ("\r\n".join([stamp] + records) + "\r\n").encode("ascii")
    check(read_bytes(os.path.join(drava.folder, name)) == expected,
          "the batch file %s holds the stamp and the records" % name)
    check(read_bytes(log_path) == ("\r\n".join(records) + "\r\n").encode("ascii"),
          "the log's bytes")
    for record in records:
        numbers = [int(n) for n in record.split(",")[3:]]
        check(numbers == sorted(numbers) and len(set(numbers)) == 6, "sorted: " + record)

    wait_for(lambda: drava.numbers("A") == [""] * 6, 5, "Clear to empty the lines")
    time.sleep(25)  # longer than the shortest cycle
    check(len(log_lines()) == 5, "no cycle after Clear: %d records" % len(log_lines()))
    check(drava.numbers("A") == [""] * 6, "the lines stay empty")
    drava.close_and_expect_clean_exit()
finally:
    drava.stop()
print("1 passed, 0 failed")

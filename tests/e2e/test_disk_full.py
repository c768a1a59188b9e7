"""Save on a full disk: the user sees a notice, nothing on disk changes, and
the program goes on drawing."""

import os
import shutil
import subprocess
import sys
import tempfile

from drava_desktop import Drava, check, line_complete, notice, read_bytes, wait_for

if os.geteuid() != 0:
    print("skipped: needs root to mount a small file system")
    print("0 passed, 0 failed, 1 skipped")
    sys.exit(0)

program = sys.argv[1]
disk = tempfile.mkdtemp(prefix="drava-full-")
size_kb = os.path.getsize(program) // 1024 + 256
subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%dk" % size_kb, "tmpfs", disk], check=True)
drava = None
try:
    old_log = b"2026/12/05,20:00:00,A,1,2,3,4,5,6\r\n" * 116 + b"2026/12/05,20:00:00,A,1,2,3,4,5,16\r\n"
    with open(os.path.join(disk, "KelpLog.csv"), "wb") as f:
        f.write(old_log)
    drava = Drava(program, folder=disk)
    subprocess.run("dd if=/dev/zero of=%s/filler bs=1k 2>/dev/null; "
                   "dd if=/dev/zero of=%s/filler2 bs=1 2>/dev/null; true" % (disk, disk),
                   shell=True, check=True)
    before = sorted(os.listdir(disk))

    drava.key("space")
    wait_for(lambda: line_complete(drava, "A"), 40, "line A's six numbers")
    drava.key(*["Tab"] * 8)  # to Save
    drava.key("space")
    text = wait_for(lambda: notice(drava), 10, "the notice")
    print("notice:", text)
    check("KelpLog.csv" in text and ".csv" in text.replace("KelpLog.csv", ""),
          "the notice names both files: " + text)
    check(read_bytes(os.path.join(disk, "KelpLog.csv")) == old_log, "the log is untouched")
    check(sorted(os.listdir(disk)) == before, "no file appeared: %s" % os.listdir(disk))

    drava.key("shift+Tab", "shift+Tab", "shift+Tab")  # back to line E's START
    drava.key("space")
    wait_for(lambda: line_complete(drava, "E"), 40, "line E drawn after the failed save")
    drava.close_and_expect_clean_exit()
finally:
    if drava:
        drava.stop()
    subprocess.run(["umount", disk])
    shutil.rmtree(disk, ignore_errors=True)
print("1 passed, 0 failed")

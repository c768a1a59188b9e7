"""Printing through a real CUPS server started here: one press, one one-page
job holding what the window shows; none during a draw; with no printer, a
notice and no job, and the program draws on."""

import os
import re
import subprocess
import sys
import time

from cups_server import CupsServer
from drava_desktop import Drava, after, check, line_complete, notice, wait_for

if os.geteuid() != 0:
    print("skipped: needs root to run a CUPS server")
    print("0 passed, 0 failed, 1 skipped")
    sys.exit(0)


def pdf(command, path):
    return subprocess.run(command + [path] + (["-"] if command[0] == "pdftotext" else []),
                          capture_output=True, text=True, check=True).stdout


def one_page(path):
    return re.search(r"^Pages:\s+1$", pdf(["pdfinfo"], path), re.M) is not None


cups = CupsServer()
drava = None
try:
    cups.add_default_queue()
    drava = Drava(sys.argv[1], env=cups.env)

    drava.key(*["Tab"] * 11)  # line A's START to 文字印刷
    drava.key("space")
    wait_for(lambda: len(cups.job_files()) == 1, 30, "the first job")
    drava.key("space")
    wait_for(lambda: len(cups.job_files()) == 2, 30, "the second job")
    cups.wait_jobs_done()
    for job in cups.job_files():
        check(one_page(job), "a one-page job")
        text = pdf(["pdftotext", "-layout"], job)
        check("Drava  " in text and "E: [" in text, "the text page: " + text)

    # A press during a line's draw prints nothing.
    drava.key("Tab", "Tab", "Tab", "space")  # on to line A's START, and press it
    wait_for(lambda: drava.caption(drava.button("A")).isdigit(), 10, "line A's draw")
    drava.key(*["Tab"] * 11, "space")
    check(not line_complete(drava, "A"), "the draw was still running at the press")
    wait_for(lambda: line_complete(drava, "A"), 40, "line A's numbers")
    time.sleep(1)
    check(len(cups.job_files()) == 2, "no job from a press during a draw")

    # After it, the page holds line A as the window shows it.
    drava.key("space")
    wait_for(lambda: len(cups.job_files()) == 3, 30, "the third job")
    cups.wait_jobs_done()
    stamp = drava.caption(after(drava, drava.button("A")))
    expected = "%s  A: [%s]" % (stamp, "] [".join(n.ljust(2) for n in drava.numbers("A")))
    text = pdf(["pdftotext", "-layout"], cups.job_files()[2])
    row = [r for r in text.splitlines() if "A: [" in r][0]
    check(row.split()[0] == stamp and row[row.index("A: ["):] == expected[expected.index("A: ["):],
          "line A on the page: %r, window: %r" % (row, expected))

    # The screen print with 画面全体 ticked: one page, one picture.
    drava.key("shift+Tab", "space")  # 画面全体
    drava.key("shift+Tab", "shift+Tab", "shift+Tab", "space")  # 画面印刷
    wait_for(lambda: len(cups.job_files()) == 4, 30, "the screen print's job")
    cups.wait_jobs_done()
    job = cups.job_files()[3]
    check(one_page(job), "the screen print is one page")
    images = [l for l in pdf(["pdfimages", "-list"], job).splitlines()[2:] if l.strip()]
    check(len(images) == 1, "one picture on the page: %s" % images)

    # A queue that refuses jobs: nothing printed, and the user is told.
    cups.lp("cupsreject", "drava-test")
    drava.key(*["Tab"] * 4, "space")  # 文字印刷
    text = wait_for(lambda: notice(drava), 10, "the notice of a refused job")
    print("notice:", text)
    check(text.startswith("印刷できませんでした"), "a print notice: " + text)
    time.sleep(1)
    check(len(cups.job_files()) == 4, "no job from a refusing queue")

    # No printer at all: the same, and the program goes on.
    cups.remove_queue()  # which also drops its finished jobs
    jobs = len(cups.job_files())
    time.sleep(9)  # the earlier notice has gone
    check(notice(drava) is None, "the notice goes away by itself")
    drava.key("space")
    text = wait_for(lambda: notice(drava), 10, "the notice of no printer")
    print("notice:", text)
    check(text.startswith("印刷できませんでした"), "a print notice: " + text)
    time.sleep(1)
    check(len(cups.job_files()) == jobs, "no job without a printer")
    check(not cups.lp("lpstat", "-W", "all", "-o").strip(), "the server took no job")
    drava.key(*["Tab"] * 5, "space")  # past deb, Clear, A and the machine: line B
    wait_for(lambda: line_complete(drava, "B"), 40, "line B drawn after the failed print")

    drava.close_and_expect_clean_exit()
finally:
    if drava:
        drava.stop()
    cups.stop()
print("1 passed, 0 failed")

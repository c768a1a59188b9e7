"""Printing through a CUPS server of its own by a program whose temporary
folder is a small tmpfs: one one-page job as the window shows it, on the
queue's Letter paper; a refusing queue, and then a full disk, give a notice
and no job; a stopped queue, and a printer that does not answer, a notice that
the job waits or did not print."""

import atexit, glob, os, pathlib, re, subprocess, sys

from drava_desktop import Drava, run, spawn, temporary_folder, text, wait_for

out = lambda *command: subprocess.run(command, capture_output=True, text=True).stdout


def print_refused_and_on_a_full_disk():
    cups = pathlib.Path(temporary_folder("drava-cups-"))
    # A PDF printer at /dev/null on Letter paper, not the A4 the program falls
    # back to; the server keeps each job's file to read back.
    (cups / "cupsd.conf").write_text("Listen %s/sock\nPreserveJobFiles Yes\n"
                                     "<Policy default>\n<Limit All>\n</Limit>\n</Policy>\n" % cups)
    # The system's programs, but for one backend of its own: a printer that does
    # not answer. Private to root, it runs as root.
    (cups / "bin" / "backend").mkdir(parents=True)
    for program in set(glob.glob("/usr/lib/cups/*")) - {"/usr/lib/cups/backend"}:
        (cups / "bin" / os.path.basename(program)).symlink_to(program)
    fails = cups / "bin" / "backend" / "fails"
    fails.write_text('#!/bin/sh\ncat "${6:--}" >/dev/null\necho "ERROR: The printer does not answer" >&2\nexit 1\n')
    fails.chmod(0o700)
    (cups / "cups-files.conf").write_text("ServerRoot {0}\nRequestRoot {0}\nCacheDir {0}\nStateDir {0}\nServerBin {0}/bin\n"
                                          "ErrorLog {0}/error_log\nAccessLog {0}/access_log\nPageLog {0}/page_log\n"
                                          "FileDevice Yes\nSystemGroup root\n".format(cups))
    spawn(["cupsd", "-f", "-c", cups / "cupsd.conf", "-s", cups / "cups-files.conf"])
    lp = lambda command, *args: out(command, "-h", cups / "sock", *args)
    jobs = lambda: glob.glob("%s/d*-001" % cups)
    wait_for(lambda: lp("lpstat", "-r").startswith("scheduler is running"), "cupsd", 20)
    lp("lpadmin", "-p", "drava", "-v", "file:///dev/null", "-P", "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd",
       "-o", "PageSize=Letter", "-E")
    lp("lpadmin", "-d", "drava")

    disk = temporary_folder("drava-full-")
    size = os.path.getsize(sys.argv[1]) // 1024 + 256
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%dk" % size, "tmpfs", disk], check=True)
    atexit.register(lambda: subprocess.run(["umount", disk]))  # before the folder goes
    drava = Drava(sys.argv[1], disk, env=dict(os.environ, CUPS_SERVER="%s/sock" % cups, TMPDIR=disk))
    drava.draw("A")

    drava.key(*["Tab"] * 11, "space")  # from line A's START to 文字印刷
    wait_for(lambda: jobs() and not lp("lpstat", "-o"), "the job, done", 30)
    info = out("pdfinfo", jobs()[0])
    assert len(jobs()) == 1 and re.search(r"^Pages:\s+1\n(.+\n)*Page size:\s+612 x 792 pts ", info, re.M), "one Letter page: " + info
    row = next(r for r in out("pdftotext", "-layout", jobs()[0], "-").splitlines() if "A: [" in r)
    stamp, shown = text(drava.line("A")[2]), "A: [%s]" % "] [".join(n.ljust(2) for n in drava.numbers("A"))
    assert row.split()[0] == stamp and row[row.index("A: ["):] == shown, "printed %r, shown %r" % (row, shown)
    lp("cupsreject", "drava")
    drava.key("space")
    notice = wait_for(drava.notice, "the notice of a refused job", 10)
    assert notice.startswith("印刷できませんでした") and len(jobs()) == 1, "%s; jobs: %s" % (notice, jobs())

    subprocess.run(["dd", "if=/dev/zero", "of=%s/filler" % disk, "bs=4k"], stderr=subprocess.DEVNULL)
    files = sorted(os.listdir(disk))
    lp("cupsaccept", "drava")
    drava.key("space")  # 文字印刷 again, its document on the full disk
    full = "印刷できませんでした: 一時ファイルを書けません (No space left on device)"
    wait_for(lambda: drava.notice() == full, lambda: "%r, not %r" % (full, drava.notice()), 10)
    assert len(jobs()) == 1 and sorted(os.listdir(disk)) == files, "no job, no file left: %s" % os.listdir(disk)

    os.remove("%s/filler" % disk)
    lp("cupsdisable", "drava")
    drava.key("space")
    waits = "印刷待ち: プリンタが停止しています"
    wait_for(lambda: drava.notice() == waits, lambda: "%r, not %r" % (waits, drava.notice()), 10)
    # Debian's error policy: the job is kept, held for another try.
    lp("lpadmin", "-p", "fails", "-v", "fails:/", "-m", "raw", "-E", "-o", "printer-error-policy=retry-job")
    lp("lpadmin", "-d", "fails")
    drava.key("space")
    failed = "印刷できませんでした: 再試行を待っています (The printer does not answer)"
    wait_for(lambda: drava.notice() == failed, lambda: "%r, not %r" % (failed, drava.notice()), 10)
    drava.close_window()
    assert drava.process.wait(10) == 0, "a clean exit"


run(print_refused_and_on_a_full_disk, needs_root="run a CUPS server and mount a tmpfs")

"""A log on a file system that stopped answering, as a network folder does: a
read of it never returns. The real program opens the history on it; the
window stays alive, a result file read into the results book beside the log
meanwhile goes through, and closing the window ends the program at once,
leaving the stuck read behind."""

import atexit, errno, multiprocessing, os, stat, subprocess, sys, time

import pyatspi
from fusepy import FUSE, FuseOSError, Operations

from drava_desktop import Drava, read_bytes, run, temporary_folder, text, wait_for, walk


class Unanswering(Operations):
    """A log whose reads never end."""

    def getattr(self, path, fh=None):
        if path == "/":
            return dict(st_mode=stat.S_IFDIR | 0o755, st_nlink=2)
        if path == "/KelpLog.csv":
            return dict(st_mode=stat.S_IFREG | 0o644, st_nlink=1, st_size=4096)
        raise FuseOSError(errno.ENOENT)

    def readdir(self, path, fh):
        return [".", "..", "KelpLog.csv"]

    def read(self, path, size, offset, fh):
        time.sleep(3600)
        raise FuseOSError(errno.EIO)


def close_while_a_read_is_stuck():
    mount, folder = temporary_folder("drava-stuck-"), temporary_folder("drava-stuck-program-")
    # A process of its own: the program's reads must not wait on the one that answers them.
    server = multiprocessing.Process(target=FUSE, args=(Unanswering(), mount), kwargs=dict(foreground=True))
    server.start()
    atexit.register(lambda: (subprocess.run(["umount", "-l", mount]), server.kill()))
    wait_for(lambda: os.path.ismount(mount), "the file system")
    # The program's folder holds the log, and so the book beside it: the log
    # is the stuck one, the book a plain file.
    os.symlink(os.path.join(mount, "KelpLog.csv"), os.path.join(folder, "KelpLog.csv"))
    results = os.path.join(folder, "results.csv")
    with open(results, "w") as f:
        f.write("1950,2026/12/07,3,7,12,25,31,40,18\r\n")
    drava = Drava(sys.argv[1], folder)
    drava.key("ctrl+h")
    history = wait_for(lambda: next(w for w in drava.app if text(w) == "履歴と照合"), "the history window")
    labels = lambda: [text(c) for c in walk(history) if c.getRoleName() == "label"]
    wait_for(lambda: "行数: 0 (読み込み中)" in labels(), lambda: "the read under way, not %s" % labels())
    assert text(drava.line("A")[1]) == "START", "the main window answers"
    next(c for c in walk(history) if c.getRoleName() == "push button" and text(c) == "結果の読み込み").queryAction().doAction(0)
    dialog = wait_for(lambda: next(w for w in drava.app if text(w) == "結果の読み込み"), "the file dialog")
    name = wait_for(lambda: next(c for c in walk(dialog) if c.getRoleName() == "text"
                                 and c.getState().contains(pyatspi.STATE_FOCUSED)), "its file name")
    name.queryEditableText().setTextContents(results)
    next(c for c in walk(dialog) if c.getRoleName() == "push button" and text(c) == "Open").queryAction().doAction(0)
    book = os.path.join(folder, "KelpResults.csv")
    wait_for(lambda: os.path.exists(book) and read_bytes(book) == b"1950,2026/12/07,3,7,12,25,31,40,18,,,,,\r\n",
             "the draw in the book while the log's read is stuck")
    wait_for(lambda: "追加 1 · 既存 0 · 食い違い 0 · 読めない行 0" in labels(), lambda: "the import told, not %s" % labels())
    closed = time.monotonic()
    drava.close_window()
    assert drava.process.wait(10) == 0, "exit status %d after closing" % drava.process.returncode
    print("closed in %.2f s, the read still stuck" % (time.monotonic() - closed))


run(close_while_a_read_is_stuck, needs_root="mount a file system of its own")

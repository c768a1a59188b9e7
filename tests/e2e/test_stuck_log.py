"""A log on a file system that stopped answering, as a network folder does: a
read of it never returns. The real program, run from that folder, opens the
history on it; the window stays alive, and closing it ends the program at
once, leaving the stuck read behind."""

import atexit, errno, multiprocessing, os, stat, subprocess, sys, time

from fusepy import FUSE, FuseOSError, Operations

from drava_desktop import Drava, run, temporary_folder, text, wait_for, walk


class Unanswering(Operations):
    """The program itself, read from its build, and a log whose reads never end."""

    def __init__(self, program):
        self.program = program

    def getattr(self, path, fh=None):
        if path == "/":
            return dict(st_mode=stat.S_IFDIR | 0o755, st_nlink=2)
        if path == "/drava":
            st = os.stat(self.program)
            return dict(st_mode=stat.S_IFREG | 0o755, st_nlink=1, st_size=st.st_size)
        if path == "/KelpLog.csv":
            return dict(st_mode=stat.S_IFREG | 0o644, st_nlink=1, st_size=4096)
        raise FuseOSError(errno.ENOENT)

    def readdir(self, path, fh):
        return [".", "..", "drava", "KelpLog.csv"]

    def read(self, path, size, offset, fh):
        if path == "/KelpLog.csv":
            time.sleep(3600)
            raise FuseOSError(errno.EIO)
        with open(self.program, "rb") as f:
            return os.pread(f.fileno(), size, offset)


def close_while_a_read_is_stuck():
    folder = temporary_folder("drava-stuck-")
    # A process of its own: one that starts a program from it must not be the one to answer its reads.
    server = multiprocessing.Process(target=FUSE, args=(Unanswering(sys.argv[1]), folder), kwargs=dict(foreground=True))
    server.start()
    atexit.register(lambda: (subprocess.run(["umount", "-l", folder]), server.kill()))
    wait_for(lambda: os.path.ismount(folder), "the file system")
    drava = Drava([os.path.join(folder, "drava")], folder)
    drava.key("ctrl+h")
    history = wait_for(lambda: next(w for w in drava.app if text(w) == "履歴と照合"), "the history window")
    labels = lambda: [text(c) for c in walk(history) if c.getRoleName() == "label"]
    wait_for(lambda: "行数: 0 (読み込み中)" in labels(), lambda: "the read under way, not %s" % labels())
    assert text(drava.line("A")[1]) == "START", "the main window answers"
    closed = time.monotonic()
    drava.close_window()
    assert drava.process.wait(10) == 0, "exit status %d after closing" % drava.process.returncode
    print("closed in %.2f s, the read still stuck" % (time.monotonic() - closed))


run(close_while_a_read_is_stuck, needs_root="mount a file system of its own")

"""Drives the real program on an X server of its own as a user and assistive
technology would: keys through the X server, reading the accessibility tree."""

import atexit, contextlib, os, pathlib, shutil, subprocess, sys, tempfile, time, traceback

import pyatspi
from Xlib import X, display, protocol


def spawn(command, **options):
    """A process ended at exit; like all cleanups here, the last first."""
    process = subprocess.Popen(command, **options)
    atexit.register(lambda: process.poll() is None and (process.terminate(), process.wait(10)))
    return process


def run(test, needs_root=None):
    """Runs the test on an Xvfb and a D-Bus session of its own; 77: skipped."""
    if needs_root and os.geteuid() != 0:
        print("skipped: needs root to " + needs_root)
        sys.exit(77)
    runtime = tempfile.mkdtemp(prefix="drava-desktop-")
    atexit.register(lambda: shutil.rmtree(runtime, True))
    os.environ.update(XDG_RUNTIME_DIR=runtime, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    # -noreset: an X server resets when its last client leaves, and turns away
    # a client that connects during the reset.
    ready, w = os.pipe()
    spawn(["Xvfb", "-displayfd", str(w), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
          pass_fds=(w,))
    os.close(w)
    with os.fdopen(ready) as f:  # Xvfb writes its number once it takes clients
        os.environ["DISPLAY"] = ":" + f.readline().strip()
    bus = spawn(["dbus-daemon", "--session", "--nofork", "--print-address"], stdout=subprocess.PIPE, text=True)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    try:
        test()
        passed = 1
    except Exception:
        traceback.print_exc()
        passed = 0
    print("%d passed, %d failed" % (passed, 1 - passed))
    sys.exit(1 - passed)


def wait_for(probe, what, timeout=30):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        with contextlib.suppress(Exception):  # the tree can change under a read
            if value := probe():
                return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + (what() if callable(what) else what))


def read_bytes(path):
    with contextlib.suppress(FileNotFoundError), open(path, "rb") as f:
        return f.read()


def text(accessible):
    accessible.clearCache()
    return accessible.name


class Drava:
    """A copy of the program run from `folder`, where it writes its logs."""

    def __init__(self, program, folder=None, env=None, wrapper=()):
        self.folder = folder or tempfile.mkdtemp(prefix="drava-e2e-")
        if not folder:
            atexit.register(lambda: shutil.rmtree(self.folder, True))
        self.folder = os.fsencode(self.folder)  # a folder's name need not be valid text
        shutil.copy2(program, os.path.join(self.folder, b"drava"))
        self.process = spawn([*wrapper, os.path.join(self.folder, b"drava")], cwd=self.folder, env=env)
        pid = self.process.pid if not wrapper else wait_for(lambda: int(pathlib.Path(
            "/proc/%d/task/%d/children" % (self.process.pid, self.process.pid)).read_text().split()[0]), "its process")
        self.app = wait_for(lambda: next(a for a in pyatspi.Registry.getDesktop(0) if a.get_process_id() == pid),
                            lambda: "the program on the accessibility bus (exit status %s)" % self.process.poll())
        self.window = wait_for(lambda: subprocess.run(["xdotool", "search", "--pid", str(pid), "--name", "^Drava "],
                                                      capture_output=True, text=True).stdout.split()[0], "its window")
        wait_for(lambda: text(self.line("A")[1]) == "START", "line A's START")
        # The keyboard to the new window, as a window manager gives it.
        subprocess.run(["xdotool", "windowfocus", "--sync", self.window], check=True)

    def controls(self):
        # As the program makes them: the batch stamp 4th; frame, START, stamp.
        return [c for c in self.app[0] if c is not None]

    def line(self, letter):
        kids = self.controls()
        i = next(i for i, c in enumerate(kids) if c.getRoleName() == "panel" and c.name == "[%s]" % letter)
        return kids[i:i + 3]

    def numbers(self, letter):
        return [text(c) for c in list(self.line(letter)[0])[:6]]  # top to bottom

    def notice(self):
        """The text of the notice's balloon, a window of its own, while it shows."""
        shown = [text(c) for c in self.app if c is not None and c.getState().contains(pyatspi.STATE_SHOWING)
                 and text(c).startswith(("保存", "印刷"))]
        return shown[0] if shown else None

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--window", self.window, *keys], check=True)

    def draw(self, letter):
        self.key("space")
        wait_for(lambda: all(n.strip().isdigit() for n in self.numbers(letter))
                 and text(self.line(letter)[1]) == "START", "line %s's six numbers" % letter, 40)

    def close_window(self):
        """Asks the window to close, as a window manager's close button does."""
        d = display.Display()
        window = d.create_resource_object("window", int(self.window))
        window.send_event(protocol.event.ClientMessage(window=window, client_type=d.intern_atom("WM_PROTOCOLS"),
                          data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
        d.sync()  # the server has passed the request on before this connection closes
        d.close()

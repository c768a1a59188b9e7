"""Drives the real program on an X display as a user and assistive technology
would: keys through the X server, reading through the accessibility tree."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from Xlib import X, display, protocol


class Drava:
    def __init__(self, program, folder=None, env=None):
        # The program writes its logs beside itself: run a copy in a folder of
        # the test's own.
        self.own_folder = folder is None
        self.folder = folder or tempfile.mkdtemp(prefix="drava-e2e-")
        self.program = os.path.join(self.folder, "drava")
        shutil.copy2(program, self.program)
        self.process = subprocess.Popen([self.program], cwd=self.folder, env=env)
        self.app = wait_for(self._find_app_while_running, 30,
                            "the program on the accessibility bus")
        self.window_id = wait_for(self._find_window, 30, "the program's X window")
        wait_for(lambda: self.caption(self.button("A")) == "START", 30, "line A's START")

    def _find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "drava":
                return app
        return None

    def _find_app_while_running(self):
        status = self.process.poll()
        if status is not None:
            raise SystemExit("the program exited with %d before it showed its window" % status)
        return self._find_app()

    def _find_window(self):
        out = subprocess.run(["xdotool", "search", "--name", "^Drava   ver1.00"],
                             capture_output=True, text=True).stdout.split()
        return int(out[0]) if out else None

    def root(self):
        return self.app[0]

    def children(self):
        return [c for c in self.root() if c is not None]

    def frame(self, letter):
        for c in self.children():
            if c.getRoleName() == "panel" and c.name == "[%s]" % letter:
                return c
        raise AssertionError("no frame [%s]" % letter)

    def numbers(self, letter):
        # The first six labels of a line's frame are its numbers, top to bottom.
        return [self.caption(c) for c in list(self.frame(letter))[:6]]

    def button(self, letter):
        kids = self.children()
        return kids[kids.index(self.frame(letter)) + 1]

    @staticmethod
    def caption(accessible):
        accessible.clearCache()
        return accessible.name

    def key(self, *keys):
        subprocess.run(["xdotool", "windowfocus", "--sync", str(self.window_id)], check=True)
        subprocess.run(["xdotool", "key", "--window", str(self.window_id)] + list(keys), check=True)

    def close_window(self):
        """Asks the window to close, as a window manager's close button does.
        The round trip makes sure the server has passed the request on before
        this connection closes."""
        d = display.Display()
        window = d.create_resource_object("window", self.window_id)
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        errors = []
        window.send_event(event, event_mask=X.NoEventMask, onerror=lambda *e: errors.append(e))
        d.sync()
        d.close()
        check(not errors, "the close request reached the window: %s" % errors)

    def wait_exit(self, timeout):
        start = time.monotonic()
        try:
            code = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            # Show where it is stuck before giving up on it.
            if shutil.which("gdb"):
                subprocess.run(["gdb", "-p", str(self.process.pid), "-batch", "-ex",
                                "thread apply all bt 30"], timeout=120)
            raise
        return code, time.monotonic() - start

    def close_and_expect_clean_exit(self):
        self.close_window()
        code, seconds = self.wait_exit(15)
        check(code == 0, "exit status 0 after closing, got %d" % code)
        return seconds

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if self.own_folder:
            shutil.rmtree(self.folder, ignore_errors=True)


def wait_for(probe, timeout, what):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            value = probe()
        except Exception:
            value = None
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def line_complete(drava, letter):
    numbers = drava.numbers(letter)
    return all(n.strip().isdigit() for n in numbers) and drava.caption(drava.button(letter)) == "START"


def check(condition, message):
    if not condition:
        print("FAIL: " + message, file=sys.stderr)
        sys.exit(1)


def after(drava, accessible):
    """The control created right after `accessible`: a line's stamp label
    follows its START button."""
    kids = drava.children()
    return kids[kids.index(accessible) + 1]


def shown_records(drava):
    """The records a save must write, as the window shows them."""
    records = []
    for letter in "ABCDE":
        stamp = drava.caption(after(drava, drava.button(letter)))
        if stamp:
            records.append("%s,%s,%s" % (stamp, letter, ",".join(drava.numbers(letter))))
    return records


def batch_stamps(drava):
    """The batch stamp and the batch file name."""
    kids = drava.children()
    stamp = drava.caption(kids[3])
    machine = [c for c in kids if c.getRoleName() == "push button"][-2]
    return stamp, drava.caption(after(drava, machine))


def read_bytes(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def notice(drava):
    """The text of the notice across the foot of the window, while it shows."""
    for c in drava.children():
        if (c.getRoleName() == "label" and drava.caption(c).startswith(("保存", "印刷"))
                and c.getState().contains(pyatspi.STATE_SHOWING)):
            return drava.caption(c)
    return None

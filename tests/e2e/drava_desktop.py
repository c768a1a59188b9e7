"""Drives the real program on a display of its own (Xvfb, or a headless sway
given "wayland") as a user and assistive technology would: keys through the
display server, reading the accessibility tree."""

import array, atexit, contextlib, glob, json, os, pathlib, shutil, signal, socket, subprocess, sys, tempfile, threading, time

import pyatspi
from Xlib import X, display, protocol
from Xlib.ext import record


def spawn(command, **options):
    """A process ended at exit; like all cleanups here, the last first."""
    process = subprocess.Popen(command, **options)
    atexit.register(lambda: process.poll() is None and (process.terminate(), process.wait(10)))
    return process


WAYLAND = "wayland" in sys.argv


def temporary_folder(prefix):
    folder = tempfile.mkdtemp(prefix=prefix)
    atexit.register(lambda: shutil.rmtree(folder, True))
    return folder


def start_xvfb():
    # -noreset: an X server resets when its last client leaves, and turns away
    # a client that connects during the reset.
    ready, w = os.pipe()
    spawn(["Xvfb", "-displayfd", str(w), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
          pass_fds=(w,))
    os.close(w)
    with os.fdopen(ready) as f:  # Xvfb writes its number once it takes clients
        os.environ["DISPLAY"] = ":" + f.readline().strip()


def start_sway():
    """A headless sway with a virtual keyboard. It will not run as root: then it runs as nobody."""
    home, user = temporary_folder("drava-sway-"), []
    if os.geteuid() == 0:
        shutil.chown(home, "nobody", "nogroup")
        user = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
    pathlib.Path(home, "config").write_text("output HEADLESS-1 resolution 1024x768\n")
    spawn([*user, "env", "-i", "PATH=/usr/bin:/bin", "XDG_RUNTIME_DIR=" + home, "WLR_BACKENDS=headless",
           "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1", "sway", "-c", home + "/config"],
          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    sockets = lambda: [p for p in glob.glob(home + "/wayland-*") if not p.endswith(".lock")]
    wait_for(lambda: sockets() and socket.socket(socket.AF_UNIX).connect(sockets()[0]) is None, "sway")
    os.environ.pop("DISPLAY", None)
    os.environ.update(WAYLAND_DISPLAY=sockets()[0], QT_QPA_PLATFORM="wayland",
                      SWAYSOCK=wait_for(lambda: glob.glob(home + "/sway-ipc.*.sock")[0], "sway's socket"))
    spawn(["wtype", "-s", "3600000"])  # one keyboard all along: with each wtype's own, the window loses focus


def sway_view(pid):
    """The window of process `pid` as sway knows it; sway floats a window of a fixed size."""
    tree = json.loads(subprocess.run(["swaymsg", "-t", "get_tree", "-r"], capture_output=True, check=True).stdout)
    return next(view for output in tree["nodes"] for space in output["nodes"]
                for view in space["floating_nodes"] if view["pid"] == pid)


def start_pulseaudio():
    """A sound server with one null sink, as a desktop's; its cookie and saved volumes in a folder of its own."""
    os.environ["XDG_CONFIG_HOME"] = temporary_folder("drava-pulse-")
    # norewinds: else each new stream rewinds the sink, and its monitor loses sound.
    spawn(["pulseaudio", "-n", "--exit-idle-time=-1", "--load=module-null-sink sink_name=null norewinds=1",
           "--load=module-native-protocol-unix"], stderr=subprocess.DEVNULL)
    wait_for(lambda: subprocess.run(["pactl", "info"], capture_output=True).returncode == 0, "pulseaudio")


def sounds_during(action, rate=44100):
    """How many separate sounds the null sink plays while `action` runs."""
    # Into a file, not a pipe: a pipe read only at the end fills in a second,
    # and on a loaded machine the server then drops what parec cannot take.
    with tempfile.TemporaryFile() as sound:
        parec = subprocess.Popen(["parec", "-d", "null.monitor", "--format=s16le", "--rate=%d" % rate,
                                  "--channels=1", "--raw", "--latency-msec=20"], stdout=sound)
        wait_for(lambda: subprocess.run(["pactl", "list", "short", "source-outputs"], capture_output=True).stdout,
                 "the recording")
        action()
        time.sleep(0.5)  # the last sound's tail
        parec.send_signal(signal.SIGINT)
        parec.wait(10)
        sound.seek(0)
        recorded = sound.read()
    loud = [i for i, sample in enumerate(array.array("h", recorded[:len(recorded) // 2 * 2])) if abs(sample) > 300]
    return sum(b - a > 0.15 * rate for a, b in zip([-rate] + loud, loud))  # a sound: after 0.15 s of silence


def bells_during(action):
    """What `action` returns, and how many times any client rang the X server's bell (request 104) meanwhile."""
    control, data, bells, started = display.Display(), display.Display(), [], threading.Event()
    context = control.record_create_context(0, [record.AllClients], [dict(
        core_requests=(104, 104), core_replies=(0, 0), ext_requests=(0, 0, 0, 0), ext_replies=(0, 0, 0, 0),
        delivered_events=(0, 0), device_events=(0, 0), errors=(0, 0), client_started=False, client_died=False)])
    control.sync()
    listener = threading.Thread(target=data.record_enable_context, args=(context, lambda reply: (
        started.set(), reply.category == record.FromClient and bells.append(len(reply.data) // 4))))
    listener.start()
    started.wait(10)
    result = action()
    control.record_disable_context(context)
    control.sync()
    listener.join(10)
    control.record_free_context(context)
    control.close(), data.close()
    return result, sum(bells)


def run(test, needs_root=None, desktop=True):
    """Runs the test on a display and a D-Bus session of its own; 77: skipped."""
    if needs_root and os.geteuid() != 0:
        print("skipped: needs root to " + needs_root)
        sys.exit(77)
    if desktop:
        os.environ.update(XDG_RUNTIME_DIR=temporary_folder("drava-desktop-"), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        start_sway() if WAYLAND else start_xvfb()
        bus = spawn(["dbus-daemon", "--session", "--nofork", "--print-address"], stdout=subprocess.PIPE, text=True)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    test()  # a failure ends in its traceback and exit status 1, cleaned up all the same


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


def walk(accessible):
    """Everything below `accessible` in the tree, depth first."""
    for child in accessible:
        if child is not None:
            yield child
            yield from walk(child)


def text(accessible):
    accessible.clearCache()
    return accessible.name


class Drava:
    """A copy of the program run from `folder`, where it writes its logs; or,
    given as a command, an installed one, that writes them into `folder`."""

    def __init__(self, program, folder=None, env=None, wrapper=()):
        self.folder = os.fsencode(folder or temporary_folder("drava-e2e-"))  # a name need not be valid text
        if isinstance(program, list):
            self.process = spawn([*wrapper, *program], env=env)
        else:
            shutil.copy2(program, os.path.join(self.folder, b"drava"))
            self.process = spawn([*wrapper, os.path.join(self.folder, b"drava")], cwd=self.folder, env=env)
        self.pid = pid = self.process.pid if not wrapper else wait_for(lambda: int(pathlib.Path(
            "/proc/%d/task/%d/children" % (self.process.pid, self.process.pid)).read_text().split()[0]), "its process")
        self.app = wait_for(lambda: next(a for a in pyatspi.Registry.getDesktop(0) if a.get_process_id() == pid),
                            lambda: "the program on the accessibility bus (exit status %s)" % self.process.poll())
        wait_for(lambda: text(self.line("A")[1]) == "START", "line A's START")
        if not WAYLAND:  # the keyboard to the new window, as a window manager gives it
            self.window = wait_for(lambda: subprocess.run(["xdotool", "search", "--pid", str(pid), "--name", "^Drava "],
                                                          capture_output=True, text=True).stdout.split()[0], "its window")
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
        """Keys by their X names: "Tab", "ISO_Left_Tab"."""
        wtype = ["wtype", *[a for k in keys for a in ("-k", k)]]
        subprocess.run(wtype if WAYLAND else ["xdotool", "key", "--window", self.window, *keys], check=True)

    def draw(self, letter):
        self.key("space")
        # Begun first: on a loaded machine the tree may be read before the key is taken.
        wait_for(lambda: text(self.line(letter)[1]) != "START", "line %s's draw to begin" % letter)
        wait_for(lambda: all(n.strip().isdigit() for n in self.numbers(letter))
                 and text(self.line(letter)[1]) == "START", "line %s's six numbers" % letter, 40)

    def close_window(self):
        """Asks the window to close, as a window manager's close button does."""
        if WAYLAND:
            return subprocess.run(["swaymsg", "[pid=%d] kill" % self.pid], check=True, capture_output=True)
        d = display.Display()
        window = d.create_resource_object("window", int(self.window))
        window.send_event(protocol.event.ClientMessage(window=window, client_type=d.intern_atom("WM_PROTOCOLS"),
                          data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
        d.sync()  # the server has passed the request on before this connection closes
        d.close()

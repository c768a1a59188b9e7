"""The program (or with "installed", the installed one from its desktop entry)
used from the keyboard, on X or with "wayland" on Wayland: line A drawn, heard
as eight sounds, saved, the window closed in the middle of a second draw. Then,
on X, a save killed before its rename leaves nothing at the next start, and a
copy in a folder whose name is not valid text saves in the user's data folder."""

import os, re, shlex, sys, time

import pyatspi
from drava_desktop import Drava, bells_during, read_bytes, run, sounds_during, start_pulseaudio, sway_view, temporary_folder, text, wait_for


def draw_save_and_close_mid_draw():
    start_pulseaudio()
    if sys.argv[1] == "installed":
        entry = open("/usr/share/applications/drava.desktop").read()
        drava = Drava(shlex.split(re.search(r"^Exec=(.*)$", entry, re.M)[1]),
                      os.path.expanduser("~/.local/share/drava"))
    else:
        drava = Drava(sys.argv[1])
    if "wayland" in sys.argv:  # as the compositor sees it: its desktop entry (so its icon), its title, its fixed size
        view = sway_view(drava.pid)
        seen = view["app_id"], view["name"], view["type"], view["geometry"]["width"], view["geometry"]["height"]
        assert seen == ("drava", "Drava   ver1.00 (C) 2026 the Drava makers", "floating_con", 489, 240), seen
    wait_for(lambda: drava.line("A")[1].getState().contains(pyatspi.STATE_FOCUSED), "the focus on line A's START")
    focus = lambda: next(i for i, c in enumerate(drava.controls()) if c.getState().contains(pyatspi.STATE_FOCUSED))
    order = [focus()]
    for _ in range(14):  # Tab goes round all fourteen, the two hidden buttons too, back to line A's START
        drava.key("Tab")
        order.append(wait_for(lambda: focus() != order[-1] and focus(), "the focus to move"))
    assert [text(drava.controls()[i]) for i in order] == ["START"] * 6 + [
        "並べ替え", "画面印刷", "保存", "Picture1", "画面全体", "文字印刷", "deb", "ｸﾘｱ", "START"], order
    heard = sounds_during(lambda: drava.draw("A"))
    assert heard == 8, "eight sounds in a draw, not %d" % heard

    drava.key(*["Tab"] * 8, "Return")  # from line A's START to Save; Enter presses it as Space does
    log = "".join("%s,%s,%s\r\n" % (text(drava.line(k)[2]), k, ",".join(drava.numbers(k)))
                  for k in "ABCDE" if text(drava.line(k)[2])).encode("ascii")
    batch = (text(drava.controls()[3]) + "\r\n").encode("ascii") + log
    for name, expected in (("KelpLog.csv", log), (text(drava.line("S")[2]), batch)):
        path = os.path.join(drava.folder, os.fsencode(name))
        wait_for(lambda: read_bytes(path) == expected,
                 lambda: "%s to hold what the window shows, %r, not %r" % (name, expected, read_bytes(path)), 10)

    drava.key(*["ISO_Left_Tab"] * 8, "KP_Enter")  # back to line A's START
    wait_for(lambda: drava.numbers("A")[0].strip() and "  " in drava.numbers("A"), "a second draw under way")
    drava.close_window()
    assert drava.process.wait(10) == 0, "exit status %d after closing" % drava.process.returncode
    if sys.argv[1] == "installed" or "wayland" in sys.argv:  # the rest is the same on any display
        return

    for minute in (0, 60):  # the batch file the next save replaces, whichever minute it comes in
        name = time.strftime("%y%m%d_%H%M.csv", time.localtime(time.time() + minute)).encode()
        if not os.path.exists(os.path.join(drava.folder, name)):
            open(os.path.join(drava.folder, name), "wb").write(b"earlier\r\n")
    batches = {n: read_bytes(os.path.join(drava.folder, n)) for n in os.listdir(drava.folder) if n[0:1].isdigit()}
    renames = "rename,renameat,renameat2"
    killed = Drava(sys.argv[1], drava.folder, wrapper=["strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=" + renames,
                                                       "-e", "inject=%s:signal=KILL" % renames])
    killed.draw("A")
    killed.key(*["Tab"] * 8, "space")  # Save, killed at its rename
    killed.process.wait(20)
    leftover = lambda: [n for n in os.listdir(drava.folder) if re.fullmatch(rb"\d{6}_\d{4}\.csv\.\w{6}", n)]
    assert len(leftover()) == 1, "the kill left the new batch file beside its name: %s" % os.listdir(drava.folder)
    again = Drava(sys.argv[1], drava.folder)
    assert not leftover() and all(read_bytes(os.path.join(drava.folder, n)) == b for n, b in batches.items()), \
        "the leftover gone, the earlier batch file whole: %s" % os.listdir(drava.folder)
    again.close_window()

    odd, data = os.path.join(os.fsencode(temporary_folder("drava-e2e-")), b"\xff\xfe"), temporary_folder("drava-data-")
    os.mkdir(odd)
    os.makedirs(os.environ["XDG_CONFIG_HOME"] + "/glib-2.0/settings")  # and the desktop's event sounds off
    open(os.environ["XDG_CONFIG_HOME"] + "/glib-2.0/settings/keyfile", "w").write("[org/gnome/desktop/sound]\nevent-sounds=false\n")
    root = lambda: sorted((e.name, e.stat().st_size, e.stat().st_mtime_ns) for e in os.scandir("/") if e.is_file())
    before = root()
    lost = Drava(sys.argv[1], odd, env=dict(os.environ, XDG_DATA_HOME=data, GSETTINGS_BACKEND="keyfile"))
    heard = bells_during(lambda: sounds_during(lambda: lost.draw("A")))
    assert heard == (0, 0), "a silent draw with event sounds off, no X bell instead: %d sounds, %d bells" % heard
    lost.key(*["Tab"] * 8, "space")  # Save
    log = os.path.join(data, "drava", "KelpLog.csv")
    wait_for(lambda: (read_bytes(log) or b"").count(b",A,") == 1, "the log in the user's data folder", 10)
    assert os.listdir(odd) == [b"drava"] and root() == before, "saved nowhere else: %s" % os.listdir(odd)


run(draw_save_and_close_mid_draw)

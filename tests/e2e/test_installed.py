"""The Debian package: lintian finds nothing wrong with it; installed with
apt-get in place of any copy left installed, hardened, the program started
by an ordinary user from its desktop entry draws, is heard and saves into that
user's data folder; then removed, leaving none of its files behind."""

import atexit, glob, os, pwd, shutil, subprocess, sys

from drava_desktop import run, temporary_folder

out = lambda *command: subprocess.run(command, capture_output=True, text=True, check=True).stdout


def install_use_remove():
    packages = temporary_folder("drava-deb-")
    subprocess.run(["cpack", "-G", "DEB", "-B", packages], cwd=sys.argv[1], check=True, stdout=subprocess.DEVNULL)
    deb = glob.glob(packages + "/drava_*.deb")[0]
    # lintian leaves a file in its temporary folder: one of the test's own.
    subprocess.run(["lintian", "--fail-on", "error,warning", deb], check=True,
                   env=dict(os.environ, TMPDIR=temporary_folder("drava-lintian-")))
    # apt keeps an installed package of the same version: this one goes in after it is gone, and goes at the end.
    purge = lambda: subprocess.run(["dpkg", "--purge", "drava"], check=True, stdout=subprocess.DEVNULL)
    purge()
    atexit.register(purge)
    subprocess.run(["apt-get", "install", "-y", "-q", deb], check=True)
    assert out("dpkg-deb", "--info", deb, "md5sums") == open("/var/lib/dpkg/info/drava.md5sums").read()
    assert not out("dpkg", "--verify", "drava"), "the installed files are the package's"
    files = [f for f in out("dpkg", "-L", "drava").split() if os.path.isfile(f)]
    elf = out("readelf", "-lWd", "--dyn-syms", "/usr/games/drava")  # hardened: PIE, full RELRO, stack protector
    assert all(m in elf for m in ("Position-Independent", "GNU_RELRO", "BIND_NOW", "NOW PIE", "__stack_chk_fail")), elf

    subprocess.run(["useradd", "--create-home", "drava-e2e"], check=True)
    atexit.register(lambda: subprocess.run(["userdel", "--remove", "drava-e2e"], stderr=subprocess.DEVNULL))
    home = pwd.getpwnam("drava-e2e").pw_dir
    scripts = temporary_folder("drava-e2e-") + "/e2e"  # where the user may read them
    shutil.copytree(os.path.dirname(os.path.abspath(__file__)), scripts)
    os.chmod(os.path.dirname(scripts), 0o755)
    subprocess.run(["runuser", "-u", "drava-e2e", "--", "env", "-i", "HOME=" + home, "PATH=/usr/bin:/bin:/usr/games",
                    "LC_ALL=C.UTF-8", "/usr/bin/python3", scripts + "/test_draw_save_close.py", "installed"],
                   cwd=scripts, check=True)
    assert not glob.glob("/usr/games/*.csv"), "nothing saved beside the installed program"

    subprocess.run(["apt-get", "remove", "-y", "-q", "drava"], check=True)
    assert not [f for f in files if os.path.exists(f)], "removed cleanly"


run(install_use_remove, needs_root="install a package and add a user", desktop=False)

"""A private CUPS server for the printing tests: its own configuration, spool
and socket in a temporary folder, a raw queue that sends every job to
/dev/null, and job files kept so a test can read what was sent."""

import glob
import os
import shutil
import subprocess
import tempfile
import time


class CupsServer:
    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="drava-cups-")
        for d in ("etc", "spool", "spool/tmp", "cache", "state", "log"):
            os.makedirs(os.path.join(self.root, d), exist_ok=True)
        self.socket = os.path.join(self.root, "cups.sock")
        etc = os.path.join(self.root, "etc")
        with open(os.path.join(etc, "cupsd.conf"), "w") as f:
            f.write("""Listen %s
LogLevel warn
WebInterface No
Browsing Off
PreserveJobFiles Yes
PreserveJobHistory Yes
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
""" % self.socket)
        with open(os.path.join(etc, "cups-files.conf"), "w") as f:
            f.write("""ServerRoot {r}/etc
RequestRoot {r}/spool
TempDir {r}/spool/tmp
CacheDir {r}/cache
StateDir {r}/state
ErrorLog {r}/log/error_log
AccessLog {r}/log/access_log
PageLog {r}/log/page_log
FileDevice Yes
SystemGroup root
""".format(r=self.root))
        self.process = subprocess.Popen(
            ["cupsd", "-f", "-c", os.path.join(etc, "cupsd.conf"),
             "-s", os.path.join(etc, "cups-files.conf")])
        end = time.monotonic() + 20
        while not self._answers():
            if time.monotonic() > end or self.process.poll() is not None:
                raise RuntimeError("cupsd did not start: " + self.error_log())
            time.sleep(0.1)
        self.env = dict(os.environ, CUPS_SERVER=self.socket)

    def _answers(self):
        return subprocess.run(["lpstat", "-h", self.socket, "-r"], capture_output=True,
                              text=True).stdout.startswith("scheduler is running")

    def error_log(self):
        try:
            with open(os.path.join(self.root, "log", "error_log")) as f:
                return f.read()
        except OSError:
            return ""

    def lp(self, *args):
        return subprocess.run(list(args[:1]) + ["-h", self.socket] + list(args[1:]),
                              capture_output=True, text=True, check=True).stdout

    def add_default_queue(self, name="drava-test"):
        self.lp("lpadmin", "-p", name, "-v", "file:///dev/null", "-m", "raw", "-E")
        self.lp("lpadmin", "-d", name)

    def remove_queue(self, name="drava-test"):
        self.lp("lpadmin", "-x", name)

    def job_files(self):
        """The documents of every job the server took, in the order taken."""
        return sorted(glob.glob(os.path.join(self.root, "spool", "d*-001")))

    def wait_jobs_done(self, timeout=30):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if not self.lp("lpstat", "-o").strip():
                return
            time.sleep(0.1)
        raise AssertionError("print jobs did not finish")

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        shutil.rmtree(self.root, ignore_errors=True)

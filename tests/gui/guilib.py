#!/usr/bin/env python3
"""Harness of the GUI tests: an X display, a Wine prefix per test, the test hosts and the driver.

Used by the *_gui.py scripts (see README.md); `guilib.py make-template` makes the per-run
template prefix that every test copies.
"""
import functools
import os
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "lang"))
import langsrc  # noqa: E402

ENV = os.environ
WINE_RUN = ENV.get("QUIL_WINE_RUN", "")
BIN_DIR = ENV.get("QUIL_GUI_BIN_DIR", "")
DRIVER = ENV.get("QUIL_GUI_DRIVER", "")
TEMPLATE = ENV.get("QUIL_GUI_TEMPLATE_PREFIX", "")
WORK_DIR = ENV.get("QUIL_GUI_WORK_DIR", "")
DATA_DIR = ENV.get("QUIL_DATA_DIR", "")
SOURCE_DIR = ENV.get("QUIL_SOURCE_DIR", "")


class GuiTestFailure(Exception):
    pass


def expect(condition, message):
    """Fails the test with the message when the condition is false."""
    if not condition:
        raise GuiTestFailure(message)


def wine_path(path):
    """The Windows form of a Linux path (drive Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


# ---- parsing the driver's lines ----------------------------------------------------------------------
_TOKEN = re.compile(r'\s*([^\s=]+)=("(?:[^"\\]|\\.)*"|\S*)|\s*("(?:[^"\\]|\\.)*")|\s*(\S+)')


def _unquote(text):
    if not (len(text) >= 2 and text[0] == '"' and text[-1] == '"'):
        return text
    out, i, body = [], 0, text[1:-1]
    while i < len(body):
        c = body[i]
        if c == "\\" and i + 1 < len(body):
            i += 1
            out.append({"n": "\n", "r": "\r", "t": "\t"}.get(body[i], body[i]))
        else:
            out.append(c)
        i += 1
    return "".join(out)


def parse_line(line):
    """'kind a=1 b="x y"' -> ('kind', {'a': '1', 'b': 'x y'}); a bare value goes to key '_'."""
    line = line.rstrip("\r\n")
    kind, _, rest = line.partition(" ")
    fields = {}
    pos = 0
    while pos < len(rest):
        m = _TOKEN.match(rest, pos)
        if not m or m.end() == pos:
            break
        if m.group(1) is not None:
            fields[m.group(1)] = _unquote(m.group(2))
        elif m.group(3) is not None:
            fields["_"] = _unquote(m.group(3))
        elif m.group(4) is not None:
            fields.setdefault("_", m.group(4))
        pos = m.end()
    return kind, fields


class DriverResult:
    def __init__(self, rc, text):
        self.rc = rc
        self.text = text
        self.facts = [parse_line(l) for l in text.splitlines() if l.strip()]

    def all(self, kind, **match):
        return [f for k, f in self.facts if k == kind and all(f.get(a) == str(b) for a, b in match.items())]

    def first(self, kind, **match):
        found = self.all(kind, **match)
        if not found:
            raise GuiTestFailure(f"no '{kind}' line matching {match} in driver output:\n{self.text}")
        return found[0]

    def control(self, control_id):
        return self.first("control", id=control_id)


# ---- language texts of the sources (English) -------------------------------------------------------------
@functools.lru_cache(maxsize=None)
def _language(lang):
    return langsrc.read_language(os.path.join(SOURCE_DIR, "resources", "lang", lang))


def lang_text(text_id, lang="en"):
    """The text of an id as the language sources give it (escapes resolved), read once per language."""
    text = _language(lang).get(text_id)
    if text is None:
        raise GuiTestFailure(f"text {text_id} not found in resources/lang/{lang}")
    return text


# ---- display ---------------------------------------------------------------------------------------------------
def _display_works(display):
    env = dict(ENV, DISPLAY=display)
    return subprocess.run(["xdpyinfo"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def _start_xvfb():
    """An Xvfb of our own: the server picks a free display itself and writes its number to a pipe
    (-displayfd), so the display we then use is the one this server owns."""
    read_end, write_end = os.pipe()
    proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            pass_fds=(write_end,))
    os.close(write_end)
    number = b""
    try:
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)   # ends when the server ends without a number
            if not chunk:
                break
            number += chunk
    finally:
        os.close(read_end)
    if not number.strip().isdigit():
        proc.kill()
        raise GuiTestFailure("no X display could be started")
    display = f":{number.strip().decode()}"
    for _ in range(50):
        if _display_works(display):
            return display, proc
        time.sleep(0.1)
    proc.kill()
    raise GuiTestFailure(f"the X server of {display} does not answer")


# ---- prefixes -----------------------------------------------------------------------------------------------------
def _wine_env(prefix, display):
    env = dict(ENV)
    env.update(QUIL_WINEPREFIX=prefix, WINEPREFIX=prefix, WINEDEBUG=ENV.get("WINEDEBUG", "-all"))
    if display:
        env["DISPLAY"] = display
    return env


def _wineserver(flag, env, **kw):
    """Runs the first wineserver found with the flag (-k ends the prefix's programs, -w waits)."""
    for server in ("wineserver", "/usr/lib/wine/wineserver"):
        if shutil.which(server) or os.path.exists(server):
            subprocess.run([server, flag], env=env, **kw)
            return


def make_template():
    """A fresh template prefix for this run."""
    shutil.rmtree(TEMPLATE, ignore_errors=True)
    env = _wine_env(TEMPLATE, None)
    env.pop("DISPLAY", None)
    subprocess.run([WINE_RUN, DRIVER], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=170)
    _wineserver("-w", env, timeout=60)
    expect(os.path.exists(os.path.join(TEMPLATE, "system.reg")), "the template prefix was not made")
    return 0


def _copy_prefix(target):
    """Hard links of the template's files, real copies of those Wine writes (registry, ini, user files)."""
    shutil.rmtree(target, ignore_errors=True)
    subprocess.run(["cp", "-al", TEMPLATE, target], check=True)
    for name in os.listdir(target):
        if name.endswith(".reg"):
            shutil.copy2(os.path.join(TEMPLATE, name), os.path.join(target, name) + ".new")
            os.replace(os.path.join(target, name) + ".new", os.path.join(target, name))
    windows = os.path.join(target, "drive_c", "windows")
    for name in os.listdir(windows):
        if name.lower().endswith(".ini"):
            src = os.path.join(TEMPLATE, "drive_c", "windows", name)
            os.remove(os.path.join(windows, name))
            shutil.copy2(src, os.path.join(windows, name))
    users = os.path.join(target, "drive_c", "users")
    if os.path.isdir(users):
        shutil.rmtree(users)
        shutil.copytree(os.path.join(TEMPLATE, "drive_c", "users"), users, symlinks=True)


# ---- a test's session ----------------------------------------------------------------------------------------------
class GuiSession:
    """with GuiSession("name") as s: s.start_host(...), s.driver(...), s.wait_host(...);
    GuiSession("name", own_display=True) always starts an X server of its own."""

    def __init__(self, name, own_display=False):
        self.name = name
        # A test that reads whole windows' pixels takes an X server of its own: on a shared one
        # the windows of tests running beside it may lie over its windows.
        self.own_display = own_display
        self.hosts = []
        self.driver_calls = 0
        self.xvfb = None
        self.display = None
        # The session's folder: its prefix, the programs' output and their current folder. It is
        # removed after a passed test; after a failure the output files stay for a look.
        self.dir = os.path.join(WORK_DIR, f"{name}-{os.getpid()}")
        self.prefix = os.path.join(self.dir, "prefix")
        self.data_dir_wine = wine_path(DATA_DIR) if DATA_DIR else ""

    def __enter__(self):
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.dir)
        display = "" if self.own_display else ENV.get("DISPLAY", "")
        if display and _display_works(display):
            self.display = display
        else:
            self.display, self.xvfb = _start_xvfb()
        expect(os.path.exists(os.path.join(TEMPLATE, "system.reg")), "no template prefix (gui_wineprefix test)")
        _copy_prefix(self.prefix)
        self.env = _wine_env(self.prefix, self.display)
        return self

    def __exit__(self, kind, value, tb):
        for proc, out in self.hosts:
            if proc.poll() is None:
                proc.kill()
            out.close()
        _wineserver("-k", self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.rmtree(self.prefix, ignore_errors=True)
        if kind is None:
            shutil.rmtree(self.dir, ignore_errors=True)
        if self.xvfb:
            # Terminated, not killed: the server removes its lock and socket as it ends.
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
        return False

    def start_host(self, host, *args):
        """Starts tests/gui/<host>.exe (or a path) under Wine; returns a handle for wait_host."""
        exe = host if os.path.isabs(host) else os.path.join(BIN_DIR, host + ".exe")
        out = open(os.path.join(self.dir, f"host{len(self.hosts)}.out"), "w+")
        proc = subprocess.Popen([WINE_RUN, exe, *args], env=self.env, stdout=out, stderr=subprocess.DEVNULL,
                                cwd=self.dir)
        self.hosts.append((proc, out))
        return len(self.hosts) - 1

    def host_output(self, handle):
        """Lines the host printed so far, as a dict of its key=value lines."""
        proc, out = self.hosts[handle]
        out.flush()
        with open(out.name) as f:
            lines = f.read().splitlines()
        values = {}
        for line in lines:
            key, sep, value = line.strip().partition("=")
            if sep:
                values[key] = value
        return values

    def wait_host(self, handle, timeout=15):
        """Waits for the host to end; returns (exit code, its key=value lines)."""
        proc, _ = self.hosts[handle]
        try:
            proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise GuiTestFailure(f"host {handle} did not end within {timeout} s")
        return proc.returncode, self.host_output(handle)

    def wait_output(self, handle, key, timeout=15):
        """Polls the host's output until it printed key=...; returns the value."""
        end = time.time() + timeout
        while time.time() < end:
            values = self.host_output(handle)
            if key in values:
                return values[key]
            if self.hosts[handle][0].poll() is not None:
                values = self.host_output(handle)
                if key in values:
                    return values[key]
                raise GuiTestFailure(f"host ended without printing {key}: {values}")
            time.sleep(0.05)
        raise GuiTestFailure(f"host printed no {key} within {timeout} s")

    def driver(self, *steps, ok=True, timeout=60):
        """Runs quil_gui_driver with the steps; with ok=True a failed step fails the test."""
        # Output goes to files, not pipes: a wineserver started by this call would keep a pipe open.
        self.driver_calls += 1
        base = os.path.join(self.dir, f"driver{self.driver_calls}")
        with open(base + ".out", "w+b") as out, open(base + ".err", "w+b") as err:
            proc = subprocess.Popen([WINE_RUN, DRIVER, *steps], env=self.env, stdout=out, stderr=err, cwd=self.dir)
            try:
                proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
            out.seek(0)
            err.seek(0)
            text = out.read().decode("utf-8", "replace")
            errors = err.read().decode("utf-8", "replace")[-2000:]
        os.remove(base + ".out")
        os.remove(base + ".err")
        result = DriverResult(proc.returncode, text)
        if ok and result.rc != 0:
            raise GuiTestFailure(f"driver steps {steps} failed (exit code {result.rc}):\n{result.text}{errors}")
        return result


def run(test):
    """Runs test() and turns a GuiTestFailure into a message and exit code 1."""
    try:
        test()
    except GuiTestFailure as e:
        print(f"FAILED: {e}")
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "make-template":
        sys.exit(make_template())
    print(__doc__)
    sys.exit(2)

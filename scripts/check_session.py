#!/usr/bin/env python3
"""The Tovalin session in a real kiosk compositor: cage on wlroots' headless back-end.

   check_session.py BIN_DIR

1. Tovalin alone in cage, without the session: a user with "Block key combinations" on
   becomes active, and the parent is told that no lock can work (log line and message box).
2. tovalin-session USER: Tovalin's window fills the output with no title bar (its green top
   bar across the whole width from the top row down), the start page loads, a kill -9 brings
   Tovalin back within 2 s, and a tap on its exit button ends Tovalin and cage.

cage refuses to run as root: as root the sessions run as an unprivileged user made for it.
Screenshots come from grim. The compositor has no input devices: the tap reaches Tovalin
through Qt's TUIO touch plug-in, so the click goes through Tovalin's own widgets. Exit
status 77 (skipped) where cage or grim is missing or cage cannot start here.
"""

import glob
import http.server
import os
import pwd
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
KIOSK_USER = "tovalin-kiosk"
RESTART_LIMIT_S = 2.0

# A start page that changes ten times a second: the headless compositor renders a frame only
# when something changes, and grim can only take a frame that was rendered.
START_PAGE = (b"<html><body style='margin:0;background:#ff00ff'><h1 id=t>start</h1><script>"
              b"let n=0;setInterval(()=>{document.getElementById('t').textContent='tick '+(n++)},100)"
              b"</script></body></html>")


def skip(why):
    print("skipped: " + why)
    sys.exit(SKIP)


def fail(why, log=None):
    print("FAIL: " + why)
    if log and os.path.exists(log):
        lines = [l for l in open(log, errors="replace").read().splitlines() if "Basic output test" not in l]
        print("--- session log (last lines) ---\n" + "\n".join(lines[-30:]))
    sys.exit(1)


def crlf(path, lines):
    with open(path, "wb") as f:
        f.write("".join(l + "\r\n" for l in lines).encode())


class Account:
    """Who the sessions run as: this account, or (as root) an unprivileged one."""

    def __init__(self):
        if os.geteuid() != 0:
            self.uid, self.gid = os.getuid(), os.getgid()
            return
        try:
            entry = pwd.getpwnam(KIOSK_USER)
        except KeyError:
            made = subprocess.run(["useradd", "--system", "--no-create-home", "--home-dir", "/nonexistent",
                                   "--shell", "/usr/sbin/nologin", KIOSK_USER], capture_output=True, text=True)
            if made.returncode != 0:
                skip("cage refuses root, and no unprivileged user could be made: " + made.stderr.strip())
            entry = pwd.getpwnam(KIOSK_USER)
        self.uid, self.gid = entry.pw_uid, entry.pw_gid

    def popen(self, command, env, **kw):
        extra = {}
        if os.geteuid() == 0:
            extra = dict(user=self.uid, group=self.gid, extra_groups=[])
        return subprocess.Popen(command, env=env, **extra, **kw)

    def own(self, path):
        if os.geteuid() == 0:
            for root, dirs, files in os.walk(path):
                for name in [root] + [os.path.join(root, n) for n in dirs + files]:
                    os.lchown(name, self.uid, self.gid)


class Session:
    """One cage run: its runtime folder, its log, its processes."""

    def __init__(self, scratch, account, bin_dir, name):
        self.scratch, self.account, self.bin_dir = scratch, account, bin_dir
        self.runtime = os.path.join(scratch, "run-" + name)
        self.log = os.path.join(scratch, name + ".log")
        os.mkdir(self.runtime, 0o700)
        account.own(self.runtime)
        self.process = None
        self.tuio_port = free_port(socket.SOCK_DGRAM)

    def env(self, data):
        chromium = (os.environ.get("QTWEBENGINE_CHROMIUM_FLAGS", "") + " --no-sandbox").strip()
        return {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": os.path.join(self.scratch, "home"),
            "LANG": "C.UTF-8",
            "XDG_RUNTIME_DIR": self.runtime,
            "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1",
            "TOVALIN_DATA_DIR": data,
            # No user namespaces for the web engine's sandbox here.
            "QTWEBENGINE_CHROMIUM_FLAGS": chromium,
            "QT_QPA_GENERIC_PLUGINS": "tuiotouch:udp=%d" % self.tuio_port,
        }

    def start(self, command, data, extra_env=None):
        env = self.env(data)
        env.update(extra_env or {})
        with open(self.log, "wb") as log:
            self.process = self.account.popen(command, env, stdout=log, stderr=subprocess.STDOUT,
                                              stdin=subprocess.DEVNULL, cwd=os.path.join(self.scratch, "home"),
                                              start_new_session=True)
        deadline = time.monotonic() + 20
        while not glob.glob(os.path.join(self.runtime, "wayland-*[0-9]")):
            if self.process.poll() is not None or time.monotonic() > deadline:
                tail = open(self.log, errors="replace").read()[-600:]
                self.stop()
                skip("cage does not start here:\n" + tail)
            time.sleep(0.1)
        self.display = os.path.basename(sorted(glob.glob(os.path.join(self.runtime, "wayland-*[0-9]")))[0])

    def screenshot(self):
        """(width, height, RGB bytes) of the output, or None while grim gets no frame."""
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "XDG_RUNTIME_DIR": self.runtime,
               "WAYLAND_DISPLAY": self.display}
        grim = self.account.popen(["grim", "-t", "ppm", "-"], env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        out, _ = grim.communicate(timeout=20)
        if grim.returncode != 0 or not out.startswith(b"P6"):
            return None
        header, rest = out.split(b"\n", 1)[0], out.split(b"\n", 1)[1]
        size, rest = rest.split(b"\n", 1)
        _maxval, pixels = rest.split(b"\n", 1)
        w, h = map(int, size.split())
        return w, h, pixels

    def wait_for(self, test, seconds, what):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            shot = self.screenshot()
            if shot and test(*shot):
                return shot
            if self.process.poll() is not None:
                fail("cage ended while waiting for " + what, self.log)
            time.sleep(0.1)
        fail("no frame shows " + what + " within %d s" % seconds, self.log)

    def tap(self, x, y, shot):
        """A finger tap at output pixel (x, y), as a TUIO touch screen reports it."""
        w, h, _ = shot

        def pad(b):
            return b + b"\0" * (4 - len(b) % 4)

        def message(*args):
            tags, body = ",", b""
            for a in args:
                if isinstance(a, str):
                    tags, body = tags + "s", body + pad(a.encode())
                elif isinstance(a, int):
                    tags, body = tags + "i", body + struct.pack(">i", a)
                else:
                    tags, body = tags + "f", body + struct.pack(">f", a)
            return pad(b"/tuio/2Dcur") + pad(tags.encode()) + body

        def bundle(*messages):
            return pad(b"#bundle") + struct.pack(">II", 0, 1) + b"".join(struct.pack(">i", len(m)) + m for m in messages)

        s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        s.sendto(bundle(message("alive", 1), message("set", 1, x / w, y / h, 0.0, 0.0, 0.0), message("fseq", 1)),
                 ("127.0.0.1", self.tuio_port))
        time.sleep(0.15)
        s.sendto(bundle(message("alive"), message("fseq", 2)), ("127.0.0.1", self.tuio_port))
        s.close()

    def log_text(self):
        return open(self.log, errors="replace").read()

    def stop(self):
        if self.process and self.process.poll() is None:
            try:
                os.killpg(self.process.pid, signal.SIGTERM)
                self.process.wait(10)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                try:
                    os.killpg(self.process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass


def free_port(kind):
    s = socket.socket(socket.AF_INET, kind)
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


def tovalin_pids(executable):
    pids = []
    for d in glob.glob("/proc/[0-9]*"):
        try:
            if os.readlink(d + "/exe") == executable:
                pids.append(int(d[6:]))
        except OSError:
            pass
    return pids


def is_green(px, i):
    r, g, b = px[i], px[i + 1], px[i + 2]
    return g > 150 and r < 130 and b < 130


def green_bar_on_top(w, h, px):
    """Tovalin's green top bar runs across the whole width, from the top row down."""
    for y in (0, 2):
        row = y * w * 3
        if sum(1 for x in range(w) if is_green(px, row + 3 * x)) < w * 0.98:
            return False
    return True


def magenta_share(w, h, px, top):
    count = total = 0
    for y in range(top, h, 8):
        for x in range(0, w, 8):
            i = 3 * (y * w + x)
            total += 1
            if px[i] > 200 and px[i + 1] < 60 and px[i + 2] > 200:
                count += 1
    return count / max(total, 1)


def exit_button(w, h, px):
    """The centre of the rightmost red round button in the top bar (Tovalin's exit button)."""
    xs, ys = [], []
    for y in range(0, min(h, 110)):
        for x in range(w - 200, w):
            i = 3 * (y * w + x)
            if px[i] > 190 and px[i + 1] < 90 and px[i + 2] < 90:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return (min(xs) + max(xs)) // 2, (min(ys) + max(ys)) // 2


def prepare(scratch, bin_dir, port, nieteruit):
    data = os.path.join(scratch, "data-%d" % nieteruit)
    for sub in ("gebruikers", "themas"):
        os.makedirs(os.path.join(data, sub))
    crlf(os.path.join(data, "gestart.tvr"), ["gestart"])
    crlf(os.path.join(data, "start.tvr"), ["Kim"])
    crlf(os.path.join(data, "gebruikers", "Kim.usr"),
         ["[Beveiliging]", "Nieteruit=%d" % nieteruit, "Blokmenu=1", "Kindvriendelijk=1", "Restart=0",
          "[Extra]", "Toonsluit=1",
          "[Favorieten]", "StartURL=http://127.0.0.1:%d/start.html" % port, "gebruikfav=Pages*"])
    crlf(os.path.join(data, "themas", "Pages.llt"), [])
    crlf(os.path.join(data, "themas", "Pages.kvu"), ["http://127.0.0.1:%d/" % port])
    for kind in ("kou", "kpu"):
        crlf(os.path.join(data, "themas", "Pages." + kind), [])
    return data


def main():
    if len(sys.argv) != 2:
        print("usage: check_session.py BIN_DIR", file=sys.stderr)
        return 2
    build_bin = os.path.abspath(sys.argv[1])
    for tool in ("cage", "grim"):
        if not shutil.which(tool):
            skip(tool + " is not installed (Debian packages cage, grim)")
    for program in ("tovalin", "tovalin-session", "tovalin-watchdog"):
        if not os.access(os.path.join(build_bin, program), os.X_OK):
            return fail(program + " is not built in " + build_bin)

    account = Account()
    scratch = tempfile.mkdtemp(prefix="tovalin-session-")
    os.chmod(scratch, 0o755)
    server = None
    sessions = []
    try:
        # The programs, where the unprivileged user can reach them (the build folder may lie
        # under a home folder that it cannot enter).
        bin_dir = os.path.join(scratch, "bin")
        os.mkdir(bin_dir)
        for program in ("tovalin", "tovalin-session", "tovalin-watchdog"):
            shutil.copy2(os.path.join(build_bin, program), bin_dir)
        for folder in ("resources", "translations"):
            if os.path.isdir(os.path.join(build_bin, folder)):
                shutil.copytree(os.path.join(build_bin, folder), os.path.join(bin_dir, folder))
        os.mkdir(os.path.join(scratch, "home"))

        class Page(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                self.send_response(200)
                self.send_header("Content-Type", "text/html")
                self.send_header("Content-Length", str(len(START_PAGE)))
                self.end_headers()
                self.wfile.write(START_PAGE)

            def log_message(self, *args):
                pass

        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Page)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        port = server.server_address[1]
        locked = prepare(scratch, bin_dir, port, 1)
        account.own(scratch)
        tovalin = os.path.join(bin_dir, "tovalin")

        # 1. Tovalin alone in cage is a Wayland desktop that Tovalin does not hold: the parent
        #    who activates a locked user is told, on the screen and in the lock log.
        plain = Session(scratch, account, bin_dir, "plain")
        sessions.append(plain)
        plain.start(["cage", "-d", "--", tovalin], locked,
                    {"QT_QPA_PLATFORM": "wayland", "XDG_SESSION_TYPE": "wayland"})
        deadline = time.monotonic() + 60
        while "Tovalin cannot keep the child inside on this desktop" not in plain.log_text():
            if time.monotonic() > deadline or plain.process.poll() is not None:
                fail("no lock log line about the missing lock", plain.log)
            time.sleep(0.2)
        # The warning box sits over the middle of the page.
        plain.wait_for(lambda w, h, px: green_bar_on_top(w, h, px) and magenta_share(w, h, px, 120) > 0.5
                       and not (px[3 * ((h // 2) * w + w // 2)] > 200 and px[3 * ((h // 2) * w + w // 2) + 1] < 60),
                       60, "the start page with the warning box over it")
        print("without the session: the parent is told (lock log and message box)")
        plain.stop()

        # 2. The Tovalin session.
        session = Session(scratch, account, bin_dir, "session")
        sessions.append(session)
        session.start([os.path.join(bin_dir, "tovalin-session"), "Kim"], locked)
        log = session.log_text()
        shot = session.wait_for(green_bar_on_top, 60, "Tovalin's green top bar across the whole width")
        shot = session.wait_for(lambda w, h, px: green_bar_on_top(w, h, px) and magenta_share(w, h, px, 120) > 0.6,
                                30, "the start page")
        print("Tovalin fills the %dx%d output with no title bar; the start page shows" % (shot[0], shot[1]))
        log = session.log_text()
        if "held by the Tovalin session" not in log:
            fail("Tovalin does not report the session as its lock", session.log)
        if "cannot keep the child inside" in log:
            fail("the parent is told no lock works, inside the session", session.log)

        # kill -9: back within 2 s, with the same user.
        before = tovalin_pids(tovalin)
        if len(before) != 1:
            fail("expected one Tovalin process, found %s" % before, session.log)
        killed = time.monotonic()
        os.kill(before[0], signal.SIGKILL)
        restarted = None
        while time.monotonic() - killed < 10:
            now = [p for p in tovalin_pids(tovalin) if p not in before]
            if now:
                restarted = time.monotonic() - killed
                break
            time.sleep(0.02)
        if restarted is None or restarted > RESTART_LIMIT_S:
            fail("Tovalin was not started again within %.0f s of kill -9" % RESTART_LIMIT_S, session.log)
        with open("/proc/%d/cmdline" % now[0], "rb") as f:
            if f.read().split(b"\0")[1:2] != [b"Kim"]:
                fail("Tovalin came back with other arguments", session.log)
        shot = session.wait_for(lambda w, h, px: green_bar_on_top(w, h, px) and magenta_share(w, h, px, 120) > 0.6,
                                30, "Tovalin again after kill -9")
        print("kill -9: Tovalin started again after %.2f s, on the screen with its page after %.2f s"
              % (restarted, time.monotonic() - killed))

        # The exit button ends Tovalin in order, and with it the session.
        button = exit_button(*shot)
        if not button:
            fail("no exit button in the top bar", session.log)
        session.tap(button[0], button[1], shot)
        try:
            code = session.process.wait(20)
        except subprocess.TimeoutExpired:
            fail("the session did not end after Tovalin's exit command", session.log)
        if "ended in order" not in session.log_text():
            fail("the session ended, but not through Tovalin's orderly end (status %d)" % code, session.log)
        if tovalin_pids(tovalin):
            fail("a Tovalin outlives its session", session.log)
        print("the exit button ended Tovalin in order, and cage with it (status %d)" % code)
        return 0
    finally:
        for s in sessions:
            s.stop()
        if server:
            server.shutdown()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())

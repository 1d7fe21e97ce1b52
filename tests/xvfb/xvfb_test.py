#!/usr/bin/python3
# The real program on the virtual X server of xvfb-run, its window found and
# driven with xdotool and closed the way a window manager closes it: a
# WM_DELETE_WINDOW client message, which no command-line tool sends on a bare
# server, so python3-xlib sends it. After every close the program must end
# with status 0, without a sanitizer report and without leaving a process
# behind.
#
# Usage: xvfb-run xvfb_test.py smoke|random-close PROGRAM, or
# xvfb-run xvfb_test.py desktop TST_DESKTOP. Exit status 77: skipped
# (no virtual display, xdotool or python3-xlib; for desktop, no openbox or
# dbus-run-session).
#
# smoke: the window is mapped with its caption, and closed while idle it ends
# the program.
#
# random-close: the window is closed at random moments of a SOLVE run with
# Delay ticked, and the program must end within about a second every time.
# Each round starts the program, types a 2 x 2 system into the input grid,
# ticks Delay with a click and presses Alt+S, waits until the run is seen busy
# counting, then waits a random time and closes the window. The run holds each
# of its 16 steps for about a quarter of a second (longer in a sanitizer build
# or on a busy machine), so the waits, drawn between 0 and 3 s, land anywhere
# in its first half or more: inside a pause (the close is then handled when the
# pause ends) and between two steps. The time to the end includes the
# program's way out, which a sanitizer build makes longer with its leak check,
# so a first round closes the idle window to measure it (itself under 1 s),
# and the limit during a run is 1 s more. QUELVAR_CLOSE_SEED replaces the
# fixed seed of the waits, QUELVAR_CLOSE_ROUNDS the number of rounds (6).
#
# desktop: the Qt Test program TST_DESKTOP runs on the virtual X server under a
# window manager (openbox), which frames a window only after it is shown, and
# with an accessibility bus.

import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from importlib.util import find_spec

CAPTION = re.compile(r"^ Quelvar V1\.0\.0 {6}\S+$")
SANITIZER_REPORT = re.compile(rb"ERROR: (Address|Leak)Sanitizer|runtime error:|UndefinedBehavior")
EXIT_SECONDS = 20  # how long the end may take at all before it counts as hung
DELAY_BOX = ("23", "672")  # the " Delay" indicator, in pixels at 96 dpi
# 2x + y = 5, x + 3y = 10, typed from cell (1, 1): every step of the
# elimination has work to do, so the run holds all of its 16 pauses.
SYSTEM_KEYS = ["2", "Right", "1", "Right", "5", "Down", "1", "0", "Left", "3", "Left", "1"]


class Failure(Exception):
    pass


def log(text):
    print(f"{sys.argv[1]}: {text}", flush=True)


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], capture_output=True, text=True, check=True,
                          timeout=60).stdout.rstrip("\n")


# The program, the leader of a process group of its own, with its output kept.
class Program:
    def __init__(self, path):
        self.output = tempfile.TemporaryFile()
        env = dict(os.environ, QT_QPA_PLATFORM="xcb")
        env.pop("WAYLAND_DISPLAY", None)
        self.process = subprocess.Popen([path], env=env, stdin=subprocess.DEVNULL,
                                        stdout=self.output, stderr=subprocess.STDOUT,
                                        start_new_session=True)

    def processor_seconds(self):
        with open(f"/proc/{self.process.pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    # Closes the window; returns the seconds until the program ended.
    def close(self):
        from Xlib import X, display
        from Xlib.protocol import event
        screen = display.Display()
        window = screen.create_resource_object("window", int(self.window))
        protocols, delete = (screen.intern_atom(n) for n in ("WM_PROTOCOLS", "WM_DELETE_WINDOW"))
        window.send_event(event.ClientMessage(window=window, client_type=protocols,
                                              data=(32, [delete, X.CurrentTime, 0, 0, 0])))
        screen.sync()
        sent = time.monotonic()
        try:
            status = self.process.wait(timeout=EXIT_SECONDS)
        except subprocess.TimeoutExpired:
            raise Failure(f"still running {EXIT_SECONDS} s after its window was closed")
        seconds = time.monotonic() - sent
        self.output.seek(0)
        if status != 0 or SANITIZER_REPORT.search(self.output.read()):
            raise Failure(f"ended with status {status} or a sanitizer report after the close")
        if subprocess.run(["pgrep", "-g", str(self.process.pid)]).returncode == 0:
            raise Failure("left processes behind")
        return seconds


# Starts the program and hands it, its window mapped, to body(program); returns
# what body returned, or None on a failure. The program never outlives this.
def run(path, body):
    program = Program(path)
    try:
        program.window = xdotool("search", "--sync", "--onlyvisible", "--name", "^ Quelvar V1")
        program.window = program.window.split()[0]
        return body(program)
    except (Failure, subprocess.SubprocessError) as failure:
        program.output.seek(0)
        log(f"FAILED: {failure}\n---- its output ----\n{program.output.read().decode(errors='replace')}")
        return None
    finally:
        kill_group(program.process)


def idle_close(program):
    caption = xdotool("getwindowname", program.window)
    if not CAPTION.match(caption):
        raise Failure(f"the caption {caption!r} is not ' Quelvar V1.0.0', six spaces and an address")
    time.sleep(0.5)  # let the window settle as a user's would
    return program.close()


def close_during_run(program, wait):
    xdotool("windowfocus", "--sync", program.window)
    xdotool("key", "--delay", "20", *SYSTEM_KEYS)
    xdotool("mousemove", "--window", program.window, *DELAY_BOX, "click", "1")
    start = program.processor_seconds()
    xdotool("key", "alt+s")
    # Only a run with Delay keeps the program busy.
    deadline = time.monotonic() + 10
    while program.processor_seconds() - start < 0.15:
        if time.monotonic() > deadline:
            raise Failure("Alt+S did not start a run with Delay")
        time.sleep(0.01)
    time.sleep(wait)
    if program.process.poll() is not None:
        raise Failure(f"ended with status {program.process.returncode} before the close")
    return program.close()


def window_manager_running():
    from Xlib import Xatom, display
    screen = display.Display()
    check = screen.screen().root.get_full_property(
        screen.intern_atom("_NET_SUPPORTING_WM_CHECK"), Xatom.WINDOW)
    screen.close()
    return check is not None


# Runs TST_DESKTOP under openbox, on an accessibility bus of its own: a D-Bus
# session whose AT-SPI bus is started first, for Qt's accessibility bridge
# comes up only when it finds one. Returns the test's exit status.
def desktop(test_path):
    manager = subprocess.Popen(["openbox", "--sm-disable"], stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT,
                               start_new_session=True)
    runtime = tempfile.mkdtemp()
    try:
        deadline = time.monotonic() + 20
        while not window_manager_running():
            if time.monotonic() > deadline or manager.poll() is not None:
                log("FAILED: openbox did not start")
                return 1
            time.sleep(0.1)
        activate = ("dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus "
                    'org.a11y.Bus.GetAddress >/dev/null && exec "$0" "$@"')
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_RUNTIME_DIR=runtime)
        test = subprocess.Popen(["dbus-run-session", "--", "sh", "-c", activate, test_path],
                                env=env, stdin=subprocess.DEVNULL, start_new_session=True)
        try:
            return test.wait(timeout=120)
        except subprocess.TimeoutExpired:
            log("FAILED: tst_desktop did not end within 120 s")
            return 1
        finally:
            kill_group(test)
    finally:
        kill_group(manager)
        shutil.rmtree(runtime, ignore_errors=True)


def kill_group(process):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait()


def main():
    if not os.environ.get("DISPLAY") or not shutil.which("xdotool") or not find_spec("Xlib"):
        log("skipped: this runs under xvfb-run, with xdotool and python3-xlib")
        return 77
    if sys.argv[1] == "desktop":
        if not shutil.which("openbox") or not shutil.which("dbus-run-session"):
            log("skipped: this needs openbox and dbus-run-session")
            return 77
        return desktop(sys.argv[2])
    # A CTest timeout ends the test by SIGTERM; the clean-up still runs.
    signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(1))
    idle = run(sys.argv[2], idle_close)
    if idle is None:
        return 1
    log(f"the idle program ended {idle:.2f} s after the close")
    if sys.argv[1] == "smoke":
        return 0
    seed = int(os.environ.get("QUELVAR_CLOSE_SEED") or 20261206)
    rounds = int(os.environ.get("QUELVAR_CLOSE_ROUNDS") or 6)
    limit = 1.0 + idle
    log(f"seed {seed}, {rounds} rounds, each to end within {limit:.2f} s of the close")
    draw = random.Random(seed)
    failures = int(idle > 1.0)
    if failures:
        log("FAILED: the idle program took over 1 s to end")
    for number in range(1, rounds + 1):
        wait = draw.uniform(0, 3.0)
        ended = run(sys.argv[2], lambda program: close_during_run(program, wait))
        failures += ended is None or ended > limit
        log(f"round {number}: closed {wait:.2f} s into the run: " + (
            "FAILED" if ended is None else f"ended {ended:.2f} s after" + (
                ", too late: FAILED" if ended > limit else "")))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

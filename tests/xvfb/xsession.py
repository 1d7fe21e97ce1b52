"""What the tests under tests/xvfb share: a virtual X server of their own, the
real program started on it with its output kept, its window found by caption,
real key and mouse input through XTEST, and the close a window manager sends
(a WM_DELETE_WINDOW client message).

python3-xlib is imported inside the functions, so that a script can import
this module and still report a skip when python3-xlib is missing.
"""

import contextlib
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time

SKIP = 77
CAPTION = re.compile(r"^ Quelvar V1\.0\.0 {6}\S+$")
SERVER_START_SECONDS = 20
WINDOW_OPEN_SECONDS = 60  # a sanitizer build starts slowly on a busy machine
SANITIZER_REPORT = re.compile(
    r"ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:|UndefinedBehaviorSanitizer")

# Where things are in the client area, in pixels at 96 dots per inch (the
# window's layout is in twips, 15 to a pixel there).
DELAY_BOX = (23, 672)  # the indicator of the " Delay" check box
WORKING_GRID = (24, 221, 753, 213)  # msfmain: left, top, width, height

_log_prefix = "xvfb"


class Failure(Exception):
    pass


class Stopped(Failure):
    """The test itself was told to stop: no further round may run."""


def set_log_prefix(prefix):
    global _log_prefix
    _log_prefix = prefix


def log(text):
    print(f"{_log_prefix}: {text}", flush=True)


def missing_requirement():
    """Why the test cannot run here (it is then skipped), or None."""
    if shutil.which("Xvfb") is None:
        return "Xvfb is not installed (package xvfb)"
    try:
        import Xlib  # noqa: F401
    except ImportError:
        return "python3-xlib is not installed"
    return None


def _terminated(signum, frame):
    raise Stopped(f"stopped by signal {signum}")


def fail_on_termination():
    """Turns SIGTERM and SIGINT (a CTest timeout, Ctrl+C) into a Stopped failure,
    so that the clean-up in the finally blocks still ends Xvfb and the program."""
    signal.signal(signal.SIGTERM, _terminated)
    signal.signal(signal.SIGINT, _terminated)


def start_server():
    """Starts Xvfb on a display of its own choosing; returns (process, display)."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
         "-dpi", "96", "-nolisten", "tcp", "-noreset"],
        pass_fds=[write_end], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
        stderr=subprocess.PIPE, start_new_session=True)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + SERVER_START_SECONDS
    try:
        while not number.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise Failure("Xvfb did not start in time")
            ready, _, _ = select.select([read_end], [], [], remaining)
            if ready:
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise Failure("Xvfb ended before it was ready: "
                                  + server.stderr.read().decode(errors="replace"))
                number += chunk
    except BaseException:
        stop(server, "Xvfb")
        raise
    finally:
        os.close(read_end)
    return server, ":" + number.decode().strip()


@contextlib.contextmanager
def x_server():
    """A fresh Xvfb and a connection to it: yields (display name, display).
    The server is always ended on the way out."""
    server = display = None
    try:
        server, display_name = start_server()
        log(f"Xvfb on {display_name}")
        from Xlib import display as xdisplay
        display = xdisplay.Display(display_name)
        if not display.has_extension("XTEST"):
            raise Failure("the X server has no XTEST extension")
        yield display_name, display
    finally:
        if display is not None:
            try:
                display.close()
            except Exception:
                pass
        stop(server, "Xvfb")


def group_members(group):
    """The processes still in a process group, as (pid, command name) pairs."""
    members = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read()
        except OSError:
            continue  # it ended while we looked
        # pid (comm) state ppid pgrp ...: comm may hold spaces and parentheses.
        name = fields[fields.index("(") + 1:fields.rindex(")")]
        rest = fields[fields.rindex(")") + 2:].split()
        if int(rest[2]) == group:
            members.append((int(entry), name))
    return members


def stop(process, what):
    """Ends a process we started (and everything it started), if it still runs.
    Each was started as the leader of a process group of its own, so whatever
    it started and left behind is ended with it."""
    if process is None:
        return
    if process.poll() is not None:
        if group_members(process.pid):
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        return
    for sig, wait in ((signal.SIGTERM, 5), (signal.SIGKILL, 5)):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            return
        try:
            process.wait(timeout=wait)
            return
        except subprocess.TimeoutExpired:
            pass
    log(f"{what} (pid {process.pid}) would not end")


def window_caption(display, window):
    net_wm_name = display.intern_atom("_NET_WM_NAME")
    utf8 = display.intern_atom("UTF8_STRING")
    prop = window.get_full_property(net_wm_name, utf8)
    if prop is not None and prop.value:
        value = prop.value
        return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
    name = window.get_wm_name()
    if isinstance(name, bytes):
        name = name.decode("latin-1")
    return name or ""


def mapped_top_level_windows(display):
    from Xlib import X
    from Xlib.error import XError
    found = []
    for window in display.screen().root.query_tree().children:
        try:
            if window.get_attributes().map_state == X.IsViewable:
                found.append((window, window_caption(display, window)))
        except XError:
            pass  # the window went away while we looked
    return found


def wait_for_window(display, program):
    deadline = time.monotonic() + WINDOW_OPEN_SECONDS
    seen = []
    while time.monotonic() < deadline:
        if program.poll() is not None:
            raise Failure(f"the program ended with status {program.returncode} "
                          "before its window was mapped")
        seen = mapped_top_level_windows(display)
        for window, caption in seen:
            if caption.startswith(" Quelvar V1.0.0"):
                return window, caption
        time.sleep(0.1)
    raise Failure("no window with a caption starting ' Quelvar V1.0.0' was mapped in time; "
                  f"mapped top-level windows: {[caption for _, caption in seen]}")


def send_delete_window(display, window):
    from Xlib import X
    from Xlib.protocol import event
    wm_protocols = display.intern_atom("WM_PROTOCOLS")
    wm_delete_window = display.intern_atom("WM_DELETE_WINDOW")
    protocols = window.get_wm_protocols() or []
    if wm_delete_window not in protocols:
        raise Failure("the window does not take part in the WM_DELETE_WINDOW protocol")
    message = event.ClientMessage(
        window=window, client_type=wm_protocols,
        data=(32, [wm_delete_window, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    display.flush()


def close_and_wait(display, window, program, timeout):
    """Closes the window and waits for the program to end. Returns the seconds
    from the close to the end and the exit status; fails after timeout."""
    send_delete_window(display, window)
    sent = time.monotonic()
    try:
        status = program.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        raise Failure(f"the program was still running {timeout} s after "
                      "its window was closed")
    return time.monotonic() - sent, status


def window_shown(window):
    from Xlib import X
    from Xlib.error import XError
    try:
        return window.get_attributes().map_state == X.IsViewable
    except XError:
        return False  # destroyed


def close_and_watch(display, window, program, timeout):
    """Closes the window and watches it go and the program end, looking every
    10 ms. Returns the seconds from the close until the window was no longer
    shown, the seconds until the program ended, and its exit status; fails
    after timeout."""
    send_delete_window(display, window)
    sent = time.monotonic()
    window_gone = None
    while True:
        now = time.monotonic()
        status = program.poll()
        if window_gone is None and (status is not None or not window_shown(window)):
            window_gone = now - sent
        if status is not None:
            return window_gone, now - sent, status
        if now - sent > timeout:
            raise Failure(f"the program was still running {timeout} s after "
                          "its window was closed")
        time.sleep(0.01)


def start_program(program_path, display_name, output):
    env = dict(os.environ, DISPLAY=display_name, QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    return subprocess.Popen([program_path], env=env, stdin=subprocess.DEVNULL,
                            stdout=output, stderr=subprocess.STDOUT, start_new_session=True)


def run_program(program_path, display_name, body):
    """Starts the program, hands it to body(program) and checks its output for
    a sanitizer report. Shows the output and returns False on a failure, True
    otherwise. The program never outlives this call."""
    program = None
    with tempfile.TemporaryFile() as output:
        try:
            program = start_program(program_path, display_name, output)
            body(program)
            output.seek(0)
            if SANITIZER_REPORT.search(output.read().decode(errors="replace")):
                raise Failure("the program's output holds a sanitizer report")
            return True
        except Stopped:
            raise
        except Failure as failure:
            log(f"FAILED: {failure}")
            output.seek(0)
            text = output.read().decode(errors="replace")
            if text:
                print("---- program output ----\n" + text, flush=True)
            return False
        finally:
            stop(program, "the program")


def client_pixels(display, window, area):
    """The pixels of a rectangle of the window's client area, as bytes."""
    from Xlib import X
    left, top, width, height = area
    image = window.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF)
    return image.data


def wait_for_change(display, window, area, before, what):
    deadline = time.monotonic() + WINDOW_OPEN_SECONDS
    while time.monotonic() < deadline:
        if client_pixels(display, window, area) != before:
            return
        time.sleep(0.05)
    raise Failure(f"{what} did not change the window")


def press_keys(display, *keysym_names):
    """Presses the keys in order and releases them in reverse, like a chord."""
    from Xlib import XK, X
    from Xlib.ext import xtest
    codes = [display.keysym_to_keycode(XK.string_to_keysym(name)) for name in keysym_names]
    for code in codes:
        xtest.fake_input(display, X.KeyPress, code)
        display.sync()
    for code in reversed(codes):
        xtest.fake_input(display, X.KeyRelease, code)
        display.sync()


def click(display, window, point):
    from Xlib import X
    from Xlib.ext import xtest
    root = display.screen().root
    origin = window.translate_coords(root, 0, 0)
    xtest.fake_input(display, X.MotionNotify, x=point[0] - origin.x, y=point[1] - origin.y)
    display.sync()
    xtest.fake_input(display, X.ButtonPress, 1)
    display.sync()
    xtest.fake_input(display, X.ButtonRelease, 1)
    display.sync()


def start_delayed_solve(display, window, keys):
    """Focuses the window, types keys (keysym names, one key each) into the
    input grid from its cell (1, 1), ticks Delay and presses Alt+S; returns
    once SOLVE has changed the working grid."""
    from Xlib import X
    # What a window manager does when the window is clicked: give it the
    # keyboard focus. The input grid has the focus inside the window, on
    # cell (1, 1).
    window.set_input_focus(X.RevertToParent, X.CurrentTime)
    display.sync()
    time.sleep(0.3)
    for key in keys:
        press_keys(display, key)

    box_area = (DELAY_BOX[0] - 8, DELAY_BOX[1] - 8, 16, 16)
    box = client_pixels(display, window, box_area)
    click(display, window, DELAY_BOX)
    wait_for_change(display, window, box_area, box, "ticking Delay")

    working = client_pixels(display, window, WORKING_GRID)
    press_keys(display, "Alt_L", "s")
    wait_for_change(display, window, WORKING_GRID, working, "Alt+S (SOLVE)")


def main(prefix, usage, run):
    """The entry point of a test script: PROGRAM is its one argument, and it
    is skipped (exit 77) when Xvfb or python3-xlib is missing."""
    import sys
    set_log_prefix(prefix)
    if len(sys.argv) != 2:
        print(usage, file=sys.stderr)
        return 2
    missing = missing_requirement()
    if missing:
        log(f"skipped: {missing}")
        return SKIP
    fail_on_termination()
    return run(sys.argv[1])

#!/usr/bin/python3
"""Starts the real Quelvar program on a virtual X server, checks that its
window is mapped with the right caption, closes it the way a window manager
does (a WM_DELETE_WINDOW client message) and checks that the program then ends
promptly with status 0 and without any sanitizer report. Twice: once while the
window is idle, once in the middle of a SOLVE run with Delay ticked, started
with real key and mouse input (XTEST).

Usage: smoke_test.py PROGRAM

Exit status 0 on success, 1 on failure, 77 when Xvfb or python3-xlib is not
installed (the test is then reported as skipped).
"""

import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
CAPTION = re.compile(r"^ Quelvar V1\.0\.0 {6}\S+$")
SERVER_START_SECONDS = 20
WINDOW_OPEN_SECONDS = 60  # a sanitizer build starts slowly on a busy machine
EXIT_SECONDS = 20  # the leak check at exit takes a moment too
SANITIZER_REPORT = re.compile(
    r"ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:|UndefinedBehaviorSanitizer")


class Failure(Exception):
    pass


def log(text):
    print(f"smoke: {text}", flush=True)


def terminated(signum, frame):
    raise Failure(f"stopped by signal {signum}")


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


def stop(process, what):
    """Ends a process we started (and everything it started), if it still runs."""
    if process is None or process.poll() is not None:
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


# Where things are in the client area, in pixels at 96 dots per inch (the
# window's layout is in twips, 15 to a pixel there).
DELAY_BOX = (23, 672)  # the indicator of the " Delay" check box
WORKING_GRID = (24, 221, 753, 213)  # msfmain: left, top, width, height


def start_program(program_path, display_name, output):
    env = dict(os.environ, DISPLAY=display_name, QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    return subprocess.Popen([program_path], env=env, stdin=subprocess.DEVNULL,
                            stdout=output, stderr=subprocess.STDOUT, start_new_session=True)


def close_and_wait(display, window, program):
    send_delete_window(display, window)
    sent = time.monotonic()
    try:
        status = program.wait(timeout=EXIT_SECONDS)
    except subprocess.TimeoutExpired:
        raise Failure(f"the program was still running {EXIT_SECONDS} s after "
                      "its window was closed")
    log(f"program ended {time.monotonic() - sent:.2f} s after the close "
        f"with status {status}")
    if status != 0:
        raise Failure(f"the program ended with status {status}")


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


def idle_close(display, program):
    window, caption = wait_for_window(display, program)
    log(f"window 0x{window.id:x} mapped with caption {caption!r}")
    if not CAPTION.match(caption):
        raise Failure(f"the caption {caption!r} is not ' Quelvar V1.0.0', "
                      "six spaces and the web address")
    geometry = window.get_geometry()
    log(f"client area {geometry.width} x {geometry.height}")
    close_and_wait(display, window, program)


def close_during_run(display, program):
    from Xlib import X
    window, _ = wait_for_window(display, program)
    # What a window manager does when the window is clicked: give it the
    # keyboard focus. The input grid has the focus inside the window, on
    # cell (1, 1).
    window.set_input_focus(X.RevertToParent, X.CurrentTime)
    display.sync()
    time.sleep(0.3)
    press_keys(display, "2")

    box_area = (DELAY_BOX[0] - 8, DELAY_BOX[1] - 8, 16, 16)
    box = client_pixels(display, window, box_area)
    click(display, window, DELAY_BOX)
    wait_for_change(display, window, box_area, box, "ticking Delay")

    working = client_pixels(display, window, WORKING_GRID)
    press_keys(display, "Alt_L", "s")
    wait_for_change(display, window, WORKING_GRID, working, "Alt+S (SOLVE)")
    log("SOLVE is running with Delay")
    time.sleep(0.5)  # a 2 x 2 run with Delay takes several seconds
    close_and_wait(display, window, program)


def run(program_path):
    server = display = None
    try:
        server, display_name = start_server()
        log(f"Xvfb on {display_name}")
        from Xlib import display as xdisplay
        display = xdisplay.Display(display_name)
        if not display.has_extension("XTEST"):
            raise Failure("the X server has no XTEST extension")
        for scenario in (idle_close, close_during_run):
            log(f"-- {scenario.__name__}")
            if not run_scenario(scenario, program_path, display_name, display):
                return 1
        return 0
    except Failure as failure:
        log(f"FAILED: {failure}")
        return 1
    finally:
        if display is not None:
            try:
                display.close()
            except Exception:
                pass
        stop(server, "Xvfb")


def run_scenario(scenario, program_path, display_name, display):
    program = None
    with tempfile.TemporaryFile() as output:
        try:
            program = start_program(program_path, display_name, output)
            scenario(display, program)
            output.seek(0)
            if SANITIZER_REPORT.search(output.read().decode(errors="replace")):
                raise Failure("the program's output holds a sanitizer report")
            return True
        except Failure as failure:
            log(f"FAILED: {failure}")
            output.seek(0)
            text = output.read().decode(errors="replace")
            if text:
                print("---- program output ----\n" + text, flush=True)
            return False
        finally:
            stop(program, "the program")


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    if shutil.which("Xvfb") is None:
        log("skipped: Xvfb is not installed (package xvfb)")
        return SKIP
    try:
        import Xlib  # noqa: F401
    except ImportError:
        log("skipped: python3-xlib is not installed")
        return SKIP
    signal.signal(signal.SIGTERM, terminated)
    signal.signal(signal.SIGINT, terminated)
    return run(sys.argv[1])


if __name__ == "__main__":
    sys.exit(main())

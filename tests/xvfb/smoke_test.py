#!/usr/bin/python3
"""Starts the real Quelvar program on a virtual X server, checks that its
window is mapped with the right caption, closes it the way a window manager
does (a WM_DELETE_WINDOW client message) and checks that the program then ends
promptly with status 0 and without any sanitizer report.

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


def run(program_path):
    server = program = display = None
    output = tempfile.TemporaryFile()
    try:
        server, display_name = start_server()
        log(f"Xvfb on {display_name}")
        env = dict(os.environ, DISPLAY=display_name, QT_QPA_PLATFORM="xcb")
        env.pop("WAYLAND_DISPLAY", None)
        program = subprocess.Popen([program_path], env=env, stdin=subprocess.DEVNULL,
                                   stdout=output, stderr=subprocess.STDOUT,
                                   start_new_session=True)

        from Xlib import display as xdisplay
        display = xdisplay.Display(display_name)
        window, caption = wait_for_window(display, program)
        log(f"window 0x{window.id:x} mapped with caption {caption!r}")
        if not CAPTION.match(caption):
            raise Failure(f"the caption {caption!r} is not ' Quelvar V1.0.0', "
                          "six spaces and the web address")
        geometry = window.get_geometry()
        log(f"client area {geometry.width} x {geometry.height}")

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
        output.seek(0)
        text = output.read().decode(errors="replace")
        if SANITIZER_REPORT.search(text):
            raise Failure("the program's output holds a sanitizer report")
        return 0
    except Failure as failure:
        log(f"FAILED: {failure}")
        output.seek(0)
        text = output.read().decode(errors="replace")
        if text:
            print("---- program output ----\n" + text, flush=True)
        return 1
    finally:
        if display is not None:
            try:
                display.close()
            except Exception:
                pass
        stop(program, "the program")
        stop(server, "Xvfb")
        output.close()


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

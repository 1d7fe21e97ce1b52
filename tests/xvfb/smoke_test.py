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

import sys
import time

import xsession
from xsession import CAPTION, Failure, log

EXIT_SECONDS = 20  # the leak check at exit takes a moment too


def close_and_wait(display, window, program):
    seconds, status = xsession.close_and_wait(display, window, program, EXIT_SECONDS)
    log(f"program ended {seconds:.2f} s after the close with status {status}")
    if status != 0:
        raise Failure(f"the program ended with status {status}")


def idle_close(display, program):
    window, caption = xsession.wait_for_window(display, program)
    log(f"window 0x{window.id:x} mapped with caption {caption!r}")
    if not CAPTION.match(caption):
        raise Failure(f"the caption {caption!r} is not ' Quelvar V1.0.0', "
                      "six spaces and the web address")
    geometry = window.get_geometry()
    log(f"client area {geometry.width} x {geometry.height}")
    close_and_wait(display, window, program)


def close_during_run(display, program):
    window, _ = xsession.wait_for_window(display, program)
    xsession.start_delayed_solve(display, window, ["2"])
    log("SOLVE is running with Delay")
    time.sleep(0.5)  # a 2 x 2 run with Delay takes several seconds
    close_and_wait(display, window, program)


def run(program_path):
    try:
        with xsession.x_server() as (display_name, display):
            for scenario in (idle_close, close_during_run):
                log(f"-- {scenario.__name__}")
                if not xsession.run_program(program_path, display_name,
                                            lambda program: scenario(display, program)):
                    return 1
        return 0
    except Failure as failure:
        log(f"FAILED: {failure}")
        return 1


if __name__ == "__main__":
    sys.exit(xsession.main("smoke", __doc__, run))

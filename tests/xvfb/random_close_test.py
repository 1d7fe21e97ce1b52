#!/usr/bin/python3
"""Closes the real Quelvar program's window the way a window manager does (a
WM_DELETE_WINDOW client message) at random moments of a SOLVE run with Delay
ticked, and checks every time that the program ends within about a second,
with status 0, without any sanitizer report and without leaving a process
behind.

Each round starts the program on the same virtual X server, types a 2 x 2
system into the input grid with real keys (XTEST), ticks Delay with a click,
presses Alt+S, waits a random time and closes the window. The run holds each
of its 16 steps for about a quarter of a second (longer in a sanitizer build
or on a busy machine), so the waits, drawn between 0 and 3 s, land anywhere in
its first half or more: right at its start, inside a pause (the close is then
handled when the pause ends) and between two steps.

The time from the close to the end of the process includes what the process
spends on its way out, which a sanitizer build makes longer with its leak
check. So a first round closes the idle window to measure that exit time
(it must itself be under 1 s), and the limit for the rounds in a run is 1 s
more than it.

Usage: random_close_test.py PROGRAM

Environment: QUELVAR_CLOSE_SEED (an integer) replaces the fixed seed of the
waits, QUELVAR_CLOSE_ROUNDS the number of rounds during a run (6).

Exit status 0 on success, 1 on failure, 77 when Xvfb or python3-xlib is not
installed (the test is then reported as skipped).
"""

import os
import random
import sys
import time

import xsession
from xsession import Failure, log

DEFAULT_SEED = 20261206
DEFAULT_ROUNDS = 6
LONGEST_WAIT_SECONDS = 3.0
PROMPT_SECONDS = 1.0  # how soon after the close the program must have ended
EXIT_SECONDS = 20  # how long we wait at all before calling it hung

# 2x + y = 5, x + 3y = 10, typed from cell (1, 1): every step of the
# elimination has work to do, so the run holds all of its 16 pauses.
SYSTEM_KEYS = ["2", "Right", "1", "Right", "5",
               "Down", "1", "0", "Left", "3", "Left", "1"]


def environment_number(name, default):
    text = os.environ.get(name, "")
    if not text:
        return default
    try:
        return int(text)
    except ValueError:
        raise Failure(f"{name}={text!r} is not an integer")


def close_and_measure(display, window, program):
    """Closes the window; returns the seconds until the window went and until
    the program ended."""
    window_gone, ended, status = xsession.close_and_watch(display, window, program,
                                                          EXIT_SECONDS)
    if status != 0:
        raise Failure(f"the program ended with status {status} "
                      f"{ended:.2f} s after the close")
    leftover = xsession.group_members(program.pid)
    if leftover:
        raise Failure(f"the program left processes behind: {leftover}")
    return window_gone, ended


def idle_round(display, program):
    window, _ = xsession.wait_for_window(display, program)
    time.sleep(0.5)  # let the window settle as a user's would
    return close_and_measure(display, window, program)


def run_round(display, program, wait):
    window, _ = xsession.wait_for_window(display, program)
    xsession.start_delayed_solve(display, window, SYSTEM_KEYS)
    time.sleep(wait)
    if program.poll() is not None:
        raise Failure(f"the program ended with status {program.returncode} "
                      "before its window was closed")
    return close_and_measure(display, window, program)


def measured(program_path, display_name, body):
    """Runs one round; returns its seconds from the close until the window went
    and until the program ended, or None on a failure."""
    result = []
    if xsession.run_program(program_path, display_name,
                            lambda program: result.append(body(program))):
        return result[0]
    return None


def run(program_path, seed, rounds):
    draw = random.Random(seed)
    waits = [draw.uniform(0, LONGEST_WAIT_SECONDS) for _ in range(rounds)]
    log(f"seed {seed}, {rounds} rounds (QUELVAR_CLOSE_SEED, QUELVAR_CLOSE_ROUNDS)")
    failures = 0
    try:
        with xsession.x_server() as (display_name, display):
            idle = measured(program_path, display_name,
                            lambda program: idle_round(display, program))
            if idle is None:
                return 1
            window_gone, exit_time = idle
            log(f"idle window closed: window gone {window_gone:.2f} s, program ended "
                f"{exit_time:.2f} s after the close")
            if exit_time > PROMPT_SECONDS:
                log(f"FAILED: the idle program took over {PROMPT_SECONDS:.2f} s to end")
                return 1
            limit = PROMPT_SECONDS + exit_time
            log(f"limit during a run: {limit:.2f} s")
            for number, wait in enumerate(waits, 1):
                times = measured(program_path, display_name,
                                 lambda program: run_round(display, program, wait))
                if times is None:
                    log(f"round {number}: closed {wait:.2f} s into the run: FAILED")
                    failures += 1
                    continue
                window_gone, ended = times
                verdict = "ok" if ended <= limit else f"FAILED: over {limit:.2f} s"
                log(f"round {number}: closed {wait:.2f} s into the run; window gone "
                    f"{window_gone:.2f} s, program ended {ended:.2f} s after the close, "
                    f"status 0: {verdict}")
                if ended > limit:
                    failures += 1
    except Failure as failure:
        log(f"FAILED: {failure}")
        return 1
    if failures:
        log(f"FAILED: {failures} of {rounds} rounds (seed {seed})")
        return 1
    return 0


def run_from_environment(program_path):
    try:
        seed = environment_number("QUELVAR_CLOSE_SEED", DEFAULT_SEED)
        rounds = environment_number("QUELVAR_CLOSE_ROUNDS", DEFAULT_ROUNDS)
    except Failure as failure:
        log(f"FAILED: {failure}")
        return 1
    return run(program_path, seed, rounds)


if __name__ == "__main__":
    sys.exit(xsession.main("random close", __doc__, run_from_environment))

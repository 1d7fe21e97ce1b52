"""Runs the CTest tests of a build the way the mutation run needs them: two at
a time, the ones that catch most per second first, and all of them stopped
at the first failure, a Qt Test "FAIL!" line included, since one failure is
all a run needs to know. A test that runs past its time limit counts as a
failure: an endless loop is a fault the tests caught."""

import dataclasses
import json
import os
import signal
import subprocess
import tempfile
import time

PARALLEL = 2
# A test may take this many times its time on the unchanged tree, and at
# least MIN_TIMEOUT seconds, before it counts as hanging.
TIMEOUT_FACTOR = 4
MIN_TIMEOUT = 10.0
POLL_SECONDS = 0.02


@dataclasses.dataclass
class Test:
    name: str
    command: list
    environment: dict
    directory: str
    seconds: float = 1.0   # on the unchanged tree
    catches: int = 0       # failures seen so far in this run


@dataclasses.dataclass
class Outcome:
    failed: str = ""       # the first test that failed, "" when all passed
    reason: str = ""
    timed_out: bool = False


def tests_of_build(build_dir):
    listing = subprocess.run(["ctest", "--test-dir", str(build_dir), "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    tests = []
    for entry in json.loads(listing)["tests"]:
        if "command" not in entry:
            continue
        properties = {p["name"]: p["value"] for p in entry.get("properties", [])}
        environment = dict(os.environ)
        for assignment in properties.get("ENVIRONMENT", []):
            name, _, value = assignment.partition("=")
            environment[name] = value
        tests.append(Test(entry["name"], entry["command"], environment,
                          properties.get("WORKING_DIRECTORY", str(build_dir))))
    return tests


def run_tests(tests, timeouts):
    """Runs the tests until one fails. With `timeouts`, each test is stopped
    past its limit; without, the tests' times are measured instead."""
    order = sorted(tests, key=lambda t: -(t.catches + 1) / max(t.seconds, 0.01))
    waiting = list(order)
    running = []
    outcome = Outcome()
    with tempfile.TemporaryDirectory(prefix="quelvar-mutation-") as scratch:
        try:
            while (waiting or running) and not outcome.failed:
                while waiting and len(running) < PARALLEL:
                    running.append(_start(waiting.pop(0), scratch))
                time.sleep(POLL_SECONDS)
                for run in list(running):
                    verdict = _look_at(run, timeouts)
                    if verdict is None:
                        continue
                    running.remove(run)
                    if verdict:
                        outcome = Outcome(run.test.name, verdict, verdict == "timed out")
                        run.test.catches += 1
                        break
                    if not timeouts:
                        run.test.seconds = time.monotonic() - run.started
        finally:
            for run in running:
                _stop(run)
    return outcome


@dataclasses.dataclass
class _Run:
    test: Test
    process: subprocess.Popen
    output: object
    started: float
    limit: float
    read: int = 0


def _start(test, scratch):
    output = open(os.path.join(scratch, test.name + ".txt"), "w+b")
    process = subprocess.Popen(test.command, cwd=test.directory, env=test.environment,
                               stdin=subprocess.DEVNULL, stdout=output, stderr=subprocess.STDOUT,
                               start_new_session=True)
    limit = max(MIN_TIMEOUT, TIMEOUT_FACTOR * test.seconds)
    return _Run(test, process, output, time.monotonic(), limit)


def _look_at(run, timeouts):
    """None while the test runs on; "" when it passed; else why it failed."""
    run.output.seek(run.read)
    fresh = run.output.read()
    # Only whole lines: a line still being written is looked at next time.
    whole = fresh[:fresh.rfind(b"\n") + 1]
    run.read += len(whole)
    if b"\nFAIL!" in b"\n" + whole:
        _stop(run)
        return "FAIL!"
    status = run.process.poll()
    if status is not None:
        _stop(run)
        return "" if status == 0 else f"exit status {status}"
    if timeouts and time.monotonic() - run.started > run.limit:
        _stop(run)
        return "timed out"
    return None


def _stop(run):
    """Ends the test and whatever it started (the program it runs)."""
    try:
        os.killpg(run.process.pid, signal.SIGKILL)
    except (ProcessLookupError, PermissionError):
        pass
    run.process.wait()
    run.output.close()

"""tools/mutation --generated: plants faults made mechanically from the
sources (tools/lib/mutant_sites.py), one at a time, into the scratch copy of
the tree, builds it, runs the tests and reports which faults they caught.

A fixed-seed sample of the faults is taken: each fault's place in it is a
hash of the seed and its id, so an edit elsewhere in the tree leaves the
sample as it was except for the faults it adds or removes. Each fault's
result is kept under build/mutation/results/<hash of the tree>/, so an
interrupted run goes on where it stopped, and any change to the tree starts
afresh. tests/mutants/equivalent.txt lists the reviewed survivors that no
test can tell from the program, each with its reason.
"""

import argparse
import hashlib
import json
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import time

import mutant_sites
import test_runner

ROOT = pathlib.Path(__file__).resolve().parents[2]
FOLDERS = ["app", "linsys", "pivot", "ui"]
EQUIVALENT_LIST = ROOT / "tests" / "mutants" / "equivalent.txt"
SCRATCH = ROOT / "build" / "mutation"
SOURCE = SCRATCH / "src"
BUILD = SCRATCH / "generated"
RESULTS = SCRATCH / "results"
LOG = SCRATCH / "log"

# The tests that run: every tst_* program but the monkey, as in the mode of
# the planted faults.
TEST_PATTERN = re.compile(r"^tst_")
TESTS_LEFT_OUT = {"tst_monkey"}

CONFIGURE = [
    "-G", "Ninja",
    "-DCMAKE_BUILD_TYPE=Release",
    # -O1 compiles in two thirds of the time of -O2; the tests run as fast.
    "-DCMAKE_CXX_FLAGS_RELEASE=-O1",
    "-DBUILD_TESTING=ON",
    "-DQUELVAR_BENCH=OFF",
    "-DQUELVAR_SHARED_LIBS=ON",
]


def main():
    options = parse_arguments()
    tree_files = tracked_files()
    mutants = [m for m in mutant_sites.mutants_of_tree(ROOT, FOLDERS) if m.path in tree_files]
    if options.list:
        for m in mutants:
            print(f"{m.id}  {m.diff()}")
        print(f"{len(mutants)} mutants")
        return 0

    chosen = choose(mutants, options)
    if chosen is None:
        return 2
    equivalent = read_equivalent_list()
    results_dir = RESULTS / tree_hash(tree_files)
    if options.fresh and results_dir.exists():
        for old in results_dir.glob("*.json"):
            old.unlink()
    results_dir.mkdir(parents=True, exist_ok=True)
    LOG.mkdir(parents=True, exist_ok=True)

    started = time.monotonic()
    configure()
    build_targets, tests = prepare_tests(results_dir)
    if tests is None:
        return 2
    results = run_all(chosen, build_targets, tests, results_dir)
    report(chosen, results, equivalent, time.monotonic() - started)
    return 0


def parse_arguments():
    parser = argparse.ArgumentParser(prog="tools/mutation --generated",
                                     description=__doc__.split("\n\n")[0])
    parser.add_argument("--count", type=int, default=200, help="size of the sample (200)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the sample (1)")
    parser.add_argument("--fresh", action="store_true", help="forget the results of earlier runs")
    parser.add_argument("--list", action="store_true", help="list every mutant that can be made, and stop")
    parser.add_argument("ids", nargs="*", help="run these mutants instead of the sample")
    return parser.parse_args()


def tracked_files():
    listing = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                             cwd=ROOT, check=True, capture_output=True).stdout.decode()
    return {f for f in listing.split("\0") if f and (ROOT / f).is_file()}


# What a fault's result cannot depend on: the tools (this one included), the
# documentation, the benchmark (not built here) and the list of equivalents.
NOT_HASHED = ("tools/", "docs/", "bench/", "tests/mutants/", "README.md")


def tree_hash(files):
    """A hash of everything a fault's result depends on: the program, its
    tests and its build."""
    digest = hashlib.sha1()
    for name in sorted(f for f in files if not f.startswith(NOT_HASHED)):
        digest.update(name.encode() + b"\0" + (ROOT / name).read_bytes() + b"\0")
    return digest.hexdigest()[:16]


def choose(mutants, options):
    if options.ids:
        by_id = {m.id: m for m in mutants}
        unknown = [i for i in options.ids if i not in by_id]
        if unknown:
            print("no such mutant: " + " ".join(unknown), file=sys.stderr)
            return None
        chosen = [by_id[i] for i in options.ids]
    else:
        rank = lambda m: hashlib.sha1(f"{options.seed}:{m.id}".encode()).hexdigest()
        chosen = sorted(mutants, key=rank)[:options.count]
    # A file's faults one after the other: the file is compiled once per
    # fault, and once more when the next file's turn comes.
    files = sorted({m.path for m in chosen}, key=lambda path: (is_header(path), path))
    return sorted(chosen, key=lambda m: (files.index(m.path), m.start, m.id))


def is_header(path):
    return path.endswith(".h")


def read_equivalent_list():
    """id -> reason, from the reviewed list."""
    equivalent = {}
    if EQUIVALENT_LIST.exists():
        for line in EQUIVALENT_LIST.read_text(encoding="utf-8").splitlines():
            if line.strip() and not line.startswith("#"):
                mutant_id, _, reason = line.partition(" ")
                equivalent[mutant_id] = reason.strip()
    return equivalent


def configure():
    options = list(CONFIGURE)
    if shutil.which("ccache"):
        # A file taken back to what it was compiles from the cache, and so
        # does every fault again once only the tests have changed.
        options.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    with (LOG / "generated-configure.txt").open("w") as log:
        subprocess.run(["cmake", "-S", str(SOURCE), "-B", str(BUILD), *options,
                        f"-DCMAKE_PROJECT_INCLUDE={SOURCE / 'tools/lib/mutation-build.cmake'}"],
                       check=True, stdout=log, stderr=subprocess.STDOUT)


def build_environment():
    environment = dict(os.environ)
    environment.update({
        "CCACHE_DIR": str(SCRATCH / "ccache"),
        "CCACHE_MAXSIZE": "4G",
        # The precompiled headers, and sources written just before the build.
        "CCACHE_SLOPPINESS": "pch_defines,time_macros,include_file_mtime,include_file_ctime",
    })
    return environment


def build(targets, log_name):
    """True when the tree built; the build's output goes to the log."""
    with (LOG / log_name).open("w") as log:
        command = ["ninja", "-C", str(BUILD), "-j", "2", *targets]
        return subprocess.run(command, env=build_environment(), stdout=log,
                              stderr=subprocess.STDOUT).returncode == 0


def prepare_tests(results_dir):
    """Builds the unchanged tree and times its tests, which must pass."""
    # CTest names a test's program only once it is built.
    if not build(["all"], "generated-build-unchanged.txt"):
        say(f"the unchanged tree does not build; see {LOG / 'generated-build-unchanged.txt'}")
        return None, None
    tests = [t for t in test_runner.tests_of_build(BUILD)
             if TEST_PATTERN.match(t.name) and t.name not in TESTS_LEFT_OUT]
    # A fault needs only these built again: the programs of the build that
    # the tests run (some through a virtual X server); tst_program runs the
    # program itself.
    targets = sorted({pathlib.Path(arg).name for t in tests for arg in t.command
                      if arg.startswith(str(BUILD))} | {"quelvar"})
    timings = results_dir / "baseline.json"
    if timings.exists():
        known = json.loads(timings.read_text())
        for t in tests:
            t.seconds = known.get(t.name, t.seconds)
    else:
        outcome = test_runner.run_tests(tests, timeouts=False)
        if outcome.failed:
            say(f"the tests fail with no fault planted: {outcome.failed} ({outcome.reason})")
            return None, None
        timings.write_text(json.dumps({t.name: round(t.seconds, 2) for t in tests}, indent=1))
    return targets, tests


def run_all(chosen, build_targets, tests, results_dir):
    results = {}
    original = {}
    interrupted = []

    def restore():
        for path, text in original.items():
            write_if_different(SOURCE / path, text)

    previous_handler = signal.signal(signal.SIGTERM, lambda *_: interrupted.append(True) or sys.exit(130))
    try:
        for number, m in enumerate(chosen, 1):
            result_file = results_dir / (m.id.replace(":", "_") + ".json")
            if result_file.exists():
                results[m.id] = json.loads(result_file.read_text())
                continue
            text = original.setdefault(m.path, (SOURCE / m.path).read_text(encoding="utf-8"))
            restore_others(original, m.path)
            (SOURCE / m.path).write_text(m.apply(text), encoding="utf-8")
            result = run_one(m, build_targets, tests)
            (SOURCE / m.path).write_text(text, encoding="utf-8")
            result_file.write_text(json.dumps(result, indent=1))
            results[m.id] = result
            print_progress(number, len(chosen), m, result)
    except KeyboardInterrupt:
        interrupted.append(True)
    finally:
        restore()
        signal.signal(signal.SIGTERM, previous_handler)
    if interrupted:
        say("interrupted; the next run goes on from here")
        sys.exit(130)
    return results


def restore_others(original, current):
    for path, text in original.items():
        if path != current:
            write_if_different(SOURCE / path, text)


def write_if_different(path, text):
    if path.read_text(encoding="utf-8") != text:
        path.write_text(text, encoding="utf-8")


def run_one(m, build_targets, tests):
    started = time.monotonic()
    built = build(build_targets, "generated-build-mutant.txt")
    build_seconds = time.monotonic() - started
    result = {"id": m.id, "diff": m.diff(), "header": is_header(m.path),
              "build_seconds": round(build_seconds, 2), "test_seconds": 0.0}
    if not built:
        result["status"] = "did not build"
        return result
    started = time.monotonic()
    outcome = test_runner.run_tests(tests, timeouts=True)
    result["test_seconds"] = round(time.monotonic() - started, 2)
    if outcome.timed_out:
        result["status"] = "timed out"
    elif outcome.failed:
        result["status"] = "caught"
    else:
        result["status"] = "survived"
    result["by"] = outcome.failed
    return result


def print_progress(number, total, m, result):
    status = result["status"]
    by = f" by {result['by']}" if result.get("by") else ""
    cost = f"build {result['build_seconds']:.1f} s, tests {result['test_seconds']:.1f} s"
    print(f"[{number}/{total}] {status:13} {m.id}{by} ({cost})", flush=True)
    if status == "survived":
        print(f"    {m.diff()}", flush=True)


def report(chosen, results, equivalent, wall_seconds):
    counts = {}
    caught_by = {}
    for m in chosen:
        r = results[m.id]
        status = r["status"]
        if status == "survived" and m.id in equivalent:
            status = "equivalent"
        counts[status] = counts.get(status, 0) + 1
        if status in ("caught", "timed out"):
            caught_by[r["by"]] = caught_by.get(r["by"], 0) + 1

    print()
    survivors = [m for m in chosen if results[m.id]["status"] == "survived" and m.id not in equivalent]
    if survivors:
        print("Survivors (a missing test, or an equivalent mutant to add to "
              f"{EQUIVALENT_LIST.relative_to(ROOT)} with its reason):")
        for m in survivors:
            print(f"  {m.id}  {m.diff()}")
    stale = [m.id for m in chosen if m.id in equivalent and results[m.id]["status"] != "survived"]
    if stale:
        print("Listed as equivalent but caught or not built (take them off the list): " + " ".join(stale))

    total = len(chosen)
    caught = counts.get("caught", 0) + counts.get("timed out", 0)
    scored = total - counts.get("did not build", 0) - counts.get("equivalent", 0)
    print()
    print(f"mutants:       {total}")
    print(f"caught:        {caught} (of them timed out: {counts.get('timed out', 0)})")
    for name, count in sorted(caught_by.items(), key=lambda item: -item[1]):
        print(f"  by {name}: {count}")
    print(f"survived:      {len(survivors)}")
    print(f"equivalent:    {counts.get('equivalent', 0)}")
    print(f"did not build: {counts.get('did not build', 0)}")
    if scored:
        print(f"score:         {caught}/{scored} = {100.0 * caught / scored:.1f} %")
    print_costs(chosen, results)
    print(f"wall time:     {wall_seconds / 60:.1f} min (results kept from earlier runs not timed again)")


def print_costs(chosen, results):
    for label, header in (("in sources", False), ("in headers", True)):
        ran = [results[m.id] for m in chosen if is_header(m.path) == header]
        if not ran:
            continue
        build_time = sum(r["build_seconds"] for r in ran)
        test_time = sum(r["test_seconds"] for r in ran)
        print(f"cost {label}: {len(ran)} mutants, build {build_time / len(ran):.1f} s "
              f"and tests {test_time / len(ran):.1f} s on average, {(build_time + test_time) / 60:.1f} min in all")


def say(message):
    print(f"tools/mutation: {message}", file=sys.stderr, flush=True)


if __name__ == "__main__":
    sys.exit(main())

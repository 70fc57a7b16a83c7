"""Builds and grades mutants of the core; scripts/mutate.sh runs it and says how.

Everything happens in a copy of the working tree (WORK/tree) that mirrors the repository's layout: its
build (WORK/tree/build/native) compiles with the same relative paths in every worktree, so a shared
compiler cache serves the unmutated objects, and a source restored after its mutant costs a cache hit.
The working tree itself is only read.
"""
import argparse
import fcntl
import hashlib
import json
import os
import shutil
import signal
import subprocess
import sys
import time

from mutants import apply, draw_order, find_mutants
from mutate_reach import Reach
from mutate_report import Outcome, compare, summary, write_list

CORE = "src/core/"
# Native stand-ins for the Win32 platform layer never ship; the generated pinyin table is data, held to
# its source by the test that runs its generator again.
NOT_MUTATED = ("src/core/platform/posix/", "src/core/find/pinyin_table.cpp")
UNIT = "tests/unit/wendlix_unit_tests"
# Tests that take longer than this run after the others, so that a mutant the quick ones kill is not kept
# waiting for the slow ones.
SLOW_TEST = 0.3
OPTIMIZE = "-O1 -DNDEBUG"


def say(*parts):
    print("mutate:", *parts, flush=True)


def tree_files(root, work):
    out = subprocess.run(["git", "-C", root, "ls-files", "-z", "-co", "--exclude-standard"],
                         check=True, capture_output=True).stdout.decode("utf-8", "surrogateescape")
    inside = os.path.relpath(work, root) + "/"
    return sorted(f for f in out.split("\0")
                  if f and not f.startswith(inside) and os.path.isfile(os.path.join(root, f)))


def same_bytes(a, b):
    if not os.path.exists(b) or os.path.getsize(a) != os.path.getsize(b):
        return False
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


def mirror(root, work, tree):
    """Brings the copy up to the working tree. A copied file gets the time of copying, never the
    original's: a source restored over a mutant must look newer than the mutant's object file."""
    files = tree_files(root, work)
    listing = os.path.join(work, "tree.files")
    old = set()
    if os.path.exists(listing):
        with open(listing, encoding="utf-8", errors="surrogateescape") as f:
            old = set(f.read().split("\n")) - {""}
    for gone in old - set(files):
        if os.path.isfile(os.path.join(tree, gone)):
            os.remove(os.path.join(tree, gone))
    copied = 0
    for f in files:
        src, dst = os.path.join(root, f), os.path.join(tree, f)
        if not same_bytes(src, dst):
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            shutil.copyfile(src, dst)
            shutil.copymode(src, dst)
            copied += 1
    with open(listing, "w", encoding="utf-8", errors="surrogateescape") as f:
        f.write("\n".join(files) + "\n")
    return files, copied


class Runner:
    def __init__(self, args):
        self.args = args
        self.work = args.work
        self.tree = os.path.join(self.work, "tree")
        self.bin = os.path.join(self.tree, "build", "native")
        self.logs = os.path.join(self.work, "logs")
        self.sandbox = os.path.join(self.work, "run")
        self.mutated = None   # (path, original text) while a mutant is in the copy
        self.slow = set()
        self.tests = []
        self.test_files = {}   # full test name -> the test file that holds it
        self.reach = None
        self.limit = args.timeout

    # -- building -----------------------------------------------------------------------------------
    def configure(self):
        """The native preset, optimised less: a mutant is compiled in about half the time, and the
        tests still run in seconds. A mutant that only draws a warning (a variable left unused) is
        still a mutant to test, so warnings do not fail its build."""
        cmd = ["cmake", "--preset", "native", "-B", self.bin, f"-DCMAKE_CXX_FLAGS_RELEASE={OPTIMIZE}",
               f"-DCMAKE_C_FLAGS_RELEASE={OPTIMIZE}", "-DWENDLIX_WARNINGS_AS_ERRORS=OFF"]
        if not os.environ.get("CMAKE_CXX_COMPILER_LAUNCHER") and shutil.which("ccache"):
            cmd += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
        stamp = os.path.join(self.work, "configured")
        if os.path.exists(os.path.join(self.bin, "build.ninja")) and os.path.exists(stamp):
            with open(stamp) as f:
                if f.read() == " ".join(cmd):
                    return True
        with open(os.path.join(self.logs, "configure.log"), "w") as log:
            if subprocess.run(cmd, cwd=self.tree, stdout=log, stderr=subprocess.STDOUT).returncode != 0:
                return False
        with open(stamp, "w") as f:
            f.write(" ".join(cmd))
        return True

    def build(self, log_name):
        with open(os.path.join(self.logs, log_name), "w") as log:
            return subprocess.run(["ninja", "-C", self.bin, "-j", str(self.args.jobs), "wendlix_unit_tests"],
                                  stdout=log, stderr=subprocess.STDOUT).returncode == 0

    # -- testing ------------------------------------------------------------------------------------
    def run_tests(self, filt, limit, json_out=None):
        """(outcome, seconds, detail) of one run of the unit tests: passed and how many passed, failed
        and the first failure, or timeout. Each run starts in an empty folder that is also its TMPDIR,
        in a session of its own, so that a timeout ends whatever it started."""
        shutil.rmtree(self.sandbox, ignore_errors=True)
        os.makedirs(os.path.join(self.sandbox, "tmp"))
        env = dict(os.environ, TMPDIR=os.path.join(self.sandbox, "tmp"), GTEST_COLOR="no")
        cmd = [os.path.join(self.bin, UNIT), "--gtest_brief=1", "--gtest_filter=" + filt]
        cmd.append("--gtest_output=json:" + json_out if json_out else "--gtest_fail_fast")
        started = time.monotonic()
        with open(os.path.join(self.sandbox, "out.log"), "w") as out:
            p = subprocess.Popen(cmd, cwd=self.sandbox, env=env, stdout=out, stderr=subprocess.STDOUT,
                                 stdin=subprocess.DEVNULL, start_new_session=True)
            try:
                code = p.wait(timeout=limit)
            except subprocess.TimeoutExpired:
                code = None
            finally:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                p.wait()
        seconds = time.monotonic() - started
        if code is None:
            return "timeout", seconds, ""
        if code == 0:
            return "passed", seconds, self.passed_count()
        return "failed", seconds, self.failed_test(code)

    def passed_count(self):
        with open(os.path.join(self.sandbox, "out.log"), errors="replace") as f:
            for line in f:
                if line.startswith("[  PASSED  ] "):
                    return int(line.split()[3])
        return 0

    @staticmethod
    def failed_tests(report):
        """Every test a JSON report of gtest records as failed."""
        try:
            with open(report) as f:
                data = json.load(f)
        except (OSError, ValueError):
            return []
        return [f"{suite['name']}.{test['name']}" for suite in data.get("testsuites", [])
                for test in suite.get("testsuite", []) if test.get("failures")]

    def failed_test(self, code):
        with open(os.path.join(self.sandbox, "out.log"), errors="replace") as f:
            for line in f:
                if line.startswith("[  FAILED  ] ") and "," not in line:
                    return line[13:].split()[0]
        if code < 0:
            try:
                return signal.Signals(-code).name
            except ValueError:
                return f"signal {-code}"
        return f"exit {code}"

    def baseline(self):
        """Runs the unmutated tests once: they must pass, and their times give the slow set and the
        time limit."""
        report = os.path.join(self.work, "baseline.json")
        outcome, seconds, detail = self.run_tests("*", 600, report)
        if outcome != "passed" or not detail:
            say(f"the unit tests fail without any mutant ({detail or 'none ran'}); "
                f"see {self.sandbox}/out.log")
            return False
        with open(report) as f:
            data = json.load(f)
        for suite in data.get("testsuites", []):
            for test in suite.get("testsuite", []):
                name = f"{suite['name']}.{test['name']}"
                self.tests.append(name)
                # GoogleTest before 1.10 does not report a test's file: its suite stands in for it.
                where = test.get("file")
                self.test_files[name] = (
                    os.path.relpath(os.path.normpath(os.path.join(self.bin, where)), self.tree)
                    if where else suite["name"])
                if float(test.get("time", "0s").rstrip("s")) >= SLOW_TEST:
                    self.slow.add(name)
        if not self.limit:
            self.limit = max(10, round(5 * seconds))
        say(f"the unit tests pass in {seconds:.1f} s; each mutant gets {self.limit} s")
        if not self.args.all_tests:
            self.reach = Reach(self.bin, self.tree, self.tests, "tests/unit/", "src/core/")
        return True

    def grade(self, m):
        """The outcome of the tests that can reach the mutated file: quick ones first, then slow ones. With
        --every-kill every reaching test runs, and killed_by names each one that failed."""
        chosen = self.reach.tests_for(m.file) if self.reach else set(self.tests)
        out = Outcome(m, "survived", tests=len(chosen))
        report = os.path.join(self.work, "every-kill.json") if self.args.every_kill else None
        failed = []
        started = time.monotonic()
        for part in (sorted(chosen - self.slow), sorted(chosen & self.slow)):
            left = self.limit - (time.monotonic() - started)
            if not part:
                continue
            if left <= 0:
                out.status = "timeout"
                break
            if report and os.path.exists(report):
                os.remove(report)
            result, _, detail = self.run_tests(":".join(part), left, report)
            if result == "passed" and detail != len(part):
                # The filter missed tests: a fault of this tool, not a survivor.
                raise RuntimeError(f"{detail} tests ran instead of {len(part)}: {':'.join(part)[:200]}")
            if result == "timeout":
                out.status = "timeout"
                break
            if result == "failed":
                # A crash leaves no report; its signal stands for the tests it stopped.
                failed += (report and self.failed_tests(report)) or [detail]
                if not report:
                    break
        if failed:
            out.status, out.killed_by = "killed", ",".join(failed)
        out.test_s = time.monotonic() - started
        return out

    # -- the mutants --------------------------------------------------------------------------------
    def write_source(self, rel, text):
        with open(os.path.join(self.tree, rel), "w", encoding="latin-1", newline="") as f:
            f.write(text)

    def try_mutant(self, m):
        with open(os.path.join(self.tree, m.file), encoding="latin-1", newline="") as f:
            original = f.read()
        self.mutated = (m.file, original)
        started = time.monotonic()
        try:
            self.write_source(m.file, apply(original, m))
            built = self.build("mutant.log")
            build_s = time.monotonic() - started
            if not built:
                shutil.copyfile(os.path.join(self.logs, "mutant.log"),
                                os.path.join(self.logs, f"nobuild-{m.ident}.log"))
                return Outcome(m, "nobuild", build_s=build_s)
            out = self.grade(m)
            out.build_s = build_s
            return out
        finally:
            self.restore()

    def restore(self):
        if self.mutated:
            self.write_source(*self.mutated)
            self.mutated = None


def mutated_files(files):
    return [f for f in files if f.startswith(CORE) and not f.startswith(NOT_MUTATED)
            and f.endswith((".cpp", ".h"))]


def candidates(root, files):
    out = []
    for f in mutated_files(files):
        with open(os.path.join(root, f), encoding="latin-1") as fh:
            out.extend(find_mutants(f, fh.read()))
    return out


def fingerprint(root, files):
    """A hash of the mutated sources, to tell whether two runs mutated the same code."""
    h = hashlib.sha1()
    for f in files:
        with open(os.path.join(root, f), "rb") as fh:
            h.update(f.encode() + b"\0" + fh.read())
    return h.hexdigest()[:12]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("n", type=int, nargs="?", default=50)
    ap.add_argument("seed", nargs="?", default="1")
    ap.add_argument("--root", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--timeout", type=int, default=0)
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--all-tests", action="store_true")
    ap.add_argument("--every-kill", action="store_true")
    ap.add_argument("--compare", nargs=2, metavar=("OLD", "NEW"))
    args = ap.parse_args()
    # Sources are read byte for byte (as latin-1); print their bytes as they are.
    sys.stdout.reconfigure(encoding="latin-1", errors="replace")
    if args.compare:
        present = {m.ident for m in candidates(args.root, tree_files(args.root, args.work))}
        print("\n".join(compare(*args.compare, present)))
        return 0
    runner = Runner(args)
    os.makedirs(runner.logs, exist_ok=True)
    lock = open(os.path.join(args.work, "lock"), "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        say(f"another run is using {args.work}")
        return 1
    # A terminal's Ctrl-C reaches ninja and the tests by itself; a kill of this process alone must end
    # it the same way.
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    signal.signal(signal.SIGHUP, signal.default_int_handler)

    files, copied = mirror(args.root, args.work, runner.tree)
    pool = draw_order(candidates(runner.tree, files), args.seed)
    if args.list:
        for m in pool[:args.n]:
            print(f"{m.ident}\t{m.op}\t{m.describe()}")
        return 0
    say(f"copy of the tree in {runner.tree} ({copied} files brought up to date)")
    if not runner.configure():
        say(f"configuring failed; see {runner.logs}/configure.log")
        return 1
    if not runner.build("baseline.log"):
        say(f"the unmutated tree does not build; see {runner.logs}/baseline.log")
        return 1
    if not runner.baseline():
        return 1

    results_dir = os.path.join(args.work, "results")
    os.makedirs(results_dir, exist_ok=True)
    stem = os.path.join(results_dir, f"n{args.n}-seed{args.seed}")
    header = (f"mutate n={args.n} seed={args.seed} core={fingerprint(runner.tree, mutated_files(files))} "
              f"tests={len(runner.tests)} {'all-tests' if args.all_tests else 'reaching-tests'}"
              f"{' every-kill' if args.every_kill else ''}")
    outcomes = {}
    next_index = 0
    complete = False
    try:
        # The first N of the draw; each one that does not build is replaced by the next in the draw, so
        # the mutants are the first N of the draw that build.
        while True:
            want = args.n - sum(1 for o in outcomes.values() if o.status != "nobuild")
            if want <= 0 or next_index >= len(pool):
                break
            batch = pool[next_index:next_index + want]
            next_index += len(batch)
            # One file after another, so a source is rebuilt unmutated only when the next mutant is
            # elsewhere.
            for m in sorted(batch, key=lambda x: (x.file, x.start, x.op)):
                o = outcomes[m.ident] = runner.try_mutant(m)
                done = sum(1 for o in outcomes.values() if o.status != "nobuild")
                say(f"[{done}/{args.n}] {o.status:8} {m.describe()} ({o.build_s + o.test_s:.1f} s)")
                write_list(stem + ".tsv", header + " partial", outcomes.values())
        complete = True
    except KeyboardInterrupt:
        say("interrupted")
    finally:
        runner.restore()
    write_list(stem + ".tsv", header + (" complete" if complete else " partial"), outcomes.values())
    lines = summary(list(outcomes.values()), args.n, args.seed, len(pool), complete,
                    runner.test_files if args.every_kill else None)
    with open(stem + ".txt", "w", encoding="latin-1") as f:
        f.write("\n".join(lines) + "\n")
    print("\n".join(lines))
    say(f"results: {stem}.tsv and {stem}.txt")
    return 0 if complete else 130


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit(130)

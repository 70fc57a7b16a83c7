#!/usr/bin/env python3
"""Runs clang-tidy (checks in .clang-tidy) over the files of one build tree's compile commands.

  tidy.py BUILD_DIR STAMP_DIR [--all] [--jobs N] [--cross] -- PATH_PREFIX...

Only sources under the given prefixes (relative to the repository) are checked. A file found clean leaves a
stamp; it is checked again only when it, a header it includes (from Ninja's dependency log), its compile
command, .clang-tidy or clang-tidy itself changed. --all ignores the stamps. --cross: the tree is built by
a MinGW cross compiler, so clang is told its target and given that compiler's C++ and Windows headers.
Prints each finding once; exits 1 when there is one.
"""

import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def ninja_deps(build_dir, sources):
    """Source file -> the files its object was last built from, for the given sources (absolute paths)."""
    try:
        out = subprocess.run(["ninja", "-C", build_dir, "-t", "deps"], capture_output=True, text=True,
                             check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return {}
    records, current = [], None
    for line in out.splitlines():
        if line and not line[0].isspace():
            current = []
            records.append(current)
        elif line.strip() and current is not None:
            current.append(os.path.normpath(os.path.join(build_dir, line.strip())))
    deps = {}
    for files in records:
        # The source is among the files, not always first (a sanitizer's ignore list can lead).
        for path in files:
            if path in sources:
                deps[path] = files
                break
    return deps


def cross_args(compiler):
    """Target and header search path of a GCC cross compiler, for clang; GCC's own builtin headers stay
    out, clang brings its own."""
    triple = subprocess.run([compiler, "-dumpmachine"], capture_output=True, text=True,
                            check=True).stdout.strip()
    verbose = subprocess.run([compiler, "-std=c++20", "-xc++", "-E", "-v", "-"], input="",
                             capture_output=True, text=True).stderr
    dirs, inside = [], False
    for line in verbose.splitlines():
        if line.startswith("#include <...> search starts here"):
            inside = True
        elif line.startswith("End of search list"):
            inside = False
        elif inside:
            d = os.path.normpath(line.strip())
            if "/c++" in d or "/lib/gcc/" not in d:
                dirs.append(d)
    return [f"--target={triple}", "-nostdlibinc"] + [f"-isystem{d}" for d in dirs]


def main():
    args = sys.argv[1:]
    split = args.index("--")
    opts, prefixes = args[:split], [p.rstrip("/") + "/" for p in args[split + 1:]]
    build_dir, stamp_dir = os.path.abspath(opts[0]), os.path.abspath(opts[1])
    check_all = "--all" in opts
    cross = "--cross" in opts
    jobs = int(opts[opts.index("--jobs") + 1]) if "--jobs" in opts else os.cpu_count() or 2

    db_path = os.path.join(build_dir, "compile_commands.json")
    if not os.path.exists(db_path):
        print(f"tidy: {db_path} is missing: configure that build first (scripts/build.sh)")
        return 1
    with open(db_path) as f:
        entries = {}
        for e in json.load(f):
            rel = os.path.relpath(os.path.normpath(os.path.join(e["directory"], e["file"])), ROOT)
            if any(rel.startswith(p) for p in prefixes):
                entries[rel] = e.get("command") or shlex.join(e["arguments"])
    if not entries:
        print(f"tidy: no sources under {' '.join(prefixes)} in {db_path}")
        return 1

    # GCC's warning options clang does not know must not stop it.
    extra = ["-Wno-unknown-warning-option"]
    if cross:
        words = shlex.split(next(iter(entries.values())))
        compiler = words[1] if os.path.basename(words[0]) == "ccache" else words[0]
        extra += cross_args(compiler)
    tidy_version = subprocess.run(["clang-tidy", "--version"], capture_output=True, text=True).stdout
    with open(os.path.join(ROOT, ".clang-tidy"), "rb") as f:
        config = f.read()

    deps = ninja_deps(build_dir, {os.path.join(ROOT, rel) for rel in entries})
    mtimes = {}

    def mtime(path):
        if path not in mtimes:
            try:
                mtimes[path] = os.stat(path).st_mtime
            except OSError:
                mtimes[path] = float("inf")  # gone: check again
        return mtimes[path]

    def stamp_of(rel):
        return os.path.join(stamp_dir, rel + ".ok")

    def key_of(rel):
        h = hashlib.sha256(config + tidy_version.encode() + entries[rel].encode())
        h.update(" ".join(extra).encode())
        return h.hexdigest()

    def needs_check(rel):
        if check_all:
            return True
        stamp = stamp_of(rel)
        try:
            with open(stamp) as f:
                if f.read() != key_of(rel):
                    return True
            stamped = os.stat(stamp).st_mtime
        except OSError:
            return True
        source = os.path.join(ROOT, rel)
        files = deps.get(source)
        if not files:
            return True  # never built: what it includes is unknown
        return any(mtime(p) >= stamped for p in files)

    todo = sorted(rel for rel in entries if needs_check(rel))

    def run(rel):
        cmd = ["clang-tidy", "-p", build_dir, "--quiet"] + [f"--extra-arg={a}" for a in extra]
        cmd.append(os.path.join(ROOT, rel))
        p = subprocess.run(cmd, capture_output=True, text=True, cwd=ROOT)
        return rel, p.returncode, p.stdout

    findings, bad_files = [], []
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        for rel, status, out in pool.map(run, todo):
            diagnostics = [b for b in re.split(r"\n(?=\S+:\d+:\d+: )", out.strip()) if b]
            if status == 0 and not any(": warning: " in b or ": error: " in b for b in diagnostics):
                os.makedirs(os.path.dirname(stamp_of(rel)), exist_ok=True)
                with open(stamp_of(rel), "w") as f:
                    f.write(key_of(rel))
                continue
            bad_files.append(rel)
            try:
                os.remove(stamp_of(rel))
            except OSError:
                pass
            if not diagnostics:
                diagnostics = [f"{rel}: clang-tidy exited with status {status}"]
            for block in diagnostics:
                if block not in findings:  # a finding in a header shows once, not once per includer
                    findings.append(block)

    for block in findings:
        print(block)
    skipped = len(entries) - len(todo)
    print(f"tidy: {len(entries)} files, {len(todo)} checked"
          + (f", {skipped} unchanged since found clean" if skipped else "")
          + f"; {len(bad_files)} with findings")
    return 1 if bad_files else 0


if __name__ == "__main__":
    sys.exit(main())

"""The results of a mutation run: the list (tab-separated, one mutant a line), the summary, and the
comparison of two lists mutant by mutant."""
import os
from dataclasses import dataclass

from mutants import Mutant, short

COLUMNS = ["id", "status", "file", "line", "column", "operator", "original", "replacement", "line_hash",
           "killed_by", "tests", "build_s", "test_s"]
GRADED = ("killed", "survived", "timeout")


@dataclass
class Outcome:
    mutant: Mutant
    status: str          # killed, survived, timeout, nobuild
    killed_by: str = ""  # the first failing test (each, by commas, with --every-kill), or how the run ended
    tests: int = 0       # how many tests could reach the mutated file
    build_s: float = 0.0
    test_s: float = 0.0


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def in_order(outcomes):
    return sorted(outcomes, key=lambda o: (o.mutant.file, o.mutant.start, o.mutant.op))


def write_list(path, header, outcomes):
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="latin-1") as f:
        f.write("# " + header + "\n")
        f.write("\t".join(COLUMNS) + "\n")
        for o in in_order(outcomes):
            m = o.mutant
            cells = [m.ident, o.status, m.file, str(m.line), str(m.col), m.op, escape(m.orig),
                     escape(m.repl), m.line_hash, o.killed_by, str(o.tests), f"{o.build_s:.1f}",
                     f"{o.test_s:.1f}"]
            f.write("\t".join(cells) + "\n")
    os.replace(tmp, path)


def redundancy(graded, test_files):
    """How many tests and test files each killed mutant needed: a mutant that only one test kills is
    caught by nothing else, so that test is not redundant."""
    named = [{t for t in o.killed_by.split(",") if t in test_files} for o in graded if o.status == "killed"]
    # A run that crashed names its signal, not the tests that would have failed: those kills are left out.
    killers = [k for k in named if k]
    by_file = [{test_files[t] for t in k} for k in killers]
    alone = {next(iter(k)) for k in killers if len(k) == 1}
    alone_files = {next(iter(f)) for f in by_file if len(f) == 1}
    files = sorted(set(test_files.values()))
    one_test = sum(len(k) == 1 for k in killers)
    one_file = sum(len(f) == 1 for f in by_file)
    lines = [f"every kill: of {len(killers)} killed by named tests ({len(named) - len(killers)} more "
             f"crashed the run), {one_test} by one test alone, {one_file} by the tests of one file alone; "
             f"{len(alone)} of {len(test_files)} tests and {len(alone_files)} of {len(files)} test files "
             "are the only killer of some mutant",
             "test files no mutant of this draw needs alone:"]
    lines.extend(f"  {f}" for f in files if f not in alone_files)
    # A small set of tests that still kills every killed mutant, found greedily (most kills left first);
    # the tests outside it are what this draw cannot tell apart from overlap.
    cover, left = set(), list(killers)
    while left:
        best = max(sorted(test_files), key=lambda t: sum(t in k for k in left))
        cover.add(best)
        left = [k for k in left if best not in k]
    lines.append(f"a greedy cover keeps {len(cover)} tests killing every mutant above that named tests kill; "
                 f"the other {len(test_files) - len(cover)} are needed by no kill of this draw:")
    lines.extend(f"  {t}" for t in sorted(test_files) if t not in cover)
    return lines


def summary(outcomes, n, seed, candidates, complete, test_files=None):
    graded = [o for o in outcomes if o.status in GRADED]
    count = {s: sum(1 for o in graded if o.status == s) for s in GRADED}
    detected = count["killed"] + count["timeout"]
    rate = 100.0 * detected / len(graded) if graded else 0.0
    build = sum(o.build_s for o in outcomes)
    test = sum(o.test_s for o in outcomes)
    per = len(graded) or 1
    lines = [
        f"{'' if complete else 'INTERRUPTED: '}{len(graded)} of {n} mutants (seed {seed}) drawn from "
        f"{candidates} candidates in src/core; {len(outcomes) - len(graded)} more did not build and "
        "were replaced",
        f"killed {count['killed']}, survived {count['survived']}, timed out {count['timeout']}; "
        f"kill rate {rate:.1f} % (killed and timed out, of all built mutants)",
        f"{(build + test) / per:.1f} s per mutant: {build / per:.1f} s building (those that did not build "
        f"included), {test / per:.1f} s testing; {build + test:.0f} s in all",
    ]
    for status, title in (("survived", "survived"), ("timeout", "timed out")):
        chosen = [o for o in in_order(graded) if o.status == status]
        if chosen:
            lines.append(f"{title}:")
            lines.extend("  " + o.mutant.describe() + ("" if o.tests else " (no unit test reaches it)")
                         for o in chosen)
    if test_files is not None:
        lines.extend(redundancy(graded, test_files))
    return lines


def read_list(path):
    """{identity: row as a dict} of a list written by write_list."""
    rows = {}
    with open(path, encoding="latin-1") as f:
        lines = [line.rstrip("\n") for line in f if not line.startswith("#")]
    header = lines[0].split("\t")
    for line in lines[1:]:
        row = dict(zip(header, line.split("\t")))
        rows[row["id"]] = row
    return rows


def compare(old_path, new_path, present):
    """Lines telling how the mutants of two runs fared, matched by identity; present holds the
    identities of every candidate in today's code."""
    old, new = read_list(old_path), read_list(new_path)

    def graded(rows):
        return {k for k, r in rows.items() if r["status"] in GRADED}

    def where(r):
        return (f"{r['file']}:{r['line']}: '{short(r['original'])}' -> '{short(r['replacement'])}' "
                f"({r['operator']})")

    def rate(rows, keys):
        killed = sum(1 for k in keys if rows[k]["status"] != "survived")
        return f"{killed} of {len(keys)} ({100.0 * killed / len(keys):.1f} %)" if keys else "none"

    both = graded(old) & graded(new)
    lines = [f"graded in both runs: {len(both)}; only in {old_path}: {len(graded(old) - both)}; "
             f"only in {new_path}: {len(graded(new) - both)}",
             f"caught in both runs' shared mutants: before {rate(old, both)}, after {rate(new, both)}",
             f"caught in each run: before {rate(old, graded(old))}, after {rate(new, graded(new))}"]
    lost = sorted((k for k in both if old[k]["status"] != "survived" and new[k]["status"] == "survived"),
                  key=lambda k: (new[k]["file"], int(new[k]["line"])))
    won = sorted((k for k in both if old[k]["status"] == "survived" and new[k]["status"] != "survived"),
                 key=lambda k: (new[k]["file"], int(new[k]["line"])))
    missing = sorted((k for k in graded(old) - graded(new) if old[k]["status"] != "survived"),
                     key=lambda k: (old[k]["file"], int(old[k]["line"])))
    gone = [k for k in missing if k not in present]
    undrawn = [k for k in missing if k in present]
    for title, keys, rows in (("caught before, survive now", lost, new),
                              ("survived before, caught now", won, new),
                              ("caught before, no longer in the code", gone, old),
                              ("caught before, still in the code but not in the new run", undrawn, old)):
        lines.append(f"{title}: {len(keys)}")
        lines.extend(f"  {where(rows[k])}" + (f" was killed by {old[k]['killed_by']}"
                                              if rows is new and old[k]["killed_by"] else "")
                     for k in keys)
    return lines

"""Which unit tests can reach a source file, from the unmutated build's object files.

A test can run code of a file only if the test's object file, following the symbols each object leaves
undefined to the objects that define them, leads to an object compiled from that file (or, for a header,
to any object that includes it). Symbols that several objects define alike (inline functions and
templates of headers) are left out of that walk: a mutant of a source file does not change them, and a
mutant of a header changes every copy, since every includer is rebuilt. What the walk cannot see is code
reached only through a pointer handed over at run time by an object the test does not reach, such as a
registry that another object fills when the program starts; the core has none.
"""
import collections
import os
import re
import subprocess

DEFINED = set("TDBRGSiC")
WEAK = set("VWvwu")


def object_deps(build, tree):
    """{object: [files it was compiled from, the source first]}, paths relative to the tree."""
    out = subprocess.run(["ninja", "-C", build, "-t", "deps"], check=True, capture_output=True,
                         text=True).stdout
    deps, current = {}, None
    for line in out.splitlines():
        if not line.startswith(" "):
            current = line.split(":")[0] if line.endswith("(VALID)") and ".o:" in line else None
            if current:
                deps[current] = []
        elif current and line.strip():
            path = os.path.normpath(os.path.join(build, line.strip()))
            deps[current].append(os.path.relpath(path, tree))
    return deps


def symbols(build, obj):
    defined, weak, undefined = set(), set(), set()
    out = subprocess.run(["nm", "-P", os.path.join(build, obj)], check=True, capture_output=True,
                         text=True).stdout
    for line in out.splitlines():
        parts = line.split()
        if len(parts) < 2:
            continue
        name, kind = parts[0], parts[1]
        if kind == "U":
            undefined.add(name)
        elif kind in WEAK:
            weak.add(name)
        elif kind in DEFINED:
            defined.add(name)
    return defined, weak, undefined


def test_classes(build, obj):
    """Names of the gtest classes whose bodies an object file holds: Suite_Name_Test."""
    out = subprocess.run(["nm", "-C", "--defined-only", os.path.join(build, obj)], check=True,
                         capture_output=True, text=True).stdout
    found = set()
    for m in re.finditer(r"(\w+_Test)(?:<[^\n]*>)?::TestBody\(\)", out):
        found.add(m.group(1))
    return found


class Reach:
    def __init__(self, build, tree, tests, unit_dir, core_dir):
        """tests: the full names the baseline ran (Suite.Name, Prefix/Suite.Name/0, ...)."""
        deps = object_deps(build, tree)
        objects = [o for o in deps if o.startswith((unit_dir, core_dir))]
        syms = {o: symbols(build, o) for o in objects}
        owners = collections.defaultdict(set)
        weak_owners = collections.defaultdict(set)
        for o, (defined, weak, _) in syms.items():
            for s in defined:
                owners[s].add(o)
            for s in weak:
                weak_owners[s].add(o)
        for s, os_ in weak_owners.items():
            if len(os_) == 1:   # from the one file that defines it, not from a header
                owners[s] |= os_
        self.includers = collections.defaultdict(set)
        for o in objects:
            for f in deps[o]:
                self.includers[f].add(o)
        by_class = collections.defaultdict(set)
        for o in objects:
            if o.startswith(unit_dir):
                for c in test_classes(build, o):
                    by_class[c].add(o)
        self.reached = {}   # test object -> objects it reaches
        for o in objects:
            if o.startswith(unit_dir):
                seen, todo = {o}, [o]
                while todo:
                    for s in syms[todo.pop()][2]:
                        for x in owners.get(s, ()):
                            if x not in seen:
                                seen.add(x)
                                todo.append(x)
                self.reached[o] = seen
        self.tests_of = collections.defaultdict(set)   # test object -> full test names
        self.unplaced = []
        for t in tests:
            suite, name = t.split(".", 1)
            guesses = {f"{s}_{name.split('/')[0]}_Test" for s in (suite.split("/")[0], suite.split("/")[-1])}
            homes = set().union(*(by_class.get(g, set()) for g in guesses))
            for h in homes:
                self.tests_of[h].add(t)
            if not homes:
                self.unplaced.append(t)

    def tests_for(self, source):
        """The tests that can reach code of source (a path relative to the tree), those that could not
        be placed in an object file included."""
        touched = self.includers.get(source, set())
        chosen = set(self.unplaced)
        for test_obj, seen in self.reached.items():
            if seen & touched:
                chosen |= self.tests_of[test_obj]
        return chosen

#!/usr/bin/env python3
"""Mutation sampler: how many planted single-line faults does the suite catch?

    tools/mutate.py [--only WHICH] [-j N] [--list FILE] [--work DIR] [--gui]
                    [--tests REGEX] [--timeout S] [--check] [--first]

Each mutant in the list (tests/mutants.txt) replaces one piece of text on one
line of a source file. The mutants are applied one at a time to a scratch copy
of the tree (DIR/tree, default $TMPDIR/ideaweave-mutants-UID), which is built
in its own build directory that is kept between mutants and between runs, so
that every rebuild is incremental. For each mutant the tests are run with
ctest and the mutant is reported

    killed    some test that passes on the unchanged tree failed (they are listed)
    survived  every test passed
    invalid   the mutated tree does not build (or the mutant changes nothing)
    stale     its text is no longer in the file
    skipped   its file is not built in this configuration (src/gui
              without --gui)

and the score is killed / (killed + survived).

A mutant is found by its text, not by its line: the line number is a hint. If
the text is not on the hinted line, the occurrence of the text in the file
nearest to it is taken, so the list survives edits elsewhere in the file.

--only takes mutant numbers and ranges (3,7-9) or a regular expression matched
against "FILE:LINE WHY". --check only locates the mutants, without building.
--first stops a mutant's test run at its first failing test, so a killed
mutant costs a fraction of the suite's time and names fewer killers.
The tests run are those of the default configuration without the editor
window (a few seconds); --gui builds the editor and runs its tests as well.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class Mutant:
    def __init__(self, number, path, line, why, old, new, notes, origin):
        self.number = number
        self.path = path
        self.line = line
        self.why = why
        self.old = old
        self.new = new
        self.notes = notes
        self.origin = origin  # line of the list file
        self.status = ""
        self.killers = []
        self.where = None  # line actually mutated

    def title(self):
        return "%s:%d %s" % (self.path, self.line, self.why)


def parselist(listfile):
    """Reads the list: '@ FILE:LINE WHY', then '- TEXT' and '+ REPLACEMENT'.
    The comment lines just above a mutant's header are its notes."""
    mutants, notes, errors = [], [], []
    current = None
    with open(listfile, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for n, raw in enumerate(lines, 1):
        text = raw.rstrip("\r")
        if text.startswith("@"):
            m = re.match(r"@\s*(\S+):(\d+)\s*(.*)$", text)
            if not m:
                errors.append("%s:%d: bad mutant header" % (listfile, n))
                current = None
                continue
            current = Mutant(len(mutants) + 1, m.group(1), int(m.group(2)),
                             m.group(3).strip(), None, None, notes, n)
            mutants.append(current)
            notes = []
        elif text.startswith("- ") or text == "-":
            if current is None or current.old is not None:
                errors.append("%s:%d: text without a mutant" % (listfile, n))
            else:
                current.old = text[2:]
        elif text.startswith("+ ") or text == "+":
            if current is None or current.old is None or current.new is not None:
                errors.append("%s:%d: replacement without text" % (listfile, n))
            else:
                current.new = text[2:]
        elif text.startswith("#"):
            notes.append(text[1:].strip())
        elif text.strip() == "":
            notes = []
        else:
            errors.append("%s:%d: not understood: %s" % (listfile, n, text))
    for m in mutants:
        if m.old is None or m.new is None:
            errors.append("%s:%d: mutant %d lacks its text or replacement" %
                          (listfile, m.origin, m.number))
        elif m.old == "":
            errors.append("%s:%d: mutant %d has empty text" % (listfile, m.origin, m.number))
    return mutants, errors


def select(mutants, which):
    if not which:
        return mutants
    if re.fullmatch(r"[\d,\-\s]+", which):
        wanted = set()
        for part in which.split(","):
            part = part.strip()
            if not part:
                continue
            if "-" in part:
                a, b = part.split("-", 1)
                wanted.update(range(int(a), int(b) + 1))
            else:
                wanted.add(int(part))
        return [m for m in mutants if m.number in wanted]
    pattern = re.compile(which)
    return [m for m in mutants if pattern.search(m.title())]


def locate(m, source):
    """Returns (lines, index) of the line to mutate in the file's text, or None."""
    lines = source.split("\n")
    hint = m.line - 1
    if 0 <= hint < len(lines) and m.old in lines[hint]:
        return lines, hint
    found = [i for i, text in enumerate(lines) if m.old in text]
    if not found:
        return None
    return lines, min(found, key=lambda i: (abs(i - hint), i))


def mutated(m, source):
    """The file's text with the mutant applied, or None when it is stale."""
    place = locate(m, source)
    if place is None:
        return None
    lines, i = place
    m.where = i + 1
    lines = list(lines)
    lines[i] = lines[i].replace(m.old, m.new, 1)
    return "\n".join(lines)


def run(cmd, cwd, log, timeout=None):
    with open(log, "w") as out:
        try:
            return subprocess.run(cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            out.write("\n(timed out)\n")
            return -1


def sourcefiles():
    """The files of the tree: tracked and new ones, as they are in the worktree."""
    out = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                         cwd=ROOT, stdout=subprocess.PIPE, check=True).stdout
    files = [f for f in out.decode("utf-8", "surrogateescape").split("\0") if f]
    return [f for f in files if os.path.isfile(os.path.join(ROOT, f))]


def synctree(tree):
    """Copies the worktree into the scratch tree, touching only files that
    differ, so that the scratch build stays incremental."""
    files = sourcefiles()
    keep = set(files)
    copied = 0
    for rel in files:
        src, dst = os.path.join(ROOT, rel), os.path.join(tree, rel)
        with open(src, "rb") as f:
            data = f.read()
        try:
            with open(dst, "rb") as f:
                same = f.read() == data
        except OSError:
            same = False
        if not same:
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            with open(dst, "wb") as f:
                f.write(data)
            shutil.copymode(src, dst)
            copied += 1
    for dirpath, dirnames, filenames in os.walk(tree):
        rel = os.path.relpath(dirpath, tree)
        if rel == "build" or rel.startswith("build" + os.sep):
            dirnames[:] = []
            continue
        for name in filenames:
            relname = os.path.normpath(os.path.join(rel, name))
            if relname not in keep:
                os.remove(os.path.join(dirpath, name))
    return copied


def failedtests(log):
    """Names of the tests ctest listed as failed (or timed out) in its output."""
    failed = []
    with open(log, errors="replace") as f:
        text = f.read()
    tail = text.split("The following tests FAILED:", 1)
    if len(tail) < 2:
        return failed
    for line in tail[1].splitlines():
        m = re.match(r"\s*\d+ - (\S+) \((.*)\)\s*$", line)
        if m:
            failed.append(m.group(1))
    return failed


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--list", default=os.path.join(ROOT, "tests", "mutants.txt"),
                    help="the list of mutants (tests/mutants.txt)")
    ap.add_argument("--only", help="mutant numbers (3,7-9) or a regular expression")
    ap.add_argument("-j", type=int, default=2, help="tests run in parallel (2)")
    ap.add_argument("--work", default=os.path.join(os.environ.get("TMPDIR", "/tmp"),
                                                   "ideaweave-mutants-%d" % os.getuid()),
                    help="scratch directory, kept between runs")
    ap.add_argument("--gui", action="store_true", help="build and test the editor window too")
    ap.add_argument("--tests", help="run only the tests matching this regular expression")
    ap.add_argument("--timeout", type=int, default=60, help="seconds per test (60)")
    ap.add_argument("--check", action="store_true", help="only locate the mutants")
    ap.add_argument("--first", action="store_true",
                    help="stop a mutant's tests at the first failure (faster; names one killer)")
    args = ap.parse_args()

    mutants, errors = parselist(args.list)
    for e in errors:
        print(e, file=sys.stderr)
    if errors:
        return 2
    chosen = select(mutants, args.only)
    if not chosen:
        print("no mutant selected", file=sys.stderr)
        return 2

    if args.check:
        stale = 0
        for m in chosen:
            path = os.path.join(ROOT, m.path)
            source = open(path, encoding="utf-8", errors="surrogateescape", newline="").read() if os.path.isfile(path) else ""
            if mutated(m, source) is None:
                stale += 1
                print("%3d stale    %s" % (m.number, m.title()))
            else:
                moved = "" if m.where == m.line else " (found on line %d)" % m.where
                print("%3d found    %s%s" % (m.number, m.title(), moved))
        return 1 if stale else 0

    tree = os.path.join(args.work, "tree")
    build = os.path.join(tree, "build")
    logs = os.path.join(args.work, "logs")
    os.makedirs(tree, exist_ok=True)
    os.makedirs(logs, exist_ok=True)
    started = time.time()
    copied = synctree(tree)
    print("scratch tree %s (%d files updated)" % (tree, copied), flush=True)

    configure = ["cmake", "-S", tree, "-B", build, "-G", "Ninja",
                 "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DIW_BENCH=OFF", "-DIW_FUZZ=OFF",
                 "-DIW_SANITIZE=OFF", "-DIW_GUI=" + ("AUTO" if args.gui else "OFF")]
    if shutil.which("ccache"):
        configure += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    if run(configure, tree, os.path.join(logs, "configure.log")) != 0:
        print("configuring the scratch tree failed: see %s/configure.log" % logs)
        return 2
    buildcmd = ["cmake", "--build", build, "-j2"]
    ctest = ["ctest", "--test-dir", build, "-j%d" % args.j, "--timeout", str(args.timeout)]
    if args.tests:
        ctest += ["-R", args.tests]
    # The baseline always runs every test; --first only shortens the mutants' runs.
    mutantctest = ctest + (["--stop-on-failure"] if args.first else [])

    # The unchanged tree: tests that fail here say nothing about a mutant.
    if run(buildcmd, tree, os.path.join(logs, "baseline-build.log")) != 0:
        print("the unchanged tree does not build: see %s/baseline-build.log" % logs)
        return 2
    t0 = time.time()
    run(ctest, tree, os.path.join(logs, "baseline-test.log"))
    basetime = time.time() - t0
    baseline = set(failedtests(os.path.join(logs, "baseline-test.log")))
    with open(os.path.join(logs, "baseline-test.log"), errors="replace") as f:
        m = re.search(r"tests passed, \d+ tests failed out of (\d+)", f.read())
    total = m.group(1) if m else "?"
    print("baseline: %s tests in %.1f s%s" % (total, basetime,
          ", failing already: " + " ".join(sorted(baseline)) if baseline else ""), flush=True)

    for m in chosen:
        path = os.path.join(tree, m.path)
        if m.path.startswith("src/gui/") and not args.gui:
            m.status = "skipped"
        elif not os.path.isfile(path):
            m.status = "stale"
        else:
            with open(path, encoding="utf-8", errors="surrogateescape", newline="") as f:
                original = f.read()
            text = mutated(m, original)
            if text is None:
                m.status = "stale"
            elif text == original:
                m.status = "invalid"
            else:
                with open(path, "w", encoding="utf-8", errors="surrogateescape", newline="") as f:
                    f.write(text)
                try:
                    log = os.path.join(logs, "m%03d-build.log" % m.number)
                    if run(buildcmd, tree, log) != 0:
                        m.status = "invalid"
                    else:
                        log = os.path.join(logs, "m%03d-test.log" % m.number)
                        run(mutantctest, tree, log)
                        m.killers = [t for t in failedtests(log) if t not in baseline]
                        m.status = "killed" if m.killers else "survived"
                finally:
                    with open(path, "w", encoding="utf-8", errors="surrogateescape", newline="") as f:
                        f.write(original)
        line = "%3d %-8s %s" % (m.number, m.status, m.title())
        if m.where and m.where != m.line:
            line += " (found on line %d)" % m.where
        print(line, flush=True)
        if m.killers:
            shown = m.killers[:6]
            more = " and %d more" % (len(m.killers) - 6) if len(m.killers) > 6 else ""
            print("             by " + ", ".join(shown) + more, flush=True)
        if m.status == "survived":
            for note in m.notes:
                print("             # " + note, flush=True)

    counts = {}
    for m in chosen:
        counts[m.status] = counts.get(m.status, 0) + 1
    killed, survived = counts.get("killed", 0), counts.get("survived", 0)
    print()
    print("mutants: %d  killed %d  survived %d  invalid %d  stale %d  skipped %d" %
          (len(chosen), killed, survived, counts.get("invalid", 0), counts.get("stale", 0),
           counts.get("skipped", 0)))
    if killed + survived:
        print("score: %d/%d = %.1f %%" % (killed, killed + survived,
                                          100.0 * killed / (killed + survived)))
    print("time: %.0f s (logs in %s)" % (time.time() - started, logs))
    return 0 if survived == 0 else 1


if __name__ == "__main__":
    sys.exit(main())

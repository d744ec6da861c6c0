#!/usr/bin/python3
"""Random editing sessions for `ideaweave-cli run`, checked by invariants.

    randsession.py CLI [--seeds FIRST-LAST] [--actions N] [--keep DIR]

Each seed gives one script of random lines drawn from everything a run script
can do (tools, pointer moves, presses, drags far outside the window, keys,
modifiers, the wheel, every callable, every menu command of the program's command
table (by name) and button, requester answers,
window sizes), with checks woven in between:

  reopen   save, open what was saved, save again: the same records
  redo     save, undo, redo, save: what undo changed, redo puts back exactly
  creation save, N creations with the shape, line, text and connector tools,
           N undos, save: the diagram is the starting one

Files are compared byte for byte, except the diagram record's file name and
saved flag and, for the history checks, the selection flags and the scratch
record 0 (neither is part of the diagram a user sees). A failing seed prints
its script, which runs again alone with `ideaweave-cli run SCRIPT`.
"""
import os
import random
import subprocess
import sys
import tempfile

HEADER = 257          # version text and release number
DIAGRAM = 2312        # diagram record
RECORD = 1442         # object record
SAVED = HEADER + 1256  # diagram record's saved flag
SELECTED = 1426       # a record's selection flag

# The user-object tools (132 to 143) are chosen through their buttons, which
# stay disabled while their slot holds no user object, as in the editor.
TOOLS = [32, 36] + list(range(101, 132))
SHAPES = [t for t in range(101, 131) if t not in (103, 106, 107, 108, 109, 111, 113, 116)]
CALLS = {
    "selectall": 1, "CheckDragSelect": 0, "groupselect": 1, "creategroup": 0,
    "lockIWO": 0, "movegroup": 1, "duplicate": 0, "delete": 0, "sendtofront": 0,
    "sendtoback": 0, "resize": 1, "flip": 1, "croptofit": 0, "undohistory": 0,
    "redohistory": 0, "foldnode": 1, "calcconnectorpoints": 1, "remakeconnectors": 0,
    "zoomin": 0, "zoomout": 0, "update": 0, "togglegrid": 0, "snaptogrid": 0,
    "increasegrid": 1, "scrolldiagram": 2, "refreshIWOall": 0, "TextReq": 1, "node": 0,
}
KEYS = ["f", "del", "insert", "tab", "up", "down", "left", "right"]
GADGETS = [12, 22] + [g for g in range(23, 40) if g != 38] + list(range(100, 150))
FAR = [-2147483648, 2147483647, -100000, 100000, -32769, 32768, -1, 0, 65535]

# Building blocks that change the diagram without an undo step of their own:
# the commands record around them (Change Text around TextReq, Node around
# foldnode), so called alone their change is not in the history, and a history
# check after one would undo the step before it.
# History checks wait until the history is emptied by opening a file.
UNRECORDED = ("call TextReq", "call foldnode")


def coord(r, size):
    if r.random() < 0.04:
        return r.choice(FAR)
    return r.randint(-60, size + 60)


class Script:
    def __init__(self, seed, menus, actions):
        self.r = random.Random(seed)
        self.menus = menus
        self.lines = []
        self.checks = []
        self.files = 0
        self.tainted = False
        self.actions = actions
        self.held = False

    def add(self, line):
        # The pointer is held in the drawing window from a press to its
        # release: the tool windows can't be clicked meanwhile (keys and menu
        # shortcuts can), so a held press is let go before a button.
        if self.held and line.startswith(("tool ", "gadget ")):
            self.held = False
            self.lines.append("release 400 300")
        if line.startswith("press "):
            self.held = True
        elif line.startswith(("release ", "drag ")):
            self.held = False
        self.lines.append(line)
        if line.startswith(UNRECORDED):
            self.tainted = True

    def name(self, tag):
        self.files += 1
        return "%s%d.iwo" % (tag, self.files)

    def number(self):
        r = self.r
        return r.choice([0, 1, 2, 3, 5, 8, 50, 200, -1, -99, 1009, 1010, 40000, r.randint(0, 30)])

    def action(self):
        r = self.r
        k = r.random()
        w, h = 800, 600
        if k < 0.10:
            self.add("tool %d" % r.choice(TOOLS))
        elif k < 0.22:
            self.add("move %d %d" % (coord(r, w), coord(r, h)))
        elif k < 0.30:
            self.add("%s %d %d" % (r.choice(["press", "release"]), coord(r, w), coord(r, h)))
        elif k < 0.48:
            self.add("drag %d %d %d %d %d" % (coord(r, w), coord(r, h), coord(r, w),
                                              coord(r, h), r.randint(0, 6)))
        elif k < 0.56:
            self.add("key %s" % r.choice(KEYS))
        elif k < 0.60:
            self.add("%s %s" % (r.choice(["shift", "alt"]), r.choice(["down", "up"])))
        elif k < 0.62:
            self.add("wheel %d %d" % (r.randint(-3, 3), r.randint(-3, 3)))
        elif k < 0.75:
            name = r.choice(sorted(CALLS))
            args = [self.number() for _ in range(CALLS[name])]
            if name == "scrolldiagram":
                args = [r.randint(-5, 5), r.randint(-5, 5)]
            elif name in ("resize",):
                args = [r.choice([50, 200, 100, 0, 1, -50, 1000])]
            elif name in ("flip",):
                args = [r.choice([1, 2, 0, 3])]
            elif name in ("TextReq",):
                self.add("answer %d %s" % (r.choice([0, 1]), r.choice(["label", "x", ""])))
            self.add(" ".join(["call", name] + [str(a) for a in args]))
        elif k < 0.85:
            name = r.choice(self.menus)
            if r.random() < 0.3:
                self.add("answer %d" % r.choice([0, 1]))
            if name == "changetext":
                self.add("answer 1 %s" % r.choice(["text", "a longer label", ""]))
            self.add("menu %s" % name)
        elif k < 0.93:
            g = r.choice(GADGETS)
            half = r.choice(["", " upper", " lower"])
            self.add("%s %d%s" % (r.choice(["gadget", "gadget", "help"]), g, half))
        elif k < 0.95:
            self.add(r.choice(["close", "close tools", "close shapes"]))
        elif k < 0.97:
            self.add("window %d %d" % (r.randint(1, 1200), r.randint(1, 900)))
        elif k < 0.98:
            self.add("answer 1 %s" % r.choice(["text", "t"]))
            self.add("tool 36")
            self.add("press %d %d" % (coord(r, w), coord(r, h)))
            self.add("release %d %d" % (coord(r, w), coord(r, h)))
        else:
            self.add(r.choice(["print", "view", "title", "menus", "gadgets"]))

    def away(self):
        # Project > Save writes the diagram's own file: make that one no
        # check reads.
        self.add("save work.iwo")

    def letgo(self):
        # Checks run at rest: a drag still held is let go first (the object a
        # press creates takes its final form on the release).
        self.add("release 400 300")

    def reopen(self):
        a, b = self.name("reopen"), self.name("reopen")
        self.letgo()
        self.add("save " + a)
        self.add("open " + a)
        self.add("save " + b)
        self.checks.append(("reopen", a, b, None, len(self.lines)))
        self.away()
        self.tainted = False  # opening a file empties the history

    def redo(self):
        if self.tainted:
            return
        a, u, b = self.name("redo"), self.name("redo"), self.name("redo")
        self.letgo()
        self.add("save " + a)
        self.add("call undohistory")
        self.add("save " + u)
        self.add("call redohistory")
        self.add("save " + b)
        self.checks.append(("redo", a, b, u, len(self.lines)))
        self.away()

    def creation(self):
        """N creations from a known view, then N undos."""
        r = self.r
        self.letgo()
        # A view in which the middle of the window lies on the page.
        self.add("shift up")
        self.add("alt up")
        self.add("window 800 600")
        for _ in range(10):
            self.add("call zoomout")
        self.add("call scrolldiagram -1000 -1000")
        self.add("tool 32")
        start = self.name("create")
        self.add("save " + start)
        n = 0
        for _ in range(r.randint(1, 4)):
            kind = r.random()
            if kind < 0.6:
                x, y = r.randint(330, 470), r.randint(250, 350)
                dx, dy = r.randint(-60, 60), r.randint(-60, 60)
                self.add("tool %d" % r.choice(SHAPES))
                self.add("drag %d %d %d %d %d" % (x, y, x + dx, y + dy, r.randint(0, 5)))
                n += 1
            elif kind < 0.7:
                x, y = r.randint(330, 470), r.randint(250, 350)
                self.add("tool 107")
                self.add("drag %d %d %d %d %d" % (x, y, x + r.randint(-60, 60),
                                                  y + r.randint(-60, 60), r.randint(1, 5)))
                n += 1
            elif kind < 0.8:
                self.add("answer 1 word")
                self.add("tool 36")
                x, y = r.randint(330, 470), r.randint(250, 350)
                self.add("press %d %d" % (x, y))
                self.add("release %d %d" % (x, y))
                n += 1
            else:
                # Two shapes and a connector from one to the other.
                self.add("tool 101")
                self.add("drag 340 260 370 290 2")
                self.add("tool 105")
                self.add("drag 430 310 460 340 2")
                self.add("tool 108")
                self.add("drag 355 275 445 325 %d" % r.randint(1, 5))
                n += 3
        self.add("tool 32")
        mid = self.name("create")
        self.add("save " + mid)
        for _ in range(n):
            self.add("call undohistory")
        end = self.name("create")
        self.add("save " + end)
        self.checks.append(("creation", start, end, (mid, n),
                            len(self.lines)))
        self.away()

    def build(self):
        r = self.r
        self.add("window 800 600")
        for _ in range(self.actions):
            self.action()
            k = r.random()
            if k < 0.05:
                self.reopen()
            elif k < 0.15:
                self.redo()
            elif k < 0.19:
                self.creation()
        self.reopen()
        self.creation()
        return "\n".join(self.lines) + "\n"


def load(path):
    with open(path, "rb") as f:
        return bytearray(f.read())


def masked(data, history):
    """The bytes that must agree: without file name, saved flag and selection
    flags (opening a diagram selects nothing), and for history checks without
    record 0."""
    d = bytearray(data)
    d[HEADER:HEADER + 1000] = bytes(1000)
    d[SAVED:SAVED + 2] = bytes(2)
    first = HEADER + DIAGRAM
    n = (len(d) - first) // RECORD
    for i in range(n):
        p = first + i * RECORD
        d[p + SELECTED:p + SELECTED + 2] = bytes(2)
    if history:
        d[first:first + RECORD] = bytes(RECORD)
    return bytes(d)


def objects(data):
    p = HEADER + 2310
    return int.from_bytes(data[p:p + 2], "big", signed=True)


def firstdiff(a, b):
    if len(a) != len(b):
        return "lengths %d and %d" % (len(a), len(b))
    for i in range(len(a)):
        if a[i] != b[i]:
            if i < HEADER + DIAGRAM:
                return "diagram record byte %d" % (i - HEADER)
            k = i - HEADER - DIAGRAM
            p = HEADER + DIAGRAM + (k // RECORD) * RECORD

            def fields(d):
                return [int.from_bytes(d[p + o:p + o + 2], "big", signed=True)
                        for o in (2, 30, 32, 34, 36)]
            return "record %d byte %d: type x y w h %s / %s" % (
                k // RECORD, k % RECORD, fields(a), fields(b))
    return "no difference"


def check(work, kind, a, b, extra):
    A, B = load(os.path.join(work, a)), load(os.path.join(work, b))
    if kind == "reopen":
        if masked(A, False) != masked(B, False):
            return "save, open, save: %s and %s differ (%s)" % (a, b, firstdiff(masked(A, False), masked(B, False)))
        return None
    if kind == "redo":
        u = extra
        U = load(os.path.join(work, u))
        if masked(A, True) == masked(U, True):
            return "skip"  # nothing was undone
        if masked(A, True) != masked(B, True):
            return "undo, redo: %s and %s differ (%s)" % (a, b, firstdiff(masked(A, True), masked(B, True)))
        return None
    mid, n = extra
    M = load(os.path.join(work, mid))
    if objects(M) != objects(A) + n:
        return "skip"  # a creation did not happen (full table, page not under the pointer)
    if masked(A, True) != masked(B, True):
        return "%d creations and %d undos: %s and %s differ (%s)" % (
            n, n, a, b, firstdiff(masked(A, True), masked(B, True)))
    return None


def menulist(cli, work):
    """The names of the commands that are menu items, in menu order, from the
    program's command table."""
    path = os.path.join(work, "commands")
    with open(path, "w") as f:
        f.write("commands\n")
    out = subprocess.run([cli, "run", path], cwd=work, capture_output=True, text=True, check=True)
    items = []
    for line in out.stdout.splitlines():
        parts = line.split()
        if len(parts) >= 4 and parts[1] != "-1":
            items.append((int(parts[1]), int(parts[2]), parts[0]))
    return [name for _, _, name in sorted(items)]


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 1
    cli = os.path.abspath(argv[1])
    first, last, actions, keep = 1, 20, 150, None
    i = 2
    while i < len(argv):
        if argv[i] == "--seeds" and i + 1 < len(argv):
            lo, _, hi = argv[i + 1].partition("-")
            first, last = int(lo), int(hi or lo)
            i += 2
        elif argv[i] == "--actions" and i + 1 < len(argv):
            actions = int(argv[i + 1])
            i += 2
        elif argv[i] == "--keep" and i + 1 < len(argv):
            keep = argv[i + 1]
            i += 2
        else:
            print("randsession.py: unknown argument %s" % argv[i])
            return 1
    failures = checked = skipped = 0
    with tempfile.TemporaryDirectory() as tmp:
        menus = menulist(cli, tmp)
        for seed in range(first, last + 1):
            work = os.path.join(tmp, "s%d" % seed)
            os.mkdir(work)
            s = Script(seed, menus, actions)
            text = s.build()
            with open(os.path.join(work, "script"), "w") as f:
                f.write(text)
            run = subprocess.run([cli, "run", "script"], cwd=work, capture_output=True, text=True)
            problems = []
            if run.returncode != 0:
                problems.append("session exited %d: %s" % (run.returncode, run.stderr.strip()[-2000:]))
            else:
                for kind, a, b, extra, line in s.checks:
                    result = check(work, kind, a, b, extra)
                    if result == "skip":
                        skipped += 1
                    elif result:
                        problems.append("line %d: %s" % (line, result))
                    else:
                        checked += 1
            if problems:
                failures += 1
                print("seed %d:" % seed)
                for p in problems[:5]:
                    print("  " + p)
                if keep:
                    os.makedirs(keep, exist_ok=True)
                    dest = os.path.join(keep, "seed%d.script" % seed)
                    with open(dest, "w") as f:
                        f.write(text)
                    print("  script: " + dest)
    print("%d seeds, %d checks passed, %d skipped, %d seeds failed" %
          (last - first + 1, checked, skipped, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

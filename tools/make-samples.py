#!/usr/bin/env python3
"""Makes the sample diagrams in data/samples/ by editing sessions of
ideaweave-cli run, so that they are what the program itself writes.

    tools/make-samples.py [--cli build/src/ideaweave-cli] [--out data/samples]

Each sample is a list of shapes, labels and connectors placed with the pointer
as a user would; the script is written beside the diagram in a temporary
directory and run, and the saved diagram is copied into the output directory.
"""
import argparse
import os
import subprocess
import sys
import tempfile

SELECT, CONNECTOR = 32, 108
RECT, SOFTRECT, DIAMOND, ELLIPSE, PARALLELOGRAM = 101, 102, 104, 105, 110
CLOUD, ACTOR, CLASSBOX, PROCESS, STARTSTOP = 119, 125, 126, 127, 129
# Line-end styles of the style window: 1 no mark, the others the marks.
NOMARK, ENDS = 1, (4, 8, 12, 17, 18, 19)


# The page's top-left corner in the drawing window at the start zoom (0.3
# pixels per unit); the samples place things in page pixels from there.
ORIGIN = 100


class Session:
    """The lines of a run script, with the record numbers of what it made.
    Positions are pixels on an A4 page (630 x 870 at the start zoom)."""

    def __init__(self):
        self.lines = [f"window {ORIGIN + 660} {ORIGIN + 900}"]
        self.count = 0
        self.boxes = {}

    def add(self, *lines):
        self.lines.extend(lines)

    def shape(self, name, tool, x1, y1, x2, y2, label=None):
        x1, y1, x2, y2 = x1 + ORIGIN, y1 + ORIGIN, x2 + ORIGIN, y2 + ORIGIN
        self.add(f"tool {tool}", f"move {x1} {y1}", f"drag {x1} {y1} {x2} {y2}")
        self.count += 1
        self.boxes[name] = (x1, y1, x2, y2)
        if label:
            self.label(self.count, label)
        return self.count

    def label(self, record, text):
        self.add(f"answer 1 {text}", f"call TextReq {record}")

    @staticmethod
    def edge(box, towards):
        """The point of box's outline (4 pixels inside) on the way from its
        middle to the point towards."""
        x1, y1, x2, y2 = box
        cx, cy = (x1 + x2) / 2, (y1 + y2) / 2
        dx, dy = towards[0] - cx, towards[1] - cy
        tx = ((x2 - x1) / 2 - 4) / abs(dx) if dx else 1e9
        ty = ((y2 - y1) / 2 - 4) / abs(dy) if dy else 1e9
        t = min(tx, ty)
        return round(cx + dx * t), round(cy + dy * t)

    def connect(self, a, b, label=None):
        """A connector from the outline of box a to the outline of box b;
        returns a point half-way along it, where a press selects it."""
        ba, bb = self.boxes[a], self.boxes[b]
        ca = ((ba[0] + ba[2]) / 2, (ba[1] + ba[3]) / 2)
        cb = ((bb[0] + bb[2]) / 2, (bb[1] + bb[3]) / 2)
        (ax, ay), (bx, by) = self.edge(ba, cb), self.edge(bb, ca)
        self.add(f"tool {CONNECTOR}", f"move {ax} {ay}", f"drag {ax} {ay} {bx} {by} 8")
        self.count += 1
        if label:
            self.label(self.count, label)
        return (ax + bx) // 2, (ay + by) // 2

    def pick(self, at):
        """Selects what is at the window point at alone (a press on the grey
        beside the page first)."""
        x, y = at
        self.add(f"tool {SELECT}", "press 5 5", "release 5 5", f"press {x} {y}",
                 f"release {x} {y}")

    def ends(self, at, start=None, end=None, size=40):
        """Gives the connector at the window point at its line ends, of the
        given size, through the properties window."""
        self.pick(at)
        self.add("menu 2 0")
        for style, button, slider in ((start, 231, 233), (end, 232, 234)):
            if style:
                self.add(f"style {style}", f"gadget {button}")
            if style and style != NOMARK:  # a mark's size; no mark has none
                self.add(f"gadget {slider} {size}")
        self.add("close props")

    def fold(self, at):
        """Folds the branch behind the connector at the window point at."""
        self.pick(at)
        self.add("call node")

    def describe(self, title, description):
        """The diagram's title, author and description (Diagram > Properties)."""
        self.pick((5, 5))
        self.add("menu 3 0", f"set 309 {title}", "set 311 Ideaweave samples",
                 f"set 312 {description}", "gadget 330", "close diagram")

    def finish(self, path):
        self.pick((5, 5))
        self.add(f"save {path}", "print")
        return "\n".join(self.lines) + "\n"


def mindmap():
    s = Session()
    s.shape("centre", ELLIPSE, 220, 390, 410, 480, "Garden party")
    s.shape("guests", SOFTRECT, 40, 200, 200, 260, "Guests")
    s.shape("food", SOFTRECT, 430, 200, 590, 260, "Food")
    s.shape("music", SOFTRECT, 40, 610, 200, 670, "Music")
    s.shape("weather", CLOUD, 420, 590, 600, 690, "Weather")
    s.shape("family", RECT, 10, 60, 130, 110, "Family")
    s.shape("friends", RECT, 150, 60, 270, 110, "Friends")
    s.shape("salads", RECT, 360, 60, 480, 110, "Salads")
    s.shape("cake", RECT, 500, 60, 620, 110, "Cake")
    s.shape("band", RECT, 10, 770, 130, 820, "Band")
    s.shape("playlist", RECT, 150, 770, 270, 820, "Playlist")
    s.shape("tent", RECT, 450, 770, 570, 820, "Tent")
    branches = {b: s.connect("centre", b) for b in ("guests", "food", "music", "weather")}
    for parent, leaf in (("guests", "family"), ("guests", "friends"), ("food", "salads"),
                         ("food", "cake"), ("music", "band"), ("music", "playlist"),
                         ("weather", "tent")):
        s.connect(parent, leaf)
    # The branches of Music and Weather folded behind their connectors.
    s.fold(branches["music"])
    s.fold(branches["weather"])
    s.describe("Garden party", "A mind map with two folded branches")
    return s


def flowchart():
    s = Session()
    s.shape("start", STARTSTOP, 230, 20, 400, 80, "Order arrives")
    s.shape("read", PARALLELOGRAM, 210, 140, 420, 210, "Read order")
    s.shape("stock", DIAMOND, 215, 270, 415, 390, "In stock?")
    s.shape("ship", RECT, 230, 460, 400, 530, "Pack and ship")
    s.shape("reorder", PROCESS, 470, 295, 620, 365, "Reorder")
    s.shape("bill", RECT, 230, 600, 400, 670, "Send invoice")
    s.shape("end", STARTSTOP, 230, 760, 400, 820, "Done")
    s.shape("note", SOFTRECT, 10, 290, 160, 370, "Note")
    arrows = [s.connect("start", "read"), s.connect("read", "stock"),
              s.connect("stock", "ship", "yes"), s.connect("stock", "reorder", "no"),
              s.connect("ship", "bill"), s.connect("bill", "end")]
    note = s.connect("note", "stock")
    # Every line-end mark once at an end, and none and the first at the note's starts.
    for at, end in zip(arrows, ENDS):
        s.ends(at, start=NOMARK, end=end)
    s.ends(note, start=ENDS[0], end=ENDS[-1])
    s.describe("Orders", "A flowchart showing every line end")
    return s


def classes():
    s = Session()
    s.shape("user", ACTOR, 30, 60, 110, 200, "User")
    s.shape("diagram", CLASSBOX, 220, 40, 430, 200, "Diagram")
    s.shape("object", CLASSBOX, 220, 330, 430, 490, "Object")
    s.shape("shape", CLASSBOX, 40, 640, 250, 800, "Shape")
    s.shape("connector", CLASSBOX, 400, 640, 610, 800, "Connector")
    s.connect("user", "diagram", "edits")
    holds = s.connect("diagram", "object", "holds")
    isa1 = s.connect("shape", "object")
    isa2 = s.connect("connector", "object")
    joins = s.connect("connector", "shape", "joins")
    s.ends(holds, start=ENDS[2], end=NOMARK)  # aggregation
    s.ends(isa1, start=NOMARK, end=ENDS[4])   # generalisation
    s.ends(isa2, start=NOMARK, end=ENDS[4])
    s.ends(joins, start=NOMARK, end=ENDS[1])
    s.describe("Diagram classes", "A UML class sketch")
    return s


SAMPLES = {"mindmap": mindmap, "flowchart": flowchart, "classes": classes}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(here)
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--cli", default=os.path.join(root, "build/src/ideaweave-cli"))
    ap.add_argument("--out", default=os.path.join(root, "data/samples"))
    ap.add_argument("--keep", help="also write the run scripts into this directory")
    args = ap.parse_args()
    env = dict(os.environ)
    with tempfile.TemporaryDirectory() as tmp:
        env["XDG_CONFIG_HOME"] = os.path.join(tmp, "config")
        env["XDG_DATA_HOME"] = os.path.join(tmp, "data")
        for name, make in SAMPLES.items():
            # Saved under its bare name, which the diagram keeps as its file name.
            target = os.path.join(tmp, name + ".iwo")
            script = make().finish(name + ".iwo")
            path = os.path.join(tmp, name + ".script")
            with open(path, "w") as f:
                f.write(script)
            if args.keep:
                os.makedirs(args.keep, exist_ok=True)
                with open(os.path.join(args.keep, name + ".script"), "w") as f:
                    f.write(script)
            r = subprocess.run([os.path.abspath(args.cli), "run", path], env=env, cwd=tmp,
                               capture_output=True, text=True)
            refused = [l for l in r.stdout.splitlines() if ": disabled" in l or "Error" in l]
            if r.returncode != 0 or refused or not os.path.exists(target):
                sys.exit(f"{name}: ideaweave-cli run failed ({r.returncode}):\n{r.stderr}{chr(10).join(refused) or r.stdout}")
            os.makedirs(args.out, exist_ok=True)
            with open(target, "rb") as src, open(os.path.join(args.out, name + ".iwo"), "wb") as dst:
                dst.write(src.read())
            print(f"{name}.iwo: {r.stdout.strip().count(chr(10)) + 1} lines printed")


if __name__ == "__main__":
    main()

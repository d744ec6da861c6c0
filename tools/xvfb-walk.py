#!/usr/bin/python3
"""The editor worked as a new user works it, on a real X server (Xvfb 1280 x 720).

    xvfb-walk.py BUILD [--out DIR] [--full] [--all-tools] [--classic]

BUILD is a build directory holding src/ideaweave and src/ideaweave-cli. The
walk starts Xvfb and the editor with settings of its own, and with xdotool
clicks New, places four boxes A, B, C and D with the Rectangle tool, names
them with Change Text, draws a connector from A's centre to each of the
others, folds A's branch, exports the outline and a PDF of an "A4: portrait"
page, and then, with tools chosen from the Shapes window, presses the editor's
keys one by one: after each key (and Esc for any window it opened) the page
must look as it does after Redraw (Ctrl+R), so no outline or handle is left
behind. Screenshots go to DIR (a new temporary directory unless --out says).

One line per check, PASS or FAIL; the exit status is 0 only when every
check passed, 1 when one failed, 77 when Xvfb, xdotool or pdfinfo is missing
(a test runner reports the walk as skipped). Without options the keys are a
sample (the ones that open a window or change the tool) tried with a shape and
a user object tool, some two minutes; --full tries every key with those, the
Line, Connector, Text and select tools (some twenty minutes), --all-tools with
every button of the Shapes window besides. --classic turns Smooth Drawing off.
"""
import argparse
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

# Where the window's parts are at 1280 x 720 with the default settings: the
# Tools and Shapes windows keep their places and sizes whatever the diagram.
NEWBUTTON = (36, 87)
EXPORTGRAPHIC = (36, 185)
EXPORTTEXT = (90, 185)
SELECTTOOL = (90, 318)
TEXTTOOL = (36, 367)
TABS = {"S": (153, 53), "M": (186, 53), "U": (221, 53)}
COLUMNS = (176, 238)
ROWS = (90, 140, 189, 237, 287, 336)
DIAGRAMMENU = (183, 8)
DIAGRAMPROPERTIES = (212, 30)
PAGETAB = (134, 94)
PAPERCHOOSER = (240, 127)
PAPERITEM = {"A5: landscape": 165, "A4: portrait": 143}
APPLY = (272, 348)
VIEW = (290, 20, 1008, 704)  # the drawing area: left, top, right, bottom

WHITE = (255, 255, 255)

# The editor's keys (xdotool names): the menu shortcuts, the desktop's extra
# ones and the drawing window's own keys, and Ctrl with every digit.
KEYS = [
    "ctrl+n", "ctrl+o", "ctrl+s", "ctrl+shift+s", "ctrl+q", "ctrl+x", "ctrl+c", "ctrl+v",
    "ctrl+a", "ctrl+e", "F3", "shift+F3", "Escape", "ctrl+u", "ctrl+z", "ctrl+y",
    "ctrl+shift+z", "ctrl+i", "ctrl+w", "ctrl+b", "ctrl+f", "ctrl+l", "ctrl+colon", "ctrl+t",
    "F2", "ctrl+h", "ctrl+g", "ctrl+1", "ctrl+3", "ctrl+4", "ctrl+7", "ctrl+0", "ctrl+5",
    "ctrl+6", "ctrl+Return", "shift+Return", "ctrl+shift+space", "ctrl+Left", "ctrl+Right",
    "ctrl+Up", "ctrl+Down", "ctrl+question", "ctrl+plus", "ctrl+equal", "ctrl+minus",
    "ctrl+9", "ctrl+8", "ctrl+period", "ctrl+d", "ctrl+greater", "ctrl+less", "ctrl+k",
    "Insert", "Up", "shift+Down", "Left", "Right", "Tab", "alt+Right", "alt+Down", "alt+Up",
    "alt+Tab", "f", "shift+f", "F1", "BackSpace", "Delete", "ctrl+Delete",
    # last: with a user tool chosen it empties that tool
    "ctrl+2",
]
# The sample: the keys that open a window or change the tool, the view or the
# selection while an outline is shown.
QUICKKEYS = ["ctrl+5", "ctrl+6", "ctrl+0", "ctrl+i", "ctrl+e", "F3", "Insert", "alt+Right", "ctrl+2"]


class Failed(Exception):
    pass


class Walk:
    def __init__(self, build, out, classic):
        self.build = build
        self.out = out
        self.classic = classic
        self.failures = 0
        self.checks = 0
        self.xvfb = None
        self.app = None
        self.main = None
        home = os.path.join(out, "home")
        self.env = dict(os.environ)
        for name, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"),
                          ("XDG_DATA_HOME", "data"), ("XDG_RUNTIME_DIR", "runtime")):
            path = os.path.join(out, sub)
            os.makedirs(path, exist_ok=True)
            self.env[name] = path
        os.chmod(self.env["XDG_RUNTIME_DIR"], 0o700)
        self.env["QT_QPA_PLATFORM"] = "xcb"
        self.env.pop("WAYLAND_DISPLAY", None)
        # Help > User Guide opens a browser: none here.
        self.env["BROWSER"] = "true"
        self.files = os.path.join(home, "files")
        os.makedirs(self.files, exist_ok=True)

    # ---- reporting ----
    def check(self, name, ok, why=""):
        self.checks += 1
        if ok:
            print("PASS " + name, flush=True)
        else:
            self.failures += 1
            print("FAIL " + name + (": " + why if why else ""), flush=True)
        return ok

    # ---- the X server and the editor ----
    def startx(self):
        r, w = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x720x24", "-nolisten", "tcp"],
            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(r, 16)
            if not chunk:
                raise Failed("Xvfb did not start")
            number += chunk
        os.close(r)
        self.env["DISPLAY"] = ":" + number.decode().strip()

    def stop(self):
        for p in (self.app, self.xvfb):
            if p and p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()

    def startapp(self, *args):
        for attempt in range(2):
            self.stopapp()
            with open(os.path.join(self.out, "editor.log"), "a") as log:
                self.app = subprocess.Popen(
                    [os.path.join(self.build, "src", "ideaweave"), *args], env=self.env,
                    stdout=subprocess.DEVNULL, stderr=log)
            for _ in range(150):
                wins = self.windows()
                if wins:
                    self.main = wins[0]
                    time.sleep(0.5)
                    return
                if not self.alive():
                    break
                time.sleep(0.1)
        raise Failed("the editor's window did not appear (see editor.log)")

    def stopapp(self):
        if self.app and self.app.poll() is None:
            self.app.terminate()
            try:
                self.app.wait(5)
            except subprocess.TimeoutExpired:
                self.app.kill()
                self.app.wait()
        self.app = None

    def alive(self):
        return self.app is not None and self.app.poll() is None

    def x(self, *args):
        r = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        return r.stdout

    def windows(self):
        """The editor's visible top-level windows, the main window first."""
        if not self.alive():
            return []
        ids = [int(w) for w in self.x("search", "--onlyvisible", "--pid",
                                      str(self.app.pid), "--name", "").split()]
        # Tool tips and menus are no windows a user dismisses.
        ids = [w for w in ids if self.x("getwindowname", str(w)).strip()]
        if self.main in ids:
            ids.remove(self.main)
            ids.insert(0, self.main)
        return ids

    def title(self):
        return self.x("getwindowname", str(self.main)).strip()

    def click(self, pos, wait=0.3):
        self.x("mousemove", str(pos[0]), str(pos[1]), "click", "1")
        time.sleep(wait)

    def move(self, pos, wait=0.1):
        self.x("mousemove", str(pos[0]), str(pos[1]))
        time.sleep(wait)

    def drag(self, a, b):
        self.move(a, 0.15)
        self.x("mousedown", "1")
        steps = 4
        for i in range(1, steps + 1):
            self.move((a[0] + (b[0] - a[0]) * i // steps, a[1] + (b[1] - a[1]) * i // steps), 0.08)
        time.sleep(0.1)
        self.x("mouseup", "1")
        time.sleep(0.3)

    def key(self, k, wait=0.4):
        self.x("key", k)
        time.sleep(wait)

    def type(self, text):
        self.x("type", "--delay", "20", text)
        time.sleep(0.1)

    def waitwindows(self, n, timeout=5):
        for _ in range(int(timeout * 10)):
            wins = self.windows()
            if len(wins) == n:
                if n > 1:
                    # what a window manager does with a window shown again
                    self.x("windowraise", str(wins[-1]))
                    self.x("windowfocus", str(wins[-1]))
                    time.sleep(0.2)
                return True
            time.sleep(0.1)
        return False

    def answerfile(self, path, wait=1.0):
        """Types path into the file requester the last key or click opened and
        presses Return; whatever is still open after waiting is dismissed."""
        if self.waitwindows(2):
            self.type(path)
            self.key("Return", wait)
        self.dismiss()

    def dismiss(self):
        """Esc for every window a key opened (Cancel on a requester)."""
        closed = False
        for _ in range(6):
            wins = self.windows()
            if len(wins) <= 1:
                break
            self.x("windowfocus", str(wins[-1]))
            self.key("Escape", 0.4)
            closed = True
        if closed and self.alive():
            # no window manager gives the focus back
            self.x("windowfocus", str(self.main))
            time.sleep(0.1)
        return len(self.windows()) <= 1

    def closefind(self):
        # Esc in the find bar's field closes the bar; elsewhere it does nothing.
        self.key("Escape", 0.3)

    # ---- screenshots ----
    def grab(self, name=None):
        """The screen as rows of (r, g, b) bytes; saved as DIR/NAME.png when named."""
        raw = subprocess.run(["xwd", "-root", "-silent"], env=self.env,
                             capture_output=True, check=True).stdout
        h = struct.unpack(">25I", raw[:100])
        size, width, height, order, bpp, bpl, ncolors = h[0], h[4], h[5], h[7], h[11], h[12], h[19]
        # three or four bytes a pixel (three once the editor has set its visual)
        if bpp not in (24, 32) or bpl < width * bpp // 8:
            raise Failed("unexpected screen format: %d bits a pixel, %d bytes a line" % (bpp, bpl))
        data = raw[size + 12 * ncolors:]
        shot = Shot(width, height, bpl, bpp // 8, data, order)
        if name:
            # ImageMagick's import draws each window in its own depth, which
            # xwd leaves black for the dialogs (32 bits deep on a 24-bit screen)
            path = os.path.join(self.out, name + ".png")
            if shutil.which("import"):
                subprocess.run(["import", "-window", "root", path], env=self.env,
                               capture_output=True)
            else:
                shot.save(path)
        return shot

    def isgrey(self, shot, x, y):
        return all(shot.at(x + dx, y + dy) == self.grey for dx in (-1, 0, 1) for dy in (-1, 0, 1))

    def margin(self, shot):
        """A point of the view off the page (the grey around it), or None."""
        l, t, r, b = VIEW
        for d in range(3, 40, 6):
            for x in range(l + d, r - d, 12):
                for y in (t + d, b - d):
                    if self.isgrey(shot, x, y):
                        return (x, y)
            for y in range(t + d, b - d, 12):
                for x in (l + d, r - d):
                    if self.isgrey(shot, x, y):
                        return (x, y)
        return None

    def onpage(self, shot):
        """A point of the page, as near the view's middle as may be."""
        l, t, r, b = VIEW
        cx, cy = (l + r) // 2, (t + b) // 2
        for d in range(0, 300, 10):
            for p in ((cx + d, cy), (cx - d, cy), (cx, cy + d), (cx, cy - d)):
                if shot.at(*p) == WHITE and shot.at(p[0] + 20, p[1] + 14) == WHITE:
                    return p
        return None

    # ---- the walk ----
    def newdiagram(self):
        # Before New the view is all grey: its colour tells the page's margin.
        self.grey = self.grab("00-start").at(VIEW[0] + 5, VIEW[1] + 5)
        self.click(NEWBUTTON, 0.8)
        shot = self.grab("01-new")
        l, t, r, b = VIEW
        y = (t + b) // 2
        x0 = next((x for x in range(l, r) if shot.at(x, y) == WHITE), None)
        y0 = None
        if x0 is not None:
            y0 = next((y for y in range(t, b) if shot.at(x0 + 20, y) == WHITE), None)
        self.check("New shows an empty page", y0 is not None and "No Title Given" in self.title(),
                   "no page in view, title %r" % self.title())
        if y0 is None:
            raise Failed("no page")
        return (x0, y0)

    def settools(self, tab, column, row):
        self.click(TABS[tab], 0.2)
        self.click((COLUMNS[column], ROWS[row]), 0.2)

    def boxes(self, origin):
        ox, oy = origin
        # Four boxes (a click places the Rectangle at its usual 31 x 21 mm,
        # 93 x 63 pixels at the first zoom): A on the left, B, C and D in a
        # column on the right. Per box: centre, left, top, right, bottom.
        places = {"A": (ox + 33, oy + 242), "B": (ox + 333, oy + 42),
                  "C": (ox + 333, oy + 242), "D": (ox + 333, oy + 442)}
        centres = {n: (x + 46, y + 31, x, y, x + 92, y + 62) for n, (x, y) in places.items()}
        for name in "ABCD":
            self.settools("S", 0, 0)
            self.click(places[name], 0.3)
        self.click(SELECTTOOL, 0.2)
        for name in "ABCD":
            cx, cy = centres[name][:2]
            self.click((cx - 20, cy + 15), 0.3)
            self.key("ctrl+t", 0.6)
            if not self.waitwindows(2):
                self.check("Change Text asks for the label of " + name, False, "no requester")
                continue
            self.type(name)
            self.key("Return", 0.5)
        shot = self.grab("02-boxes")
        ok = all(any(shot.at(c[4] + d, c[1]) != WHITE for d in range(-3, 2)) and
                 any(shot.at(c[0], c[5] + d) != WHITE for d in range(-3, 2))
                 for c in centres.values())
        self.check("four boxes placed and named A B C D", ok and len(self.windows()) == 1,
                   "a box is missing or a requester stayed open")
        return centres

    def fan(self, centres):
        self.settools("S", 1, 2)  # the connector tool
        a = centres["A"]
        for name in "BCD":
            self.drag(a[:2], centres[name][:2])
        self.move(self.margin(self.grab()) or (VIEW[2] - 3, VIEW[1] + 3), 0.3)
        shot = self.grab("03-fan")
        # Each connector leaves A's right edge towards its box.
        ok = all(any(shot.at(x, y) != WHITE for x in range(a[4] + 3, a[4] + 30)
                     for y in range(min(a[1], c[1]) - 2, max(a[1], c[1]) + 3))
                 for c in (centres[n] for n in "BCD"))
        self.check("three connectors drawn from A's centre", ok)
        # Saved and read back: all three start on A.
        path = os.path.join(self.files, "fan.iwo")
        self.key("ctrl+s", 0.8)
        self.answerfile(path)
        info = self.info(path)
        if info is None:
            self.check("the fan saved as fan.iwo", False, "no file")
            return None
        recs = info["records"]
        ids = {r["label"]: r["id"] for r in recs if r["type"] != 108}
        conns = [r for r in recs if r["type"] == 108]
        starts = sorted(r["connectstart"] for r in conns)
        ends = sorted(r["connectend"] for r in conns)
        self.check("each connector starts on A and ends on B, C or D",
                   len(conns) == 3 and starts == [ids.get("A")] * 3 and
                   ends == sorted(ids.get(n) for n in "BCD"),
                   "starts %s ends %s ids %s" % (starts, ends, ids))
        return path

    def info(self, path):
        import json
        r = subprocess.run([os.path.join(self.build, "src", "ideaweave-cli"), "info", path],
                           env=self.env, capture_output=True, text=True)
        if r.returncode != 0:
            return None
        return json.loads(r.stdout)

    def fold(self, centres):
        self.click(SELECTTOOL, 0.2)
        a = centres["A"]
        self.click((a[0] - 20, a[1] + 15), 0.3)
        self.key("ctrl+shift+space", 0.6)
        self.move(self.margin(self.grab()) or (VIEW[2] - 3, VIEW[1] + 3), 0.3)
        shot = self.grab("04-folded")
        left = []
        for n in "BCD":
            c = centres[n]
            # the box's right edge and bottom edge are gone
            if any(shot.at(c[4] - d, y) != WHITE for d in (1, 2) for y in range(c[3] + 5, c[5] - 5)):
                left.append(n)
        self.check("folding A's branch hides B, C and D whole", not left,
                   "still shown: " + " ".join(left))
        # The outline from A, through the Export Text button.
        md = os.path.join(self.files, "fan.md")
        self.click(EXPORTTEXT, 0.8)
        self.answerfile(md)
        try:
            lines = [l.rstrip() for l in open(md, encoding="utf-8") if l.strip().startswith("-")]
        except OSError:
            lines = []
        want = ["- A", "    - B", "    - C", "    - D"]
        got = [l.replace(" <!-- fold -->", "") for l in lines]
        self.check("the outline nests B, C and D under A", got == want,
                   "outline %r" % lines)

    def a4pdf(self):
        # Diagram > Properties, page "Page": A5 landscape applied, then A4 portrait.
        sizes = []
        for choice in ("A5: landscape", "A4: portrait"):
            for _ in range(3):
                self.click(DIAGRAMMENU, 0.6)
                self.click(DIAGRAMPROPERTIES, 0.5)
                if self.waitwindows(2):
                    break
                self.key("Escape", 0.3)
            time.sleep(0.8)
            self.click(PAGETAB, 0.5)
            self.click(PAPERCHOOSER, 0.6)
            self.click((PAPERCHOOSER[0] - 10, PAPERITEM[choice]), 0.4)
            self.grab("05-paper-" + choice.split(":")[0].lower())
            self.click(APPLY, 0.6)
            self.dismiss()
            path = os.path.join(self.files, "paper%d.iwo" % len(sizes))
            self.key("ctrl+shift+s", 0.8)
            self.answerfile(path)
            info = self.info(path) or {}
            sizes.append((info.get("paperwidth"), info.get("paperheight")))
        self.check('"A5: landscape" gives a page of 2100 x 1480, "A4: portrait" 2100 x 2970',
                   sizes == [(2100, 1480), (2100, 2970)], "pages %s" % sizes)
        pdf = os.path.join(self.files, "page.pdf")
        self.click(EXPORTGRAPHIC, 0.8)
        self.answerfile(pdf, 2.0)
        r = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True)
        size = ""
        for line in r.stdout.splitlines():
            if line.startswith("Page size:"):
                size = line.split(":", 1)[1].strip()
        try:
            w, h = (round(float(v)) for v in size.split()[0:3:2])
        except ValueError:
            w = h = 0
        self.check("an A4 PDF is 595 x 842 pt", (w, h) == (595, 842), "page size %r" % size)

    def findbar(self):
        self.click(SELECTTOOL, 0.2)
        self.key("ctrl+e", 0.6)
        shot = self.grab("06-find")
        self.closefind()
        # the left margin beside the page, low in the view
        y = next((y for y in range(VIEW[3], VIEW[1], -4) if self.isgrey(shot, VIEW[0] + 6, y)), 0)
        self.check("the find bar leaves the page its height", y > VIEW[3] - 90,
                   "the view ends at y %d of %d" % (y, VIEW[3]))

    def ghosts(self, diagram, tools, keys, restart):
        """Every key with every tool: nothing left on the page that Redraw takes away."""
        for label, choose in tools:
            if restart or not self.alive():
                self.startapp(diagram)
            # A user object of the whole fan (Select All, Create User IWO).
            self.click(SELECTTOOL, 0.2)
            self.key("ctrl+a", 0.3)
            self.key("ctrl+1", 0.6)
            self.dismiss()
            bad = []
            shot = self.grab()
            for k in keys:
                choose(self)
                p = self.onpage(shot)
                if p is None:
                    self.key("ctrl+9", 0.5)
                    p = self.onpage(self.grab()) or ((VIEW[0] + VIEW[2]) // 2, 300)
                # the outline follows the pointer while the key goes down
                self.move(p, 0.1)
                self.move((p[0] + 17, p[1] + 11), 0.2)
                self.key(k, 0.5)
                self.dismiss()
                self.closefind()
                if not self.alive():
                    bad.append(k + " (the editor ended)")
                    break
                self.move((p[0] - 13, p[1] - 9), 0.1)
                # off the page, where no outline is drawn (the key may have
                # zoomed: the place is found again then)
                m = self.margin(shot)
                before = None
                if m:
                    self.move(m, 0.3)
                    before = self.grab()
                if not m or not self.isgrey(before, *m):
                    m = self.margin(before or self.grab())
                    if m is None:
                        # the page fills the view: Zoom to Fit first
                        self.key("ctrl+9", 0.5)
                        m = self.margin(self.grab()) or (VIEW[0] + 2, VIEW[1] + 2)
                    self.move(m, 0.3)
                    before = self.grab()
                self.key("ctrl+r", 0.4)
                shot = self.grab()
                diff = before.differ(shot, VIEW)
                if diff:
                    tag = "ghost-%s-%s" % (label.replace(" ", "_"), k.replace("+", "_"))
                    before.save(os.path.join(self.out, tag + "-before.png"))
                    shot.save(os.path.join(self.out, tag + "-redrawn.png"))
                    bad.append("%s (%d pixels from %s, %s)" % (k, diff[0], diff[1], tag))
            self.grab("06-keys-" + label.replace(" ", "_"))
            self.check("no outline left after %d keys with the %s tool" % (len(keys), label),
                       not bad, "; ".join(bad))


class Shot:
    def __init__(self, width, height, bpl, step, data, order):
        self.width, self.height, self.bpl, self.step, self.data = width, height, bpl, step, data
        # byte order 0: the pixel's low byte first (blue, green, red)
        self.rgb = (2, 1, 0) if order == 0 else (1, 2, 3)

    def at(self, x, y):
        o = y * self.bpl + x * self.step
        d = self.data
        return (d[o + self.rgb[0]], d[o + self.rgb[1]], d[o + self.rgb[2]])

    def differ(self, other, box):
        l, t, r, b = box
        n = self.step
        count, first = 0, None
        for y in range(t, b):
            a = self.data[y * self.bpl + l * n:y * self.bpl + r * n]
            c = other.data[y * self.bpl + l * n:y * self.bpl + r * n]
            if a != c:
                for x in range(r - l):
                    if a[x * n:x * n + 3] != c[x * n:x * n + 3]:
                        count += 1
                        if first is None:
                            first = (l + x, y)
        return (count, first) if count else None

    def save(self, path):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)
            n = self.step
            line = self.data[y * self.bpl:y * self.bpl + self.width * n]
            px = bytearray(self.width * 3)
            px[0::3] = line[self.rgb[0]::n]
            px[1::3] = line[self.rgb[1]::n]
            px[2::3] = line[self.rgb[2]::n]
            rows += px

        def chunk(kind, body):
            c = struct.pack(">I", len(body)) + kind + body
            return c + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(bytes(rows), 6)))
            f.write(chunk(b"IEND", b""))


def shapetool(tab, column, row):
    return lambda w: w.settools(tab, column, row)


def usertool(w):
    # A user object made from the selection (Create User IWO), chosen on page "U".
    w.click(TABS["U"], 0.2)
    w.click((COLUMNS[0], ROWS[0]), 0.2)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("build")
    ap.add_argument("--out")
    ap.add_argument("--full", action="store_true")
    ap.add_argument("--all-tools", action="store_true")
    ap.add_argument("--classic", action="store_true")
    args = ap.parse_args()
    missing = [t for t in ("Xvfb", "xdotool", "xwd", "pdfinfo") if not shutil.which(t)]
    if missing:
        print("SKIP the walk needs " + ", ".join(missing) +
              " (tools/install-deps.sh installs them)")
        return 77
    build = os.path.abspath(args.build)
    if not os.access(os.path.join(build, "src", "ideaweave"), os.X_OK):
        print("SKIP no editor in %s/src (built without Qt 6?)" % build)
        return 77
    out = args.out or tempfile.mkdtemp(prefix="xvfb-walk-")
    os.makedirs(out, exist_ok=True)
    print("screenshots in " + out, flush=True)
    w = Walk(build, out, args.classic)
    signal.signal(signal.SIGTERM, lambda *a: sys.exit(1))
    try:
        w.startx()
        if args.classic:
            conf = os.path.join(w.env["XDG_CONFIG_HOME"], "ideaweave")
            os.makedirs(conf, exist_ok=True)
            with open(os.path.join(conf, "ideaweave.conf"), "w") as f:
                f.write("[Drawing]\nSmooth=false\n")
        w.startapp()
        centres = w.boxes(w.newdiagram())
        fan = w.fan(centres)
        if fan:
            w.fold(centres)
        w.a4pdf()
        if fan:
            tools = [("Rectangle", shapetool("S", 0, 0)), ("user object", usertool)]
            if args.full:
                tools += [("Line", shapetool("S", 0, 2)), ("Connector", shapetool("S", 1, 2)),
                          ("Text", lambda w: w.click(TEXTTOOL, 0.2)),
                          ("select", lambda w: w.click(SELECTTOOL, 0.2))]
            if args.all_tools:
                tools += [("%s button %d" % (tab, c + 2 * r + 1), shapetool(tab, c, r))
                          for tab in "SM" for r in range(6) for c in range(2)
                          if (tab, c, r) not in (("S", 0, 0), ("S", 0, 2), ("S", 1, 2))]
            keys = KEYS if args.full else QUICKKEYS
            w.findbar()
            w.ghosts(fan, tools, keys, args.full or args.all_tools)
    except Failed as e:
        w.check("the walk went on", False, str(e))
    finally:
        w.stop()
    print("%d passed, %d failed" % (w.checks - w.failures, w.failures))
    return 1 if w.failures else 0


if __name__ == "__main__":
    sys.exit(main())

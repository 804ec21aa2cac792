#!/usr/bin/env python3
"""Drives the real tracewell window as a person would: inside a private Xvfb, with xdotool
clicks and keystrokes, checking every step on screenshots taken with ImageMagick's import.

Usage: e2e_test.py PATH/TO/tracewell

The screenshots go to a temporary directory that is kept, and named, when a step fails.
"""

import math
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib
from typing import NamedTuple

SCREEN_W, SCREEN_H = 1280, 1024
INK = bytes((1, 0, 66))  # axes, labels and curve: all in this one colour
WHITE = b"\xff\xff\xff"
# Tick labels are text with its top-left corner at the tick: below the x axis and right of
# the y axis, bands this deep and this wide hold them all.
LABEL_DEPTH = 18
LABEL_WIDTH = 24
TOLERANCE = 2  # pixels a curve may stand off the rows of its exact values
TIMEOUT = 15  # seconds for any one state to show up; generous for sanitizer builds


class Failure(Exception):
    pass


class Rect(NamedTuple):
    x: int
    y: int
    w: int
    h: int

    def centre(self):
        return self.x + self.w // 2, self.y + self.h // 2

    def inset(self, d):
        return Rect(self.x + d, self.y + d, self.w - 2 * d, self.h - 2 * d)


# --- Where things are -------------------------------------------------------------------------

def twips_rect(left, top, width, height):
    """A rectangle in twips as the window places it: 15 twips to the pixel at 96 dpi, each
    edge rounded to the nearest pixel."""
    px = lambda t: math.floor(t / 15 + 0.5)
    x, y = px(left), px(top)
    return Rect(x, y, px(left + width) - x, px(top + height) - y)


def controls(client_w, client_h):
    """Where the controls stand for a client size. The design measures the outer size with a
    frame of 120 twips across and 510 down; the strip of controls follows the bottom edge."""
    W, H = client_w * 15 + 120, client_h * 15 + 510
    return {
        "Pic": twips_rect(120, 120, W - 400, H - 1395),
        "T": twips_rect(550, H - 1150, W / 3.5, 375),
        "Lt": twips_rect(W / 2 - 1300, H - 1100, 255, 495),
        "VS": twips_rect(W / 2 - 1000, H - 1150, 200, 495),
        # Lv without its last 35 twips, which lie under HScroll1 and its focus frame.
        "Lv": twips_rect(W / 2 + 1100, H - 1100, 700, 255),
        "HScroll1": twips_rect(W / 2 + 1800, H - 1100, 495, 255),
        "Image1": twips_rect(W - 650, H - 1100, 360, 360),
    }


OK_BUTTON = twips_rect(2640, 3720, 2295, 495)  # in the help dialog's client area


class View:
    """A plot's mapping onto the drawing area: x from -xr to xr left to right, y from yr to -yr
    top to bottom; a point lands in the pixel whose square holds it."""

    def __init__(self, area: Rect, xr, yr):
        self.area, self.w, self.h, self.xr, self.yr = area, area.w, area.h, xr, yr

    def col(self, x):
        return math.floor((x + self.xr) * self.w / (2 * self.xr))

    def row(self, y):
        return math.floor((self.yr - y) * self.h / (2 * self.yr))

    def x_at(self, col):
        return col * 2 * self.xr / self.w - self.xr


# --- Screenshots ------------------------------------------------------------------------------

class Shot:
    def __init__(self, ppm: bytes):
        m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        if not m:
            raise Failure("import gave no 8-bit PPM picture")
        self.w, self.h = int(m[1]), int(m[2])
        self.data = ppm[m.end():]

    def line(self, x, y, n):
        start = (y * self.w + x) * 3
        return self.data[start:start + n * 3]

    def pixel(self, x, y):
        return self.line(x, y, 1)

    def crop(self, r: Rect):
        return b"".join(self.line(r.x, r.y + y, r.w) for y in range(r.h))

    def marks(self, r: Rect):
        """Every pixel of r that is not white, relative to r: True where it is ink exactly
        (lines and points), False for the blended edges of text."""
        found = {}
        for y in range(r.h):
            line = self.line(r.x, r.y + y, r.w)
            for m in re.finditer(rb"[^\xff]", line):
                x = m.start() // 3
                found[(x, y)] = line[x * 3:x * 3 + 3] == INK
        return found

    def save_png(self, path):
        raw = b"".join(b"\0" + self.line(0, y, self.w) for y in range(self.h))

        def chunk(tag, body):
            return (struct.pack(">I", len(body)) + tag + body
                    + struct.pack(">I", zlib.crc32(tag + body)))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n"
                    + chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0))
                    + chunk(b"IDAT", zlib.compress(raw, 3)) + chunk(b"IEND", b""))


# --- What the plot area must show -------------------------------------------------------------

def blank_problem(shot: Shot, area: Rect):
    marks = shot.marks(area)
    if marks:
        return f"{len(marks)} pixels drawn on the blank plot area, e.g. {sorted(marks)[:3]}"
    return None


def curve_rows(view: View, f):
    """For each column, the first and last row the curve passes through inside it, from a few
    x across the column; they may lie outside the area."""
    spans = {}
    for c in range(view.w):
        rows = [view.row(f(view.x_at(c + k / 8))) for k in range(8)]
        spans[c] = min(rows), max(rows)
    return spans


def plot_problem(shot: Shot, view: View, f=None):
    """What is wrong with a plot of f, or of the axes alone when f is None: both axes across
    the whole area, a label at each integer, the curve in every column where it belongs, and
    nothing drawn anywhere else."""
    marks = shot.marks(view.area)
    r0, c0, tol = view.row(0), view.col(0), TOLERANCE
    ink = {p for p, exact in marks.items() if exact}
    gaps = [c for c in range(view.w) if (c, r0) not in ink]
    if gaps:
        return f"the x axis (row {r0}) is missing in {len(gaps)} columns, first {gaps[0]}"
    gaps = [r for r in range(view.h) if (c0, r) not in ink]
    if gaps:
        return f"the y axis (column {c0}) is missing in {len(gaps)} rows, first {gaps[0]}"

    spans = curve_rows(view, f) if f else {}
    for c, (lo, hi) in spans.items():
        # Where the curve leaves the area or meets an axis, the axis's ink would stand in.
        if lo < 0 or hi >= view.h or abs(c - c0) <= tol or lo - tol <= r0 <= hi + tol:
            continue
        if not any((c, r) in ink for r in range(lo - tol, hi + tol + 1)):
            x = view.x_at(c + 0.5)
            return (f"no curve in column {c} (x={x:.3f}): expected ink in rows"
                    f" {lo - tol}..{hi + tol} for y={f(x):.3f}")

    def belongs(c, r):
        if r == r0 or c == c0 or r0 < r <= r0 + LABEL_DEPTH or c0 < c <= c0 + LABEL_WIDTH:
            return True
        return c in spans and spans[c][0] - tol <= r <= spans[c][1] + tol

    stray = sorted((c, r) for c, r in marks if not belongs(c, r))
    if stray:
        return (f"{len(stray)} pixels drawn where no axis, label or curve belongs,"
                f" e.g. (column, row) {stray[:3]}")
    return label_problem(marks, view, spans)


def label_problem(marks, view: View, spans):
    """Each integer's label hangs below the x axis from its tick: its text begins a few
    pixels right of the tick at most (a blank stands in for the sign of positive numbers).
    Each y label stands right of the y axis, below its tick."""
    r0, c0, tol = view.row(0), view.col(0), TOLERANCE
    band = range(r0 + 2, r0 + LABEL_DEPTH + 1)
    # Where the curve crosses the band, and where the y axis and its labels stand, nothing
    # tells an x label.
    busy = {c for c, (lo, hi) in spans.items() if lo - tol <= band[-1] and hi + tol >= band[0]}
    busy |= set(range(c0 - 1, c0 + LABEL_WIDTH + 1))
    cols = sorted({c for c, r in marks if r in band})
    starts, start = [], None  # of runs of marked columns: one label's glyphs stand close
    for i, c in enumerate(cols):
        start = c if i == 0 or c - cols[i - 1] > 4 else start
        if (i + 1 == len(cols) or cols[i + 1] - c > 4) and not busy & set(range(start - 2, c + 3)):
            starts.append(start)

    ticks = {i: view.col(i) for i in range(-view.xr, view.xr) if i != 0}
    hangs = lambda s, t: t <= s <= t + 8  # a label beginning at s hangs from the tick at t
    for s in starts:
        if not any(hangs(s, t) for t in ticks.values()):
            return f"an x label begins at column {s}, with no tick just left of it"
    for i, t in ticks.items():
        if not busy & set(range(t - 2, t + LABEL_WIDTH)) and not any(hangs(s, t) for s in starts):
            return f"no label for x={i} right of its tick at column {t}"
    for j in range(-view.yr, view.yr + 1):
        r = view.row(j)
        box = [(c, y) for c in range(c0 + 1, c0 + LABEL_WIDTH) for y in range(r, r + 10)]
        if j != 0 and r + 10 < view.h and not any(p in marks for p in box):
            return f"no label for y={j} right of the y axis at row {r}"
    return None


# --- The session ------------------------------------------------------------------------------

class Session:
    """A private X server, the program in it, and the tools that drive and watch it."""

    def __init__(self, workdir):
        self.workdir = workdir
        self.start = time.monotonic()
        self.step = "start"
        self.xvfb = self.app = self.display_pipe = None
        self.xvfb_log = open(os.path.join(workdir, "xvfb.log"), "w")
        self.app_log = open(os.path.join(workdir, "tracewell.log"), "w")

    def launch(self, app):
        # -displayfd lets the server pick a free display itself: no race with other servers.
        # It writes the number again at each reset and dies if it cannot, so the pipe stays
        # open, and -noreset keeps it from resetting when its last client leaves.
        self.display_pipe, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
             "-screen", "0", f"{SCREEN_W}x{SCREEN_H}x24"],
            pass_fds=(write_end,), stdout=self.xvfb_log, stderr=subprocess.STDOUT)
        os.close(write_end)
        number, deadline = b"", time.monotonic() + TIMEOUT
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            if select.select([self.display_pipe], [], [], 0.1)[0]:
                piece = os.read(self.display_pipe, 32)
                if not piece:
                    break
                number += piece
        number = number.strip()
        if not number.isdigit():
            raise Failure(f"Xvfb did not start; see {self.xvfb_log.name}")

        runtime = os.path.join(self.workdir, "runtime")
        os.mkdir(runtime, 0o700)
        # The test suite runs under QT_QPA_PLATFORM=offscreen; this one needs the display.
        self.env = dict(os.environ, DISPLAY=f":{number.decode()}", QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=runtime)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.app = subprocess.Popen([app], env=self.env, cwd=self.workdir,
                                    stdout=self.app_log, stderr=subprocess.STDOUT)

    def close(self):
        for p in (self.app, self.xvfb):
            if p and p.poll() is None:
                p.terminate()  # lets Xvfb remove its socket
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        if self.display_pipe is not None:
            os.close(self.display_pipe)
        self.app_log.close()
        self.xvfb_log.close()

    def begin(self, step):
        self.step = step
        print(f"[{time.monotonic() - self.start:4.1f} s] {step}", flush=True)

    def app_output(self):
        self.app_log.flush()
        with open(self.app_log.name, errors="replace") as f:
            return f.read()

    def ensure_running(self):
        if self.app.poll() is not None:
            raise Failure(f"tracewell exited with status {self.app.returncode}; its output:\n"
                          + self.app_output()[-2000:])

    def xdo(self, *args, check=True):
        r = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                           text=True, timeout=TIMEOUT)
        if check and r.returncode != 0:
            self.ensure_running()
            raise Failure(f"xdotool {' '.join(map(str, args))} failed: {r.stderr.strip()}")
        return r.stdout.split()

    def find_window(self, name, present=True):
        """The visible window named exactly name once it is there, or None once it is gone."""
        deadline = time.monotonic() + TIMEOUT
        while True:
            self.ensure_running()
            ids = self.xdo("search", "--onlyvisible", "--name", f"^{re.escape(name)}$",
                           check=False)
            if bool(ids) == present:
                return ids[0] if ids else None
            if time.monotonic() > deadline:
                state = "appear" if present else "go away"
                raise Failure(f"the window \"{name}\" did not {state} within {TIMEOUT} s")
            time.sleep(0.05)

    def windows(self):
        return self.xdo("search", "--onlyvisible", "--pid", self.app.pid, check=False)

    def geometry(self, window):
        g = dict(line.split("=") for line in self.xdo("getwindowgeometry", "--shell", window))
        return Rect(int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"]))

    def click(self, window, x, y):
        self.xdo("mousemove", "--window", window, x, y, "click", 1)

    def type_into(self, window, box: Rect, text):
        """Clicks into the box (without a window manager nothing else gives it the keyboard)
        and replaces its text."""
        self.click(window, *box.centre())
        self.xdo("key", "ctrl+a")
        self.xdo("type", "--delay", 20, "--", text)

    def shot(self, window):
        r = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"],
                           env=self.env, capture_output=True, timeout=TIMEOUT)
        if r.returncode != 0:
            self.ensure_running()
            raise Failure(f"import failed: {r.stderr.decode(errors='replace').strip()}")
        return Shot(r.stdout)

    def wait_for(self, name, window, problem):
        """Screenshots the window until problem(shot) finds nothing wrong, and keeps the last
        one as name.png."""
        deadline = time.monotonic() + TIMEOUT
        while True:
            self.ensure_running()
            shot = self.shot(window)
            found = problem(shot)
            if found is None or time.monotonic() > deadline:
                path = os.path.join(self.workdir, f"{name}.png")
                shot.save_png(path)
                if found:
                    raise Failure(f"{found}\n  screenshot: {path}")
                return shot
            time.sleep(0.05)


def differs(a: bytes, b: bytes, what):
    return f"{what} differs" if a != b else None


# --- The test ---------------------------------------------------------------------------------

class Run:
    """The test, one named step after another; what a step learns, later steps use."""

    def __init__(self, s: Session):
        self.s = s
        self.square = lambda x: x * x / 10

    def start(self, app):
        s = self.s
        s.begin("1 start tracewell and find its window")
        s.launch(app)
        self.main = s.find_window("Tracewell v3.1")
        g = s.geometry(self.main)
        if (g.w, g.h) != (618, 391):
            raise Failure(f"the window's client area is {g.w}x{g.h}, not 618x391")
        centre = ((SCREEN_W - g.w) // 2, (SCREEN_H - g.h) // 2)
        if abs(g.x - centre[0]) > 1 or abs(g.y - centre[1]) > 1:
            raise Failure(f"the window stands at {g.x},{g.y}, not centred at {centre}")
        self.ui = controls(g.w, g.h)

    def starts_blank(self):
        s, pic = self.s, self.ui["Pic"]
        s.begin("2 the plot area starts blank")
        frame = 0  # the width of the plot area's sunken frame: the style draws it, so measure it

        def painted_and_blank(shot):
            nonlocal frame
            mid = pic.y + pic.h // 2
            frame = next((d for d in range(4) if shot.pixel(pic.x + d, mid) == WHITE), 4)
            # A sunken frame is dark on the left and at the top (its lit edges may be white).
            edges = [shot.pixel(pic.x, mid), shot.pixel(pic.x + pic.w // 2, pic.y)]
            if not 1 <= frame <= 3 or WHITE in edges:
                return f"no framed white plot area at {pic} (not painted yet?)"
            return blank_problem(shot, pic.inset(frame))

        first = s.wait_for("02-start", self.main, painted_and_blank)
        self.frame = frame
        self.view = View(pic.inset(frame), 10, 2)
        self.look = {name: first.crop(self.ui[name]) for name in ("Lv", "Lt", "Image1")}

    def click_plots_sin(self):
        s = self.s
        s.begin("3 a click on the plot area draws sin(x)")
        s.click(self.main, *self.ui["Pic"].centre())
        s.wait_for("03-sin", self.main, lambda shot: plot_problem(shot, self.view, math.sin))

    def enter_plots_typed_text(self):
        s = self.s
        s.begin("4 x^2/10 typed into the box, then Enter: the curve follows")
        s.type_into(self.main, self.ui["T"], "x^2/10")
        s.xdo("key", "Return")
        squared = s.wait_for("04-square", self.main,
                             lambda shot: plot_problem(shot, self.view, self.square))
        self.squared = squared.crop(self.view.area)

    def x_bar_widens(self):
        s, ui = self.s, self.ui
        s.begin("5 the x bar's right arrow widens x to 11 and replots")
        bar = ui["HScroll1"]
        s.click(self.main, bar.x + bar.w - 5, bar.y + bar.h // 2)
        wider = View(self.view.area, 11, 2)
        s.wait_for("05-wider", self.main, lambda shot: plot_problem(shot, wider, self.square) or (
            None if shot.crop(ui["Lv"]) != self.look["Lv"] else "the x label still shows 10"))
        if s.xdo("getwindowname", self.main) != ["Tracewell", "v3.1"]:
            raise Failure("the window's title changed")

    def labels_reset_and_precision_never_replots(self):
        s, ui, look, area = self.s, self.ui, self.look, self.view.area
        s.begin("6 the x label resets the range; the precision bar and its label never replot")
        s.click(self.main, *ui["Lv"].centre())
        s.wait_for("06-x-reset", self.main, lambda shot:
                   differs(shot.crop(area), self.squared, "the plot from the x^2/10 plot of step 4")
                   or differs(shot.crop(ui["Lv"]), look["Lv"], "the x label from its first look"))
        # Typed without Enter: a replot would draw cos(x) now and give itself away.
        s.type_into(self.main, ui["T"], "cos(x)")
        s.click(self.main, ui["VS"].centre()[0], ui["VS"].y + 5)  # the up arrow: level 8
        finer = s.wait_for("06-level-up", self.main, lambda shot:
                           ("the level label still shows 6" if shot.crop(ui["Lt"]) == look["Lt"]
                            else None)
                           or differs(shot.crop(area), self.squared,
                                      "the plot after the level rose"))
        look["Lt8"] = finer.crop(ui["Lt"])
        s.click(self.main, *ui["Lt"].centre())
        self.before_resize = s.wait_for(
            "06-level-reset", self.main, lambda shot:
            differs(shot.crop(ui["Lt"]), look["Lt"], "the level label from its look at 6")
            or differs(shot.crop(area), self.squared, "the plot after a click on the level label"))

    def resize_moves_the_strip(self):
        s, look = self.s, self.look
        s.begin("7 a resize clears the plot and moves the strip of controls down")
        s.xdo("windowsize", self.main, 800, 600)
        old, ui = self.ui, controls(800, 600)
        pic = ui["Pic"]
        view = View(pic.inset(self.frame), 10, 2)
        box_edge = lambda r: Rect(r.x, r.y, 30, r.h)  # the box's frame and first letters, no cursor

        def resized(shot):
            if (shot.w, shot.h) != (800, 600):
                return f"the window is {shot.w}x{shot.h}, not 800x600"
            mid = pic.y + pic.h // 2
            if WHITE in (shot.pixel(pic.x, mid), shot.pixel(pic.x + pic.w // 2, pic.y)):
                return f"no frame around the plot area at {pic}"
            return (blank_problem(shot, view.area)
                    or differs(shot.crop(box_edge(ui["T"])),
                               self.before_resize.crop(box_edge(old["T"])),
                               f"the expression box at {ui['T']} from the box before the resize")
                    or differs(shot.crop(ui["Image1"]), look["Image1"],
                               f"the information picture at {ui['Image1']}")
                    # Taller than at first: level 8.
                    or differs(shot.crop(ui["Lt"]), look["Lt8"],
                               f"the level label at {ui['Lt']} from its look at 8"))

        s.wait_for("07-resized", self.main, resized)
        self.ui, self.view = ui, view

    def help_opens_modally(self):
        s, ui, view = self.s, self.ui, self.view
        s.begin("8 the information picture opens the help; OK closes it")
        s.click(self.main, *ui["Image1"].centre())
        dialog = s.find_window("Справка")
        d = s.geometry(dialog)
        if (d.w, d.h) != (345, 294):
            raise Failure(f"the help dialog's client area is {d.w}x{d.h}, not 345x294")
        s.wait_for("08-help", dialog, lambda shot: None if len(set(shot.crop(OK_BUTTON))) > 3
                   else f"nothing drawn where the OK button belongs, {OK_BUTTON}")
        # The help is modal: a click on the plot area beside it does nothing.
        g = s.geometry(self.main)
        aside = (view.area.x + 5, view.area.y + 5)
        if d.x <= g.x + aside[0] < d.x + d.w and d.y <= g.y + aside[1] < d.y + d.h:
            raise Failure("the help dialog covers the plot area's top-left corner")
        s.click(self.main, *aside)
        s.click(dialog, *OK_BUTTON.centre())
        s.find_window("Справка", present=False)
        s.wait_for("08-help-closed", self.main, lambda shot: blank_problem(shot, view.area))
        s.click(self.main, *ui["Pic"].centre())
        s.wait_for("08-cos", self.main, lambda shot: plot_problem(shot, view, math.cos))

    def problems_draw_the_axes_alone(self):
        s, ui, view, main = self.s, self.ui, self.view, self.main
        s.begin("9 a blank or an unreadable text draws the axes alone and says why")
        tips = lambda: [w for w in s.windows() if w != main]
        axes_alone = lambda shot: plot_problem(shot, view) or (
            None if tips() else "no tool tip tells what is wrong")
        s.type_into(main, ui["T"], "sin (x)")
        s.xdo("key", "Return")
        s.wait_for("09-blank", main, axes_alone)
        s.type_into(main, ui["T"], "x^2/10")
        s.xdo("key", "Return")
        s.wait_for("09-readable", main, lambda shot: plot_problem(shot, view, self.square) or (
            "the tool tip stays after a good plot" if tips() else None))
        s.type_into(main, ui["T"], "ep(x)")
        s.xdo("key", "Return")
        s.wait_for("09-unreadable", main, axes_alone)
        if s.find_window("Tracewell v3.1") != main:
            raise Failure("the main window is not the one found at the start")

    def right_click_copies_the_picture(self):
        s, ui, view, main = self.s, self.ui, self.view, self.main
        s.begin("10 a right click on the plot area and Copy picture: the clipboard holds it")
        s.type_into(main, ui["T"], "x^2/10")
        s.xdo("key", "Return")
        plotted = s.wait_for("10-plotted", main,
                             lambda shot: plot_problem(shot, view, self.square)).crop(view.area)
        s.xdo("mousemove", "--window", main, *ui["Pic"].centre(), "click", 3)
        menu = None
        deadline = time.monotonic() + TIMEOUT
        while menu is None and time.monotonic() < deadline:
            menu = next((w for w in s.windows() if w != main), None)
            time.sleep(0.05)
        if menu is None:
            raise Failure("no menu opened on the right click")
        m = s.geometry(menu)
        s.click(menu, m.w // 2, 12)  # the first entry, "Copy picture"
        deadline = time.monotonic() + TIMEOUT
        while True:
            r = subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/png", "-o"],
                               env=s.env, capture_output=True, timeout=TIMEOUT)
            if r.returncode == 0 and r.stdout.startswith(b"\x89PNG"):
                break
            if time.monotonic() > deadline:
                raise Failure("the clipboard holds no PNG picture after Copy picture")
            time.sleep(0.1)
        ppm = subprocess.run(["convert", "png:-", "-depth", "8", "ppm:-"], input=r.stdout,
                             capture_output=True, timeout=TIMEOUT, check=True).stdout
        copied = Shot(ppm)
        if (copied.w, copied.h) != (view.area.w, view.area.h):
            raise Failure(f"the copied picture is {copied.w}x{copied.h}, "
                          f"not the plot area's {view.area.w}x{view.area.h}")
        if copied.data != plotted:
            raise Failure("the copied picture differs from the plot area on the screen")
        s.wait_for("10-after-menu", main, lambda shot: differs(
            shot.crop(view.area), plotted, "the plot area after the menu"))

    def sigterm_ends_it(self):
        s = self.s
        s.begin("11 SIGTERM ends the program, no crash")
        s.ensure_running()
        s.app.send_signal(signal.SIGTERM)
        try:
            status = s.app.wait(TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure(f"tracewell still runs {TIMEOUT} s after SIGTERM")
        output = s.app_output()
        if status not in (0, -signal.SIGTERM):
            raise Failure(f"tracewell ended with status {status}; its output:\n{output[-2000:]}")
        for sign in ("Segmentation fault", "AddressSanitizer", "runtime error:", "core dumped"):
            if sign in output:
                raise Failure(f"tracewell's output reports \"{sign}\":\n{output[-2000:]}")


def run(s: Session, app):
    r = Run(s)
    r.start(app)
    for step in (r.starts_blank, r.click_plots_sin, r.enter_plots_typed_text, r.x_bar_widens,
                 r.labels_reset_and_precision_never_replots, r.resize_moves_the_strip,
                 r.help_opens_modally, r.problems_draw_the_axes_alone,
                 r.right_click_copies_the_picture, r.sigterm_ends_it):
        step()


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    missing = [t for t in ("Xvfb", "xdotool", "import", "convert", "xclip")
               if not shutil.which(t)]
    if missing:
        sys.exit(f"e2e: {', '.join(missing)} not found; scripts/setup installs them")
    workdir = tempfile.mkdtemp(prefix="tracewell-e2e-")
    session = Session(workdir)
    try:
        run(session, os.path.abspath(sys.argv[1]))
    except Failure as e:
        print(f"FAILED at step {session.step}: {e}\nscreenshots and logs kept in {workdir}")
        sys.exit(1)
    except BaseException:
        print(f"screenshots and logs kept in {workdir}")
        raise
    finally:
        session.close()
    shutil.rmtree(workdir)
    print(f"passed in {time.monotonic() - session.start:.1f} s")


if __name__ == "__main__":
    main()

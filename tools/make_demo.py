#!/usr/bin/env python3
"""Generates the demo board in examples/demo/.

A small two-layer board in inches (format 2.4, leading zeros omitted): top and
bottom copper with tracks, round, square, rectangular and oblong pads and arcs
in both directions (RS-274-X), a silkscreen layer, a board outline, a solder
mask layer in RS-274-D whose apertures come from the aperture table demo.apr,
an NC drill file with four tools and its drill tool table demo.rck (plated and
unplated holes), and demo.wrk, which opens the whole set.

Run it from anywhere: python3 tools/make_demo.py [output folder]
The output is committed; review the diff after regenerating.
With --check it writes nothing and fails when the committed files differ.
"""

import math
import os
import sys

UNITS = 10000  # format 2.4: raw units per inch

# The aperture wheel of the job: (D code, shape, width mil, height mil).
# The RS-274-X layers define the same apertures in their AD blocks; the
# aperture table lists them too, because loading a table replaces every
# aperture, and the RS-274-D mask layer has only the table.
APERTURES = [
    (10, "CIRCLE", 8, 0),  # silkscreen strokes
    (11, "CIRCLE", 12, 0),  # signal tracks
    (12, "CIRCLE", 25, 0),  # power tracks
    (13, "CIRCLE", 60, 0),  # through-hole pads
    (14, "RECTANGLE", 60, 60),  # pin 1 pads
    (15, "RECTANGLE", 24, 65),  # SOIC pads
    (16, "ELLIPSE", 90, 60),  # connector pads
    (17, "CIRCLE", 32, 0),  # via pads
    (18, "CIRCLE", 6, 0),  # board outline
    (20, "CIRCLE", 68, 0),  # mask openings, 4 mil larger than the pads
    (21, "RECTANGLE", 68, 68),
    (22, "RECTANGLE", 32, 73),
    (23, "ELLIPSE", 98, 68),
    (24, "CIRCLE", 40, 0),
    (25, "CIRCLE", 140, 0),  # clearance around the mounting holes
]
MASK_FOR_PAD = {13: 20, 14: 21, 15: 22, 16: 23, 17: 24}

# Drill tools: (tool, plated, diameter mil).
TOOLS = [(1, True, 15), (2, True, 35), (3, True, 40), (4, False, 125)]

BOARD_W, BOARD_H, CORNER = 2.4, 1.6, 0.1


def raw(value):
    return int(round(value * UNITS))


def xy(x, y):
    return "X%dY%d" % (raw(x), raw(y))


class Pad:
    def __init__(self, x, y, dcode, tool=None):
        self.x, self.y, self.dcode, self.tool = x, y, dcode, tool


def dip(x0, y0, pins, row, first_dcode=14):
    """A DIP package: pin 1 at (x0, y0), pins counted anticlockwise."""
    half = pins // 2
    pads = []
    for i in range(half):
        pads.append(Pad(x0 + 0.1 * i, y0, first_dcode if i == 0 else 13, 2))
    for i in range(half):
        pads.append(Pad(x0 + 0.1 * (half - 1 - i), y0 + row, 13, 2))
    return pads


def soic(x0, y0, pins):
    half = pins // 2
    pads = [Pad(x0 + 0.05 * i, y0, 15) for i in range(half)]
    pads += [Pad(x0 + 0.05 * (half - 1 - i), y0 + 0.28, 15) for i in range(half)]
    return pads


U1 = dip(0.75, 0.55, 14, 0.3)
U2 = soic(1.725, 1.0, 8)
J1 = [Pad(0.22, 0.55 + 0.1 * i, 16, 3) for i in range(4)]
J2 = [Pad(2.05 + 0.1 * (i % 2), 0.35 + 0.1 * (i // 2), 14 if i == 0 else 13, 3)
      for i in range(6)]
C1 = [Pad(0.75, 1.2, 14, 2), Pad(0.95, 1.2, 13, 2)]
C2 = [Pad(1.25, 1.2, 14, 2), Pad(1.45, 1.2, 13, 2)]
VIAS = [Pad(x, y, 17, 1) for x, y in
        [(0.55, 1.0), (1.15, 1.0), (1.6, 0.75), (1.95, 1.45), (0.5, 0.3), (1.9, 0.3)]]
MOUNTING = [(0.15, 0.15), (BOARD_W - 0.15, 0.15), (0.15, BOARD_H - 0.15),
            (BOARD_W - 0.15, BOARD_H - 0.15)]
PADS = U1 + U2 + J1 + J2 + C1 + C2 + VIAS

# Tracks as corner points; every corner gets a fillet arc of radius 0.04.
TOP_TRACKS = [
    (12, [(0.22, 0.85), (0.75, 0.85)]),  # VCC to U1 pin 14
    (12, [(0.22, 0.75), (0.4, 0.75), (0.4, 0.42), (1.35, 0.42), (1.35, 0.55)]),  # GND
    (11, [(1.35, 0.85), (1.55, 0.85), (1.55, 1.0), (1.725, 1.0)]),
    (11, [(1.825, 1.0), (1.825, 0.75), (1.6, 0.75)]),
    (11, [(1.875, 1.0), (1.875, 0.85), (2.05, 0.85), (2.05, 0.55)]),
    (11, [(1.775, 1.28), (1.775, 1.45), (1.95, 1.45)]),
    (11, [(0.95, 0.85), (0.95, 1.0), (1.15, 1.0)]),
    (11, [(0.75, 1.2), (0.55, 1.2), (0.55, 1.0)]),
]
BOTTOM_TRACKS = [
    (12, [(1.35, 0.55), (1.35, 0.3), (1.9, 0.3)]),
    (12, [(1.9, 0.3), (2.15, 0.3), (2.15, 0.35)]),
    (11, [(0.55, 1.0), (0.55, 0.65), (0.75, 0.65), (0.75, 0.55)]),
    (11, [(1.15, 1.0), (1.15, 1.12), (1.45, 1.12), (1.45, 1.2)]),
    (11, [(1.6, 0.75), (1.7, 0.75), (1.7, 0.45), (2.05, 0.45)]),
    (11, [(1.95, 1.45), (2.15, 1.45), (2.15, 0.55)]),
    (12, [(0.22, 0.65), (0.32, 0.65), (0.32, 0.3), (0.5, 0.3)]),
    (11, [(0.85, 0.55), (0.85, 0.4), (1.05, 0.4), (1.05, 0.55)]),
]

# A stroke font on a 4 x 6 grid, enough for the labels.
FONT = {
    "C": [[(4, 6), (0, 6), (0, 0), (4, 0)]],
    "O": [[(0, 0), (4, 0), (4, 6), (0, 6), (0, 0)]],
    "R": [[(0, 0), (0, 6), (4, 6), (4, 3), (0, 3), (4, 0)]],
    "V": [[(0, 6), (2, 0), (4, 6)]],
    "A": [[(0, 0), (0, 4), (2, 6), (4, 4), (4, 0)], [(0, 3), (4, 3)]],
    "N": [[(0, 0), (0, 6), (4, 0), (4, 6)]],
    "E": [[(4, 6), (0, 6), (0, 0), (4, 0)], [(0, 3), (3, 3)]],
    "D": [[(0, 0), (0, 6), (3, 6), (4, 5), (4, 1), (3, 0), (0, 0)]],
    "M": [[(0, 0), (0, 6), (2, 3), (4, 6), (4, 0)]],
    "J": [[(0, 1), (1, 0), (3, 0), (4, 1), (4, 6)]],
    "U": [[(0, 6), (0, 0), (4, 0), (4, 6)]],
    "1": [[(1, 5), (2, 6), (2, 0)], [(1, 0), (3, 0)]],
    "2": [[(0, 6), (4, 6), (4, 3), (0, 3), (0, 0), (4, 0)]],
    " ": [],
}


class GerberWriter:
    def __init__(self, title, extended=True):
        self.lines = ["G04 Corvane demo board, %s*" % title]
        self.extended = extended
        self.dcode = None
        if extended:
            self.lines += ["%FSLAX24Y24*%", "%MOIN*%"]

    def define(self, dcodes):
        for dcode, shape, w, h in APERTURES:
            if dcode not in dcodes:
                continue
            letter = {"CIRCLE": "C", "RECTANGLE": "R", "ELLIPSE": "O"}[shape]
            size = "%.3f" % (w / 1000.0)
            if letter != "C":
                size += "X%.3f" % (h / 1000.0)
            self.lines.append("%%ADD%d%s,%s*%%" % (dcode, letter, size))
        self.lines += ["G01*", "G75*"]

    def select(self, dcode):
        if dcode != self.dcode:
            self.lines.append("G54D%d*" % dcode)
            self.dcode = dcode

    def flash(self, dcode, x, y):
        self.select(dcode)
        self.lines.append(xy(x, y) + "D03*")

    def move(self, x, y):
        self.lines.append(xy(x, y) + "D02*")

    def line(self, x, y):
        self.lines.append(xy(x, y) + "D01*")

    def arc(self, x, y, i, j, clockwise):
        self.lines.append("%s%sI%dJ%dD01*" % ("G02" if clockwise else "G03", xy(x, y),
                                              raw(i), raw(j)))
        self.lines.append("G01*")

    def polyline(self, dcode, points, radius=0.04):
        """Straight segments with a fillet arc at every corner."""
        self.select(dcode)
        self.move(*points[0])
        for k in range(1, len(points) - 1):
            if radius == 0:
                self.line(*points[k])
                continue
            (ax, ay), (px, py), (bx, by) = points[k - 1], points[k], points[k + 1]
            din = unit(px - ax, py - ay)
            dout = unit(bx - px, by - py)
            sx, sy = px - radius * din[0], py - radius * din[1]
            ex, ey = px + radius * dout[0], py + radius * dout[1]
            cx, cy = sx + radius * dout[0], sy + radius * dout[1]
            self.line(sx, sy)
            turn = din[0] * dout[1] - din[1] * dout[0]
            self.arc(ex, ey, cx - sx, cy - sy, clockwise=turn < 0)
        self.line(*points[-1])

    def circle(self, dcode, x, y, r, clockwise=False):
        self.select(dcode)
        self.move(x + r, y)
        self.arc(x + r, y, -r, 0, clockwise)

    def text(self, dcode, x, y, label, height=0.06):
        step = height / 6.0
        for n, ch in enumerate(label):
            for stroke in FONT[ch]:
                pts = [(x + (n * 6 + gx) * step, y + gy * step) for gx, gy in stroke]
                self.select(dcode)
                self.move(*pts[0])
                for p in pts[1:]:
                    self.line(*p)

    def finish(self):
        self.lines.append("M02*")
        return "\n".join(self.lines) + "\n"


def unit(dx, dy):
    length = math.hypot(dx, dy)
    return dx / length, dy / length


def copper(title, tracks, with_smd):
    g = GerberWriter(title)
    g.define({11, 12, 13, 14, 15, 16, 17})
    for dcode, points in tracks:
        g.polyline(dcode, points)
    for pad in PADS:
        if pad.tool is not None or with_smd:
            g.flash(pad.dcode, pad.x, pad.y)
    return g.finish()


def silkscreen():
    g = GerberWriter("top silkscreen")
    g.define({10, 13})
    g.polyline(10, [(0.68, 0.63), (0.68, 0.62), (1.42, 0.62), (1.42, 0.78), (0.68, 0.78),
                    (0.68, 0.77)], radius=0)
    # The notch at pin 1: a half circle drawn clockwise from its top.
    g.select(10)
    g.move(0.68, 0.77)
    g.arc(0.68, 0.63, 0.0, -0.07, clockwise=True)
    g.polyline(10, [(0.12, 0.48), (0.32, 0.48), (0.32, 0.92), (0.12, 0.92), (0.12, 0.48)],
               radius=0.02)
    g.polyline(10, [(1.98, 0.28), (2.22, 0.28), (2.22, 0.62), (1.98, 0.62), (1.98, 0.28)],
               radius=0.02)
    g.polyline(10, [(1.69, 1.06), (1.91, 1.06), (1.91, 1.22), (1.69, 1.22), (1.69, 1.06)],
               radius=0)
    g.circle(10, 1.705, 1.09, 0.008, clockwise=True)
    for pads in (C1, C2):
        g.circle(10, (pads[0].x + pads[1].x) / 2, pads[0].y, 0.13)
    g.text(10, 1.0, 0.675, "U1", 0.05)
    g.text(10, 1.93, 1.12, "U2", 0.04)
    g.text(10, 0.12, 0.98, "J1", 0.05)
    g.text(10, 2.26, 0.42, "J2", 0.05)
    g.text(10, 0.81, 1.36, "C1", 0.04)
    g.text(10, 1.31, 1.36, "C2", 0.04)
    g.text(10, 0.55, 1.45, "CORVANE DEMO", 0.07)
    return g.finish()


def outline():
    g = GerberWriter("board outline")
    g.define({18})
    w, h, r = BOARD_W, BOARD_H, CORNER
    g.select(18)
    g.move(r, 0)
    g.line(w - r, 0)
    g.arc(w, r, 0, r, clockwise=False)
    g.line(w, h - r)
    g.arc(w - r, h, -r, 0, clockwise=False)
    g.line(r, h)
    g.arc(0, h - r, 0, -r, clockwise=False)
    g.line(0, r)
    g.arc(r, 0, r, 0, clockwise=False)
    return g.finish()


def solder_mask():
    """RS-274-D: no parameter blocks; the apertures come from demo.apr."""
    g = GerberWriter("top solder mask (RS-274-D, apertures in demo.apr)", extended=False)
    for pad in PADS:
        g.flash(MASK_FOR_PAD[pad.dcode], pad.x, pad.y)
    for x, y in MOUNTING:
        g.flash(25, x, y)
    return g.finish()


def aperture_table(plot_files):
    """The wheel with the number of draws and flashes of each aperture."""
    uses = {}
    for text in plot_files:
        dcode = None
        for line in text.splitlines():
            if line.startswith("G54D"):
                dcode = int(line[4:-1])
            elif line.endswith(("D01*", "D03*")):
                uses[dcode] = uses.get(dcode, 0) + 1
    lines = ["Corvane demo board aperture table (sizes in mil)",
             "Code    Type        Width   Height  Count"]
    for dcode, shape, w, h in APERTURES:
        lines.append("D%-6d %-11s %-7d %-7d %d" % (dcode, shape, w, h, uses.get(dcode, 0)))
    return "\r\n".join(lines) + "\r\n"


def drill_holes():
    holes = {tool: [] for tool, _, _ in TOOLS}
    for pad in PADS:
        if pad.tool:
            holes[pad.tool].append((pad.x, pad.y))
    holes[4] = list(MOUNTING)
    return holes


def nc_drill(holes):
    # TZ: the trailing zeros are kept, the leading ones omitted, as xy() writes them.
    lines = ["M48", "INCH,TZ"]
    lines += ["T%02dC%.3f" % (tool, dia / 1000.0) for tool, _, dia in TOOLS]
    lines += ["%", "G05", "G90"]
    for tool, _, _ in TOOLS:
        lines.append("T%02d" % tool)
        for x, y in holes[tool]:
            lines.append(xy(x, y))
    lines.append("M30")
    return "\n".join(lines) + "\n"  # Unix line ends, as CAM tools on Linux write them


def drill_tool_table(holes):
    lines = ["; Corvane demo board drill tool table (diameters in mil)",
             "; Tool  Type      Kind  Diameter  Count"]
    for tool, plated, dia in TOOLS:
        lines.append("T%02d     %-9s %-5s %-9d %d" % (tool, "Plated" if plated else "Unplated",
                                                     "PTH" if plated else "NPTH", dia,
                                                     len(holes[tool])))
    return "\r\n".join(lines) + "\r\n"


LAYERS = [  # (file, R, G, B): drawn in this order, later layers on top
    ("demo_mask.ger", 190, 150, 220),
    ("demo_bottom.ger", 0, 80, 255),
    ("demo_top.ger", 220, 0, 0),
    ("demo_silk.ger", 0, 150, 0),
    ("demo_outline.ger", 128, 64, 0),
]


def work_file():
    lines = [
        "ResetOrigin=0", "MirrorX=1", "MirrorY=0", "GerberFileExtension=ger",
        "GerberMultiplier=1.0000", "GerberNumberFormat=2,4", "GerberOffsets=0.0000,0.0000",
        "GerberCompression=1", "ApertureFileExtension=apr", "ApertureMultiplier=1.0000",
        "DrillFileExtension=drl", "DrillMultiplier=1.0000", "DrillNumberFormat=2,4",
        "DrillOffsets=0.0000,0.0000", "DrillCompression=1", "DrillToolFileExtension=rck",
        "DrillToolMultiplier=1.0000", "PlatedDrillFieldName=Plated",
        "UnplatedDrillFieldName=Unplated", "DrillToolFieldOrder=0,1,4,2,3",
        "CircleApertureFormat=CIRCLE,0,1,2,3,4", "LineApertureFormat=LINE,0,1,2,3,4",
        "RectangleApertureFormat=RECTANGLE,0,1,2,3,4", "SquareApertureFormat=SQUARE,0,1,2,3,4",
        "EllipseApertureFormat=ELLIPSE,0,1,2,3,4",
    ]
    lines += ["LayerInfo=%d,%d,%d,0,0,0,0,%s" % (r, g, b, name) for name, r, g, b in LAYERS]
    lines += ["ApertureFile=demo.apr", "DrillToolFile=demo.rck", "DrillFile=demo.drl",
              "PrintMagnification=1.0000"]
    return "\r\n".join(lines) + "\r\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    args = [a for a in sys.argv[1:] if a != "--check"]
    check = len(args) != len(sys.argv) - 1
    out = args[0] if args else os.path.join(here, "..", "examples", "demo")
    holes = drill_holes()
    files = {
        "demo_top.ger": copper("top copper", TOP_TRACKS, True),
        "demo_bottom.ger": copper("bottom copper", BOTTOM_TRACKS, False),
        "demo_silk.ger": silkscreen(),
        "demo_outline.ger": outline(),
        "demo_mask.ger": solder_mask(),
    }
    files.update({
        "demo.apr": aperture_table(files.values()),
        "demo.drl": nc_drill(holes),
        "demo.rck": drill_tool_table(holes),
        "demo.wrk": work_file(),
    })
    if check:
        stale = [name for name, text in files.items() if read(os.path.join(out, name)) != text]
        for name in stale:
            print("%s differs from what tools/make_demo.py generates" % name, file=sys.stderr)
        return 1 if stale else 0
    os.makedirs(out, exist_ok=True)
    for name, text in files.items():
        with open(os.path.join(out, name), "w", newline="") as f:
            f.write(text)
    return 0


def read(path):
    try:
        with open(path, newline="") as f:
            return f.read()
    except OSError:
        return None


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Writes the small boards the netlist tests check, each a folder of Gerber X2
copper, Excellon drill files and the designer's IPC-D-356 netlist.

  tools/make_netlist_boards.py DIR      the boards into DIR/<board>/
  tools/make_netlist_boards.py --check  fail when tests/data/netlist/ differs

Every board is in millimetres. Each names what its copper should give
against its netlist in its own comment.
"""

import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
HELD = ROOT / "tests" / "data" / "netlist"


def c(v):
    return "%d" % round(v * 1e6)


def xy(x, y):
    return "X%sY%s" % (c(x), c(y))


class Copper:
    """One copper layer: apertures by diameter, objects in order."""

    def __init__(self, function):
        self.function = function
        self.apertures = {}
        self.body = []
        self.net = None

    def aperture(self, shape):
        if shape not in self.apertures:
            self.apertures[shape] = 10 + len(self.apertures)
        return self.apertures[shape]

    def on_net(self, net):
        if net != self.net:
            self.body.append("%%TO.N,%s*%%" % net if net else "%TD*%")
            self.net = net

    def pad(self, x, y, size=1.6, net=None, square=False):
        self.on_net(net)
        shape = ("R,%.3fX%.3f" % (size, size)) if square else "C,%.3f" % size
        self.body.append("D%d*" % self.aperture(shape))
        self.body.append("%sD03*" % xy(x, y))

    def track(self, points, width=0.25, net=None):
        self.on_net(net)
        self.body.append("D%d*" % self.aperture("C,%.3f" % width))
        self.body.append("%sD02*" % xy(*points[0]))
        for p in points[1:]:
            self.body.append("%sD01*" % xy(*p))

    def pour(self, x0, y0, x1, y1, net=None):
        self.on_net(net)
        self.body.append("G36*")
        corners = [(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0)]
        self.body.append("%sD02*" % xy(*corners[0]))
        for p in corners[1:]:
            self.body.append("%sD01*" % xy(*p))
        self.body.append("G37*")

    def clear_circle(self, x, y, size):
        self.body.append("%LPC*%")
        self.body.append("D%d*" % self.aperture("C,%.3f" % size))
        self.body.append("%sD03*" % xy(x, y))
        self.body.append("%LPD*%")

    def text(self):
        head = ["G04 Written by tools/make_netlist_boards.py*",
                "%%TF.FileFunction,%s*%%" % self.function,
                "%FSLAX46Y46*%", "%MOMM*%", "%LPD*%"]
        for shape, code in sorted(self.apertures.items(), key=lambda a: a[1]):
            head.append("%%ADD%d%s*%%" % (code, shape))
        return "\n".join(head + self.body + ["M02*"]) + "\n"


def drill(function, holes):
    """holes: (diameter, x, y), one tool per diameter."""
    tools = sorted({d for d, _, _ in holes})
    lines = ["M48", "; #@! TF.FileFunction,%s" % function, "METRIC,TZ"]
    lines += ["T%dC%.3f" % (i + 1, d) for i, d in enumerate(tools)]
    lines += ["%", "G90", "G05"]
    for i, d in enumerate(tools):
        lines.append("T%d" % (i + 1))
        lines += ["X%.3fY%.3f" % (x, y) for dd, x, y in holes if dd == d]
    return "\n".join(lines + ["M30"]) + "\n"


def ipc(points, units="mm", long_names=()):
    """points: (net, component, pin, x, y, access, hole); long_names: full
    names written as NNAME records, referred to by their record name."""
    unit = 0.001 if units == "mm" else 0.00254
    lines = ["C  Written by tools/make_netlist_boards.py", "P  JOB   NETLIST TEST",
             "P  UNITS CUST %d" % (1 if units == "mm" else 0), "P  IMAGE PRIMARY"]
    for i, name in enumerate(long_names):
        lines.append("P  %-11s%s" % ("NNAME%d" % (i + 1), name))
    for net, comp, pin, x, y, access, hole in points:
        code = "317" if hole else "327"
        field = ("D%04dP" % round(hole / unit)) if hole else "      "
        lines.append("%s%-14.14s   %-6s%s%-4s %sA%02dX%+07dY%+07dX%04dY%04dR000" % (
            code, net, comp, "-" if pin else " ", pin, field, access,
            round(x / unit), round(y / unit), round(1.6 / unit), round(1.6 / unit)))
    return "\n".join(lines + ["999"]) + "\n"


TOP, BOTTOM = "Copper,L1,Top", "Copper,L2,Bot"
PTH, NPTH = "Plated,1,2,PTH", "NonPlated,1,2,NPTH"


def two_nets(sliver):
    """Nets A (y = 0) and B (y = 5); a sliver between them shorts them."""
    top = Copper(TOP)
    for net, y in (("A", 0.0), ("B", 5.0)):
        top.pad(0, y, net=net)
        top.pad(10, y, net=net)
        top.track([(0, y), (10, y)], net=net)
    if sliver:
        top.track([(5, 0), (5, 5)], width=0.1)
    points = [(n, "R%d" % i, str(p), x, y, 1, 0)
              for i, (n, y) in enumerate((("A", 0.0), ("B", 5.0)), 1)
              for p, x in ((1, 0.0), (2, 10.0))]
    return {"top.gbr": top.text(), "board.ipc": ipc(points)}


def gap():
    """One net whose track is broken in the middle: an open."""
    top = Copper(TOP)
    top.pad(0, 0)
    top.pad(20, 0)
    top.track([(0, 0), (9, 0)])
    top.track([(11, 0), (20, 0)])
    points = [("SIG", "U1", "1", 0, 0, 1, 0), ("SIG", "U2", "1", 20, 0, 1, 0)]
    return {"top.gbr": top.text(), "board.ipc": ipc(points)}


def via(with_drill, units="mm", name="A", long_names=(), copper_name=None):
    """A top pad reaches a bottom pad only through a via at (10, 0); the
    copper carries `copper_name` as its X2 net name when given."""
    top, bottom = Copper(TOP), Copper(BOTTOM)
    top.pad(0, 0, net=copper_name)
    top.track([(0, 0), (10, 0)], net=copper_name)
    top.pad(10, 0, size=0.8, net=copper_name)
    bottom.pad(10, 0, size=0.8, net=copper_name)
    bottom.track([(10, 0), (20, 0)], net=copper_name)
    bottom.pad(20, 0, net=copper_name)
    points = [(name, "J1", "1", 0, 0, 1, 0), (name, "J2", "1", 20, 0, 2, 0)]
    files = {"top.gbr": top.text(), "bottom.gbr": bottom.text(),
             "board.ipc": ipc(points, units, long_names)}
    if with_drill:
        files["pth.drl"] = drill(PTH, [(0.4, 10, 0)])
    return files


def thermal(spokes):
    """A pad in a ground pour, cleared round about, joined by four spokes."""
    top = Copper(TOP)
    top.pour(0, 0, 20, 20)
    top.clear_circle(10, 10, 3.0)
    top.pad(10, 10, size=1.6)
    if spokes:
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            top.track([(10, 10), (10 + 1.8 * dx, 10 + 1.8 * dy)], width=0.3)
    points = [("GND", "C1", "2", 10, 10, 1, 0), ("GND", "", "", 2, 2, 1, 0)]
    return {"top.gbr": top.text(), "board.ipc": ipc(points)}


def non_plated():
    """Top net A and bottom net B both sit on a non-plated hole."""
    top, bottom = Copper(TOP), Copper(BOTTOM)
    top.pad(0, 0, size=2.0)
    top.track([(0, 0), (5, 0)])
    bottom.pad(0, 0, size=2.0)
    bottom.track([(0, 0), (-5, 0)])
    points = [("A", "", "", 5, 0, 1, 0), ("B", "", "", -5, 0, 2, 0)]
    return {"top.gbr": top.text(), "bottom.gbr": bottom.text(),
            "npth.drl": drill(NPTH, [(1.0, 0, 0)]), "board.ipc": ipc(points)}


def inner():
    """Two top pads joined only by a track on the first inner layer."""
    top, in1 = Copper(TOP), Copper("Copper,L2,Inr")
    in2, bottom = Copper("Copper,L3,Inr"), Copper("Copper,L4,Bot")
    for x in (0, 20):
        top.pad(x, 0)
        in1.pad(x, 0, size=0.8)
        bottom.pad(x, 0)
    in1.track([(0, 0), (20, 0)])
    in2.pour(-5, 5, 25, 10)
    points = [("LINK", "J1", "1", 0, 0, 1, 0.4), ("LINK", "J1", "2", 20, 0, 4, 0.4)]
    return {"top.gbr": top.text(), "in1.gbr": in1.text(), "in2.gbr": in2.text(),
            "bottom.gbr": bottom.text(), "pth.drl": drill(PTH, [(0.4, 0, 0), (0.4, 20, 0)]),
            "board.ipc": ipc(points)}


def attributes():
    """The bridged pair with no netlist: the copper's net names are the reference."""
    files = two_nets(sliver=True)
    del files["board.ipc"]
    return files


def boards():
    long_name = "SUPPLY_RAIL_OF_THE_CORE_1V2"
    return {
        "bridge": two_nets(sliver=True),
        "apart": two_nets(sliver=False),
        "gap": gap(),
        "via": via(with_drill=True),
        "via_no_drill": via(with_drill=False),
        "via_inch_long_name": via(True, "inch", "NNAME1", (long_name,)),
        "via_cut_long_name": via(True, "mm", long_name, copper_name=long_name),
        "thermal": thermal(spokes=True),
        "thermal_no_spokes": thermal(spokes=False),
        "non_plated": non_plated(),
        "inner": inner(),
        "attributes": attributes(),
    }


def main(argv):
    written = boards()
    if argv[:1] == ["--check"]:
        differ = [b + "/" + n for b, files in written.items() for n, t in files.items()
                  if not (HELD / b / n).exists() or (HELD / b / n).read_text() != t]
        for name in differ:
            print("make_netlist_boards: differs: tests/data/netlist/" + name)
        return 1 if differ else 0
    if len(argv) != 1:
        print(__doc__)
        return 2
    for board, files in written.items():
        folder = Path(argv[0]) / board
        folder.mkdir(parents=True, exist_ok=True)
        for name, text in files.items():
            (folder / name).write_text(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env python3
"""Writes the small current board of tests/data/standard_board/.

A two-up panel of a 30 by 20 mm board as today's CAD tools write it: Gerber
X2 in millimetres with file attributes, a copper pour (a region with an arc
corner) with a clear cut-out and clear keep-outs, rounded-rectangle macro
pads, thermal reliefs cleared into the pour, obround and octagonal pads, vias
with holes, tracks and an arc, the whole board stepped and repeated twice;
the outline on its own layer; an Excellon file with a metric header, drill
hits of both copies, a routed slot and a G85 slot; and a work file naming
them. The image tests of the standard reading hold pictures of it.

  tools/make_standard_board.py            # (re)write the files
  tools/make_standard_board.py --check    # fail when the files differ
"""

import sys
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent / "tests" / "data" / "standard_board"
STEP = 34.0  # mm between the panel's copies


def c(v):
    """A coordinate in format 4.6 millimetres."""
    return "%d" % round(v * 1e6)


def xy(x, y):
    return "X%sY%s" % (c(x), c(y))


def top():
    lines = [
        "G04 Top copper of a two-up panel, written by tools/make_standard_board.py*",
        "%TF.FileFunction,Copper,L1,Top*%",
        "%TF.FilePolarity,Positive*%",
        "%FSLAX46Y46*%",
        "%MOMM*%",
        "%AMROUNDRECT*",
        "0 width $1, height $2, corner radius $3*",
        "21,1,$1,$2-$3-$3,0,0,0*",
        "21,1,$1-$3-$3,$2,0,0,0*",
        "1,1,$3+$3,$1/2-$3,$2/2-$3*",
        "1,1,$3+$3,-$1/2+$3,$2/2-$3*",
        "1,1,$3+$3,$1/2-$3,-$2/2+$3*",
        "1,1,$3+$3,-$1/2+$3,-$2/2+$3*%",
        "%AMTHERMAL*",
        "0 outer diameter $1, inner diameter $2, gap $3*",
        "7,0,0,$1,$2,$3,45*%",
        "%TA.AperFunction,Conductor*%",
        "%ADD10C,0.250000*%",
        "%TA.AperFunction,SMDPad,CuDef*%",
        "%ADD11ROUNDRECT,1.600000X1.000000X0.250000*%",
        "%TA.AperFunction,ViaPad*%",
        "%ADD12C,0.800000X0.400000*%",
        "%TA.AperFunction,Other*%",
        "%ADD13THERMAL,2.600000X1.800000X0.500000*%",
        "%TA.AperFunction,ComponentPad*%",
        "%ADD14O,1.800000X1.200000*%",
        "%ADD15P,1.600000X8X22.5*%",
        "%ADD16C,1.400000*%",
        "%TD*%",
        "%ADD17C,0.600000*%",
        "%%SRX2Y1I%.6fJ0.000000*%%" % STEP,
        "%LPD*%",
        "G04 The pour, its upper right corner an arc*",
        "G75*",
        "G36*",
        xy(1, 1) + "D02*",
        "G01*",
        xy(29, 1) + "D01*",
        xy(29, 15) + "D01*",
        "G03*",
        xy(25, 19) + "I-4000000J0D01*",
        "G01*",
        xy(1, 19) + "D01*",
        xy(1, 1) + "D01*",
        "G37*",
        "G04 A clear cut-out for the parts, and keep-outs along the tracks*",
        "%LPC*%",
        "G36*",
        xy(9, 5) + "D02*",
        xy(21, 5) + "D01*",
        xy(21, 15) + "D01*",
        xy(9, 15) + "D01*",
        xy(9, 5) + "D01*",
        "G37*",
        "D17*",
        xy(21, 10) + "D02*",
        xy(27, 10) + "D01*",
        "G04 Thermal reliefs: the relief cleared, the pad on top*",
        "D13*",
        xy(5, 5) + "D03*",
        xy(5, 15) + "D03*",
        "%LPD*%",
        "D16*",
        xy(5, 5) + "D03*",
        xy(5, 15) + "D03*",
        "G04 Rounded-rectangle pads in the cut-out, joined by tracks*",
        "D11*",
    ]
    pads = [(12, 8), (12, 12), (18, 8), (18, 12)]
    lines += [xy(x, y) + "D03*" for x, y in pads]
    lines += [
        "D10*",
        xy(12, 8) + "D02*",
        xy(18, 8) + "D01*",
        xy(12, 12) + "D02*",
        xy(15, 12) + "D01*",
        "G02*",
        xy(18, 12) + "I1500000J0D01*",
        "G01*",
        xy(18, 12) + "D02*",
        xy(27, 10) + "D01*",
        "G04 Vias with their holes, an obround and an octagonal pad*",
        "D12*",
        xy(27, 10) + "D03*",
        xy(15, 6) + "D03*",
        "D14*",
        xy(24, 4) + "D03*",
        "D15*",
        xy(24, 16) + "D03*",
        "%SR*%",
        "M02*",
    ]
    return lines


def outline():
    lines = [
        "G04 Board outline of the two-up panel*",
        "%TF.FileFunction,Profile,NP*%",
        "%FSLAX46Y46*%",
        "%MOMM*%",
        "%ADD10C,0.100000*%",
        "%%SRX2Y1I%.6fJ0.000000*%%" % STEP,
        "D10*",
        xy(0, 0) + "D02*",
        xy(30, 0) + "D01*",
        xy(30, 20) + "D01*",
        xy(0, 20) + "D01*",
        xy(0, 0) + "D01*",
        "%SR*%",
        "M02*",
    ]
    return lines


def drill():
    lines = ["M48", "; FILE_FORMAT=3:3", "METRIC,TZ", "T1C0.400", "T2C1.000", "T3C0.800", "%",
             "G90", "G05"]
    for tool, points in (("T1", [(27, 10), (15, 6)]), ("T2", [(5, 5), (5, 15)])):
        lines.append(tool)
        for dx in (0.0, STEP):
            lines += ["X%.3fY%.3f" % (x + dx, y) for x, y in points]
    lines.append("T3")
    for dx in (0.0, STEP):
        # A routed slot, then a drilled one.
        lines += ["G00X%.3fY%.3f" % (3 + dx, 10), "M15", "G01X%.3fY%.3f" % (3 + dx, 13), "M16",
                  "G05", "X%.3fY%.3fG85X%.3fY%.3f" % (21 + dx, 17.5, 24 + dx, 17.5)]
    lines.append("M30")
    return lines


def work():
    return [
        "ResetOrigin=1",
        "MirrorX=1",
        "MirrorY=0",
        "LayerInfo=0,160,0,0,0,0,0,board_outline.gbr",
        "LayerInfo=200,120,40,0,0,0,0,board_top.gbr",
        "DrillFile=board.drl",
        "PrintMagnification=1.0000",
    ]


FILES = {
    "board_top.gbr": (top, "\n"),
    "board_outline.gbr": (outline, "\n"),
    "board.drl": (drill, "\n"),
    "board.wrk": (work, "\r\n"),
}


def main():
    check = "--check" in sys.argv[1:]
    differ = []
    for name, (make, end) in FILES.items():
        text = end.join(make()) + end
        path = OUT / name
        if check:
            if not path.exists() or path.read_bytes() != text.encode():
                differ.append(name)
        else:
            OUT.mkdir(parents=True, exist_ok=True)
            path.write_bytes(text.encode())
    for name in differ:
        print("%s differs from what tools/make_standard_board.py writes" % name)
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())

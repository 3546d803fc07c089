#!/usr/bin/env python3
"""Writes fabrication sets for the identification tests and for looking at.

The board: a 50 by 32 mm two-layer board in millimetres, as today's design
tools write it. Eight Gerber X2 files (copper, soldermask, silkscreen and
paste of both sides, the outline), a plated and a non-plated Excellon file,
and a Gerber job file. The copper has SMD pads, through-hole pads, vias,
tracks with an arc, and a bottom ground pour cleared around the pads; the
outline has rounded corners.

  tools/make_fab_set.py board DIR [--zip Z] [--tar T] [--no-attributes]
      the board into DIR (and as a zip or tar.gz archive of DIR's files)
  tools/make_fab_set.py styles DIR
      the same layers named in several design tools' naming styles, each in
      DIR/<style>/ with expected.json: every file's kind, side, type, inner,
      plating and the evidence that should name it
  tools/make_fab_set.py --check
      fail when examples/fab/ differs from what this writes
"""

import io
import json
import sys
import tarfile
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
EXAMPLE = ROOT / "examples" / "fab"
W, H = 50.0, 32.0  # board size, mm
R = 2.0  # corner radius


def c(v):
    return "%d" % round(v * 1e6)


def xy(x, y):
    return "X%sY%s" % (c(x), c(y))


# Parts: SMD pads (x, y, w, h), through-hole pads (x, y, diameter), vias (x, y).
SMD = [(10 + 1.27 * i, 22, 0.6, 1.5) for i in range(6)] + \
      [(10 + 1.27 * i, 27, 0.6, 1.5) for i in range(6)] + [(30, 24, 1.2, 1.0), (33, 24, 1.2, 1.0)]
THT = [(8 + 2.54 * i, 8, 1.7) for i in range(8)]
VIAS = [(20, 15), (26, 15), (34, 12), (40, 20), (12, 14)]
MOUNT = [(4, 4), (W - 4, 4), (4, H - 4), (W - 4, H - 4)]
TRACKS_TOP = [[(10, 22), (10, 15), (20, 15)], [(11.27, 22), (11.27, 17), (26, 17), (26, 15)],
              [(30, 24), (34, 24), (34, 12)], [(33, 24), (40, 24), (40, 20)],
              [(8, 8), (8, 12), (12, 14)]]
TRACKS_BOTTOM = [[(20, 15), (20, 8)], [(26, 15), (30.7, 8)], [(34, 12), (38, 12), (38, 8)]]


def header(function, polarity, lines):
    out = ["G04 Written by tools/make_fab_set.py*"]
    if function:
        out += ["%TF.GenerationSoftware,Corvane,make_fab_set,1*%",
                "%TF.SameCoordinates,Original*%",
                "%TF.FileFunction," + function + "*%",
                "%TF.FilePolarity," + polarity + "*%"]
    out += ["%FSLAX46Y46*%", "%MOMM*%", "%LPD*%"]
    return out + lines + ["M02*"]


def pads(lines, grow=0.0, tht=True, smd=True, base=10):
    lines += ["%ADD{}R,{:.3f}X{:.3f}*%".format(base, 0.6 + grow, 1.5 + grow),
              "%ADD{}R,{:.3f}X{:.3f}*%".format(base + 1, 1.2 + grow, 1.0 + grow),
              "%ADD{}C,{:.3f}*%".format(base + 2, 1.7 + grow),
              "%ADD{}C,{:.3f}*%".format(base + 3, 0.6 + grow)]
    if smd:
        for x, y, w, h in SMD:
            lines += ["D%d*" % (base if w < 1 else base + 1), xy(x, y) + "D03*"]
    if tht:
        lines.append("D%d*" % (base + 2))
        for x, y, d in THT:
            lines.append(xy(x, y) + "D03*")
        lines.append("D%d*" % (base + 3))
        for x, y in VIAS:
            lines.append(xy(x, y) + "D03*")


def tracks(lines, paths):
    lines += ["%ADD20C,0.250*%", "D20*"]
    for path in paths:
        lines.append(xy(*path[0]) + "D02*")
        for p in path[1:]:
            lines.append(xy(*p) + "D01*")


def copper_top():
    lines = []
    pads(lines)
    tracks(lines, TRACKS_TOP)
    # An arc of a track: a quarter circle about (44, 14).
    lines += ["G75*", xy(44, 10) + "D02*", "G03*", xy(48, 14) + "I0J%sD01*" % c(4), "G01*"]
    return lines


def copper_bottom():
    lines = ["G36*", xy(1, 1) + "D02*", xy(W - 1, 1) + "D01*", xy(W - 1, H - 1) + "D01*",
             xy(1, H - 1) + "D01*", xy(1, 1) + "D01*", "G37*", "%LPC*%"]
    pads(lines, grow=0.6, smd=False, base=50)
    lines += ["%ADD21C,0.850*%", "D21*"]
    for path in TRACKS_BOTTOM:
        lines.append(xy(*path[0]) + "D02*")
        for p in path[1:]:
            lines.append(xy(*p) + "D01*")
    lines.append("%LPD*%")
    pads(lines, smd=False)
    tracks(lines, TRACKS_BOTTOM)
    return lines


def mask(top):
    lines = []
    pads(lines, grow=0.1, smd=top)
    return lines


def paste():
    lines = []
    pads(lines, tht=False)
    return lines


def silk(top):
    lines = ["%ADD30C,0.150*%", "D30*"]
    boxes = [(8.5, 20.5, 17.5, 28.5), (28.8, 22.8, 34.2, 25.2)] if top else [(6, 6, 27, 10)]
    for x0, y0, x1, y1 in boxes:
        lines += [xy(x0, y0) + "D02*", xy(x1, y0) + "D01*", xy(x1, y1) + "D01*",
                  xy(x0, y1) + "D01*", xy(x0, y0) + "D01*"]
    # A mark by pin 1.
    lines += [xy(7, 9.5 if top else 11) + "D02*", xy(7, 10.5 if top else 12) + "D01*"]
    return lines


def outline():
    lines = ["%ADD40C,0.100*%", "D40*", "G75*"]
    corners = [((R, 0), (W - R, 0), (W, R), (W - R, R)), ((W, R), (W, H - R), (W - R, H), (W - R, H - R)),
               ((W - R, H), (R, H), (0, H - R), (R, H - R)), ((0, H - R), (0, R), (R, 0), (R, R))]
    lines.append(xy(R, 0) + "D02*")
    for start, end, arc_end, centre in corners:
        lines += ["G01*", xy(*end) + "D01*", "G03*",
                  xy(*arc_end) + "I%sJ%sD01*" % (c(centre[0] - end[0]), c(centre[1] - end[1]))]
    lines.append("G01*")
    return lines


def excellon(plated, attributes):
    out = ["M48"]
    if attributes:
        out.append("; #@! TF.FileFunction,%s,1,2,%s" % (("Plated", "PTH") if plated else ("NonPlated", "NPTH")))
    out += ["FMAT,2", "METRIC,TZ"]
    if plated:
        out += ["T1C0.300", "T2C1.000", "%", "G90", "G05", "T1"]
        out += ["X%.3fY%.3f" % p for p in VIAS]
        out.append("T2")
        out += ["X%.3fY%.3f" % (x, y) for x, y, d in THT]
    else:
        out += ["T1C3.200", "%", "G90", "G05", "T1"] + ["X%.3fY%.3f" % p for p in MOUNT]
    return "\n".join(out + ["M30", ""])


LAYERS = [  # key, function attribute, polarity, body, (kind, side, type, inner, plating)
    ("F_Cu", "Copper,L1,Top", "Positive", copper_top, ("gerber", "top", "copper", None, None)),
    ("B_Cu", "Copper,L2,Bot", "Positive", copper_bottom, ("gerber", "bottom", "copper", None, None)),
    ("F_Mask", "Soldermask,Top", "Negative", lambda: mask(True), ("gerber", "top", "soldermask", None, None)),
    ("B_Mask", "Soldermask,Bot", "Negative", lambda: mask(False), ("gerber", "bottom", "soldermask", None, None)),
    ("F_SilkS", "Legend,Top", "Positive", lambda: silk(True), ("gerber", "top", "silkscreen", None, None)),
    ("B_SilkS", "Legend,Bot", "Positive", lambda: silk(False), ("gerber", "bottom", "silkscreen", None, None)),
    ("F_Paste", "Paste,Top", "Positive", paste, ("gerber", "top", "solderpaste", None, None)),
    ("Edge_Cuts", "Profile,NP", "Positive", outline, ("gerber", "all", "outline", None, None)),
]
DRILLS = [("PTH", True, ("excellon", "all", "drill", None, "plated")),
          ("NPTH", False, ("excellon", "all", "drill", None, "non-plated"))]


def gerber(key, attributes=True):
    for k, function, polarity, body, _ in LAYERS:
        if k == key:
            return "\n".join(header(function if attributes else None, polarity, body())) + "\n"
    raise KeyError(key)


def job(names):
    files = []
    for key, function, polarity, _, _ in LAYERS:
        if key in names:
            files.append({"Path": names[key], "FileFunction": function, "FilePolarity": polarity})
    return json.dumps({
        "Header": {"GenerationSoftware": {"Vendor": "Corvane", "Application": "make_fab_set",
                                          "Version": "1"},
                   "CreationDate": "2026-01-01T00:00:00+00:00"},
        "GeneralSpecs": {"ProjectId": {"Name": "board"}, "Size": {"X": W, "Y": H},
                         "LayerNumber": 2, "BoardThickness": 1.6},
        "FilesAttributes": files}, indent=2) + "\n"


def board_files(attributes=True):
    files = {}
    names = {}
    for key, *_ in LAYERS:
        names[key] = "board-%s.gbr" % key
        files[names[key]] = gerber(key, attributes)
    for key, plated, _ in DRILLS:
        files["board-%s.drl" % key] = excellon(plated, attributes)
    files["board-job.gbrjob"] = job(names)
    return files


def write(folder, files):
    folder.mkdir(parents=True, exist_ok=True)
    for name, text in files.items():
        (folder / name).write_text(text)


def archive(files, path):
    path = Path(path)
    if path.suffix == ".zip":
        with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
            for name, text in sorted(files.items()):
                z.writestr(zipfile.ZipInfo(name, (2026, 1, 1, 0, 0, 0)), text)
        return
    with tarfile.open(path, "w:gz") as t:
        for name, text in sorted(files.items()):
            data = text.encode()
            info = tarfile.TarInfo(name)
            info.size = len(data)
            info.mtime = 0
            t.addfile(info, io.BytesIO(data))


def expected(kind_side_type, frm):
    kind, side, typ, inner, plating = kind_side_type
    return {"kind": kind, "side": side, "type": typ, "inner": inner, "plating": plating, "from": frm}


INNER = [("In1", ("gerber", "inner", "copper", 1, None)), ("In2", ("gerber", "inner", "copper", 2, None))]


def styles():
    """Each style: {file name: (content, expected)}."""
    sets = {}
    by_key = {key: want for key, *_, want in LAYERS}
    drills = {key: want for key, _, want in DRILLS}
    plain = lambda key: gerber(key, attributes=False)
    inner_text = plain("F_Cu")

    # Layer-name suffixes, four layers, no attributes.
    s = {}
    for key in ["F_Cu", "B_Cu", "F_Mask", "B_Mask", "F_SilkS", "B_SilkS", "F_Paste", "Edge_Cuts"]:
        s["board-%s.gbr" % key] = (plain(key), expected(by_key[key], "name"))
    for key, want in INNER:
        s["board-%s_Cu.gbr" % key] = (inner_text, expected(want, "name"))
    s["board-B_Paste.gbr"] = (plain("F_Paste"), expected(("gerber", "bottom", "solderpaste", None, None), "name"))
    for key, plated, want in DRILLS:
        s["board-%s.drl" % key] = (excellon(plated, False), expected(want, "name"))
    sets["layer_suffix"] = s

    # Three-letter extensions.
    ext = {"GTL": "F_Cu", "GBL": "B_Cu", "GTS": "F_Mask", "GBS": "B_Mask", "GTO": "F_SilkS",
           "GBO": "B_SilkS", "GTP": "F_Paste", "GKO": "Edge_Cuts"}
    s = {"board.%s" % e: (plain(k), expected(by_key[k], "name")) for e, k in ext.items()}
    s["board.G1"] = (inner_text, expected(INNER[0][1], "name"))
    s["board.G2"] = (inner_text, expected(INNER[1][1], "name"))
    s["board.GBP"] = (plain("F_Paste"), expected(("gerber", "bottom", "solderpaste", None, None), "name"))
    s["board.GM1"] = (plain("Edge_Cuts"), expected(by_key["Edge_Cuts"], "name"))
    s["board.TXT"] = (excellon(True, False), expected(("excellon", "all", "drill", None, None), "name"))
    s["board-NPTH.TXT"] = (excellon(False, False), expected(drills["NPTH"], "name"))
    sets["letter_extensions"] = s

    # Component and solder side.
    side = {"cmp": "F_Cu", "sol": "B_Cu", "stc": "F_Mask", "sts": "B_Mask", "plc": "F_SilkS",
            "pls": "B_SilkS", "crc": "F_Paste"}
    s = {"board.%s" % e: (plain(k), expected(by_key[k], "name")) for e, k in side.items()}
    s["board.crs"] = (plain("F_Paste"), expected(("gerber", "bottom", "solderpaste", None, None), "name"))
    s["board.dim"] = (plain("Edge_Cuts"), expected(by_key["Edge_Cuts"], "name"))
    s["board.drd"] = (excellon(True, False), expected(("excellon", "all", "drill", None, None), "name"))
    sets["side_extensions"] = s

    # Top and bottom extensions.
    tb = {"top": "F_Cu", "bot": "B_Cu", "smt": "F_Mask", "smb": "B_Mask", "sst": "F_SilkS",
          "ssb": "B_SilkS", "spt": "F_Paste"}
    s = {"board.%s" % e: (plain(k), expected(by_key[k], "name")) for e, k in tb.items()}
    s["board.spb"] = (plain("F_Paste"), expected(("gerber", "bottom", "solderpaste", None, None), "name"))
    s["board.out"] = (plain("Edge_Cuts"), expected(by_key["Edge_Cuts"], "name"))
    s["board.xln"] = (excellon(True, False), expected(("excellon", "all", "drill", None, None), "name"))
    sets["top_bottom_extensions"] = s

    # Words in the names.
    words = {"Copper Top.gbr": "F_Cu", "copper_bottom.gbr": "B_Cu", "Soldermask Top.gbr": "F_Mask",
             "Solder Mask Bottom.gbr": "B_Mask", "Silkscreen Top.gbr": "F_SilkS",
             "silkscreen_bottom.gbr": "B_SilkS", "Paste Top.gbr": "F_Paste",
             "Board Outline.gbr": "Edge_Cuts"}
    s = {n: (plain(k), expected(by_key[k], "name")) for n, k in words.items()}
    s["TopLayer.gbr"] = (plain("F_Cu"), expected(by_key["F_Cu"], "name"))
    s["Inner2.gbr"] = (inner_text, expected(INNER[1][1], "name"))
    s["Drill Plated.xln"] = (excellon(True, False), expected(drills["PTH"], "name"))
    s["Drill Non-Plated.xln"] = (excellon(False, False), expected(drills["NPTH"], "name"))
    sets["words"] = s

    # Attributes against names that say otherwise: the attributes win.
    s = {}
    wrong = {"F_Cu": "board-B_Cu.gbr", "B_Cu": "board-F_Cu.gbr", "F_Mask": "layer3.gbr",
             "B_Mask": "top.gbr", "F_SilkS": "board.GBO", "B_SilkS": "board.GTO",
             "F_Paste": "outline.gbr", "Edge_Cuts": "board-F_Paste.gbr"}
    for key, name in wrong.items():
        s[name] = (gerber(key), expected(by_key[key], "attributes"))
    s["board-NPTH.drl"] = (excellon(True, True), expected(drills["PTH"], "attributes"))
    s["holes.drl"] = (excellon(False, True), expected(drills["NPTH"], "attributes"))
    sets["attributes_over_names"] = s

    # The job file alone knows what a.gbr .. h.gbr are; the content names the rest.
    s = {}
    names = {}
    for i, (key, *_) in enumerate(LAYERS):
        names[key] = "%s.gbr" % chr(ord("a") + i)
        s[names[key]] = (plain(key), expected(by_key[key], "job"))
    s["board.gbrjob"] = (job(names), expected(("job", "none", "other", None, None), "content"))
    s["x1.dat"] = (excellon(False, False), expected(("excellon", "all", "drill", None, None), "content"))
    s["netlist.ipc"] = ("C  test netlist\nP  JOB   board\nP  UNITS CUST 0\n"
                        "317GND      VIA   D0300PA00X+020000Y+015000X0600Y0000R000S0\n"
                        "317GND      VIA   D0300PA00X+026000Y+015000X0600Y0000R000S0\n999\n",
                        expected(("netlist", "none", "other", None, None), "content"))
    s["readme.txt"] = ("Board files for the fab.\n", expected(("unknown", "none", "other", None, None), "content"))
    sets["job_and_content"] = s

    # Names that say nothing: an outline is known by its drawing.
    s = {"layer7.gbr": (plain("Edge_Cuts"), expected(by_key["Edge_Cuts"], "content")),
         "layer8.gbr": (plain("F_Cu"), expected(("gerber", "none", "other", None, None), "content"))}
    sets["content_only"] = s
    return sets


def write_styles(folder):
    count = 0
    for style, files in styles().items():
        where = folder / style
        where.mkdir(parents=True, exist_ok=True)
        want = {}
        for name, (text, expect) in files.items():
            (where / name).write_text(text)
            want[name] = expect
            count += 1
        (where / "expected.json").write_text(json.dumps(want, indent=2, sort_keys=True) + "\n")
    return count


def main(argv):
    if argv[:1] == ["--check"]:
        files = board_files()
        differ = [n for n, t in files.items()
                  if not (EXAMPLE / n).exists() or (EXAMPLE / n).read_text() != t]
        extra = [p.name for p in EXAMPLE.iterdir() if p.name not in files]
        for name in differ + extra:
            print("make_fab_set: differs: examples/fab/" + name)
        return 1 if differ or extra else 0
    if len(argv) >= 2 and argv[0] == "board":
        files = board_files(attributes="--no-attributes" not in argv)
        write(Path(argv[1]), files)
        for option in ("--zip", "--tar"):
            if option in argv:
                archive(files, argv[argv.index(option) + 1])
        return 0
    if len(argv) == 2 and argv[0] == "styles":
        print("make_fab_set: %d files in %d styles" % (write_styles(Path(argv[1])), len(styles())))
        return 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

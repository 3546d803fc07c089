#!/usr/bin/env python3
"""Holds what the program reads and writes steady, byte for byte.

Runs `corvane dump --items` over every file under tests/data, every file of
the demo board, every fuzz seed and a few working sets read over stored
defaults, `corvane dump --standard --items` over a few working sets, and
`corvane save` over the demo board, and compares each result
with the expected output held in tests/data/dumps/ (reviewed once when it was
written, then kept). With --boards it also writes the generated benchmark
boards and compares checksums of their dumps and of a saved work file.

  tools/check_dumps.py --corvane BUILD/src/qt/corvane [--boards BUILD/bench/corvane_write_boards]
  tools/check_dumps.py ... --write     # (re)write the expected outputs

Every run reads the files through relative paths from fixed folders, so the
outputs name no folder of the machine they were made on.
"""

import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
EXPECTED = ROOT / "tests" / "data" / "dumps"
BOARDS_FILE = EXPECTED / "boards.sha256"

# How a file joins a working set, by its extension.
OPTION_BY_SUFFIX = {".apr": "--aperture-file", ".rck": "--drill-tool-file", ".drl": "--drill-file"}
# How a fuzz seed joins one, by its corpus folder; the standard reading's
# seeds by their extension.
OPTION_BY_CORPUS = {"aperture_line": "--aperture-file", "drill_tool_line": "--drill-tool-file",
                    "nc_drill_line": "--drill-file", "gerber": None, "standard": OPTION_BY_SUFFIX,
                    "geometry": OPTION_BY_SUFFIX}

# The files the work-file fuzz target lays beside its input, for the seeds to name.
WORK_FILE_SEED_FILES = {
    "a.gbr": "%FSLAX24Y24*%%ADD10C,0.01*%D10*X0Y0D02*X10000Y0D01*",
    "a.apr": "D10 CIRCLE 10\r\n",
    "a.rck": "T01 Plated x 35 1\r\n",
    "a.drl": "T1\r\nX10000Y10000\r\n",
}

# Stored defaults unlike the built-in ones, for every key of "Defaults".
STORED_DEFAULTS = """[Defaults]
MirrorX=0
MirrorY=1
AutoOrigin=1
GerberMultiplier=2.5
ApertureMultiplier=0.5
DrillMultiplier=1.25
DrillToolMultiplier=2
PrintMagnification=1.5
GerberNumberFormat=3, 5
DrillNumberFormat=2,3
GerberOffsets="10, -20"
DrillOffsets=0.5
GerberCompression=2
DrillCompression=0
GerberFileExt=gbr
DrillFileExt=txt
ApertureFileExt=ap
DrillToolFileExt=tl
PlatedFieldName=PTH
UnplatedFieldName=NPTH
DrillToolFieldOrder="=0,4,1,2,3"
ApertureFieldOrder0="=0,5,1,2,3,4"
ApertureIdentifier1=TRACE
ApertureFieldOrder3=
ApertureIdentifier4=
"""


class Case:
    def __init__(self, name, args, cwd, setup=None, settings=None, saved=None):
        self.name = name          # the expected file's name
        self.args = args          # after the program's name
        self.cwd = cwd            # a folder under the scratch folder, or the root
        self.setup = setup        # fills cwd before the run
        self.settings = settings  # text of the settings file, or None for none
        self.saved = saved        # the work file a save writes, relative to cwd


def Safe(text):
    return text.replace("/", "_")


# The netlist test boards are held against their generator and checked by the
# netlist tests, not dumped.
NETLIST_BOARDS = ROOT / "tests" / "data" / "netlist"


def DataCases():
    cases = []
    for path in sorted((ROOT / "tests" / "data").rglob("*")):
        # The standard reading's held dumps (.dump) and pictures (.png) sit beside their files.
        if not path.is_file() or EXPECTED in path.parents or path.suffix in (".dump", ".png"):
            continue
        if NETLIST_BOARDS in path.parents:
            continue
        rel = path.relative_to(ROOT).as_posix()
        option = OPTION_BY_SUFFIX.get(path.suffix.lower())
        args = ["dump", "--items"] + ([option, rel] if option else [rel])
        cases.append(Case(Safe(rel), args, ROOT))
    for path in sorted((ROOT / "examples" / "demo").iterdir()):
        rel = path.relative_to(ROOT).as_posix()
        option = OPTION_BY_SUFFIX.get(path.suffix.lower())
        args = ["dump", "--items"] + ([option, rel] if option else [rel])
        cases.append(Case(Safe(rel), args, ROOT))
    return cases


# The identification's seeds are no one reader's input; their kinds are
# checked by tools/check_intake_sets.py instead.
SKIPPED_CORPORA = {"intake"}
# Nor are the netlist reader's: netlists are read by the netlist command, never dumped.
SKIPPED_CORPORA.add("ipc_netlist")


def FuzzSeedCases():
    cases = []
    corpus = ROOT / "fuzz" / "corpus"
    for folder in sorted(p for p in corpus.iterdir() if p.is_dir() and p.name not in SKIPPED_CORPORA):
        for seed in sorted(folder.iterdir()):
            rel = seed.relative_to(ROOT).as_posix()
            if folder.name == "work_file":
                def setup(where, seed=seed):
                    for name, text in WORK_FILE_SEED_FILES.items():
                        (where / name).write_bytes(text.encode("latin-1"))
                    shutil.copyfile(seed, where / (seed.name + ".wrk"))
                cases.append(Case(Safe(rel), ["dump", "--items", "./" + seed.name + ".wrk"],
                                  "seed-" + seed.name, setup))
                continue
            option = OPTION_BY_CORPUS[folder.name]
            if isinstance(option, dict):
                option = option.get(seed.suffix.lower())
            args = ["dump", "--items"] + ([option, rel] if option else [rel])
            cases.append(Case(Safe(rel), args, ROOT))
    return cases


def CopyDemo(where):
    for path in (ROOT / "examples" / "demo").iterdir():
        shutil.copyfile(path, where / path.name)


DEMO_SET = ["--aperture-file", "demo.apr", "--drill-tool-file", "demo.rck", "--drill-file",
            "demo.drl", "demo_top.ger", "demo_bottom.ger", "demo_silk.ger", "demo_mask.ger",
            "demo_outline.ger"]


def SettingsCases():
    return [
        Case("stored_defaults_demo_set", ["dump", "--items"] + ["./" + a if a.endswith(
            (".ger", ".apr", ".rck", ".drl")) else a for a in DEMO_SET], "stored-set", CopyDemo,
             STORED_DEFAULTS),
        Case("stored_defaults_demo_wrk", ["dump", "--items", "./demo.wrk"], "stored-wrk", CopyDemo,
             STORED_DEFAULTS),
        Case("save_demo_set.wrk", ["save", "-o", "out.wrk"] + DEMO_SET, "save-set", CopyDemo,
             saved="out.wrk"),
        Case("save_demo_wrk.wrk", ["save", "-o", "out.wrk", "demo.wrk"], "save-wrk", CopyDemo,
             saved="out.wrk"),
        Case("save_stored_defaults.wrk", ["save", "-o", "out.wrk"] + DEMO_SET, "save-stored",
             CopyDemo, STORED_DEFAULTS, saved="out.wrk"),
        Case("save_legacy_seed.wrk", ["save", "-o", "out.wrk", "legacy.wrk"], "save-legacy",
             LegacySetup, saved="out.wrk"),
    ]


STANDARD_DATA = "tests/data/standard/"


def StandardCases():
    """The standard reading through the program: working sets of several files,
    aperture and drill tool tables, and the demo board's work file."""
    def data(*names):
        return [STANDARD_DATA + name for name in names]
    return [
        Case("standard_demo_wrk", ["dump", "--standard", "--items", "./demo.wrk"], "standard-demo",
             CopyDemo),
        Case("standard_rs274d_with_table", ["dump", "--standard", "--items", "--aperture-file"] +
             data("g23_rs274d_aperture_table.apr", "g23_rs274d_aperture_table.gbr"), ROOT),
        Case("standard_drill_with_tools", ["dump", "--standard", "--items", "--drill-tool-file"] +
             data("e04_no_header_tool_table.rck") + ["--drill-file"] +
             data("e04_no_header_tool_table.drl"), ROOT),
        Case("standard_layers_and_drill", ["dump", "--standard", "--drill-file"] +
             data("e05_routing.drl", "g16_polarity.gbr", "g19_step_repeat.gbr",
                  "g07_macro_primitives.gbr"), ROOT),
    ]


def LegacySetup(where):
    for name, text in WORK_FILE_SEED_FILES.items():
        (where / name).write_bytes(text.encode("latin-1"))
    shutil.copyfile(ROOT / "fuzz" / "corpus" / "work_file" / "legacy", where / "legacy.wrk")


def Run(corvane, case, scratch):
    cwd = case.cwd if isinstance(case.cwd, Path) else scratch / case.cwd
    if not isinstance(case.cwd, Path):
        cwd.mkdir(parents=True, exist_ok=True)
        if case.setup:
            case.setup(cwd)
    env = dict(os.environ)
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        env.pop(name, None)
    env["LC_ALL"] = "C"
    settings = scratch / ("settings-" + case.name + ".ini")
    if case.settings is not None:
        settings.write_text(case.settings)
    env["CORVANE_SETTINGS"] = str(settings)
    run = subprocess.run([str(corvane)] + case.args, cwd=cwd, env=env, capture_output=True)
    if case.saved:
        saved = cwd / case.saved
        body = saved.read_bytes() if saved.exists() else b"(no work file written)\n"
        return body + b"== stderr ==\n" + run.stderr + b"== exit %d ==\n" % run.returncode
    return run.stdout + b"== stderr ==\n" + run.stderr + b"== exit %d ==\n" % run.returncode


def BoardChecksums(corvane, writer, scratch):
    boards = scratch / "boards"
    subprocess.run([str(writer), str(boards)], check=True)
    render = ["./render/layer%d.gbr" % i for i in range(4)]
    runs = {
        "gerber_load": ["dump", "--items", "./gerber_load.gbr"],
        "render": ["dump", "--items", "--drill-tool-file", "./render/board.rck", "--drill-file",
                   "./render/board.drl"] + render,
        "tables_reload": ["dump", "--items", "--drill-file", "./tables_reload.drl"],
        "render_saved": ["save", "-o", "./render/set.wrk", "--drill-tool-file",
                         "./render/board.rck", "--drill-file", "./render/board.drl"] + render,
    }
    env = dict(os.environ, LC_ALL="C", CORVANE_SETTINGS=str(scratch / "none.ini"))
    sums = {}
    for name, args in runs.items():
        digest = hashlib.sha256()
        with subprocess.Popen([str(corvane)] + args, cwd=boards, env=env,
                              stdout=subprocess.PIPE) as process:
            for block in iter(lambda: process.stdout.read(1 << 20), b""):
                digest.update(block)
        if process.returncode != 0:
            sys.exit("check_dumps: %s exited with %d" % (name, process.returncode))
        if name == "render_saved":
            digest = hashlib.sha256((boards / "render" / "set.wrk").read_bytes())
        sums[name] = digest.hexdigest()
    return sums


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--corvane", required=True, help="the program to check")
    parser.add_argument("--boards", help="corvane_write_boards, to check the benchmark boards too")
    parser.add_argument("--write", action="store_true", help="write the expected outputs instead")
    args = parser.parse_args()
    corvane = Path(args.corvane).resolve()

    cases = DataCases() + FuzzSeedCases() + SettingsCases() + StandardCases()
    failures = []
    with tempfile.TemporaryDirectory(prefix="corvane-dumps-") as folder:
        scratch = Path(folder)
        if args.write:
            EXPECTED.mkdir(parents=True, exist_ok=True)
        for case in cases:
            got = Run(corvane, case, scratch)
            expected_file = EXPECTED / (case.name + ".txt")
            if args.write:
                expected_file.write_bytes(got)
            elif not expected_file.exists() or expected_file.read_bytes() != got:
                failures.append(case.name)
        if args.boards:
            sums = BoardChecksums(corvane, Path(args.boards).resolve(), scratch)
            text = "".join("%s %s\n" % (name, sums[name]) for name in sorted(sums))
            if args.write:
                BOARDS_FILE.write_text(text)
            elif not BOARDS_FILE.exists() or BOARDS_FILE.read_text() != text:
                failures.append("boards: " + " ".join("%s=%s" % kv for kv in sorted(sums.items())))

    checked = len(cases) + (4 if args.boards else 0)
    if args.write:
        print("check_dumps: wrote %d expected outputs" % checked)
        return 0
    for name in failures:
        print("check_dumps: differs: " + name)
    print("check_dumps: %d checked, %d differ" % (checked, len(failures)))
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())

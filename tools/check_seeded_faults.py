#!/usr/bin/env python3
"""Seeds one fault at a time into a copy of the example fabrication set and
checks that `corvane check` reports it once, where it is, by the rule it
breaks, and that nothing else it reports changes.

  tools/check_seeded_faults.py --corvane build/src/qt/corvane
"""

import argparse
import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FAB = ROOT / "examples" / "fab"


def c(v):
    return "%d" % round(v * 1e6)


def xy(x, y):
    return "X%sY%s" % (c(x), c(y))


# Each fault: its name, what it adds to which file (Gerber lines before M02,
# or drill hits of a new tool before M30), the rule, where (mm) and the
# value measured (mm). The places are empty on the example board.
FAULTS = [
    ("a 0.08 mm track", {"board-F_Cu.gbr": ["%ADD60C,0.080*%", "D60*", xy(21, 26) + "D02*",
                                            xy(22, 26) + "D01*"]},
     "width", (21.5, 26.0), 0.08),
    ("two pads 0.08 mm apart", {"board-F_Cu.gbr": ["%ADD61C,0.600*%", "D61*", xy(24, 26) + "D03*",
                                                   xy(24.68, 26) + "D03*"]},
     "clearance", (24.34, 26.0), 0.08),
    ("a via leaving a 0.05 mm ring", {"board-F_Cu.gbr": ["%ADD62C,0.600*%", "D62*",
                                                         xy(21, 29) + "D03*"],
                                      "board-PTH.drl": ["T3C0.450", "X21.025Y29.000"]},
     "annular-ring", (21.275, 29.0), 0.05),
    ("a hole breaking out of its pad", {"board-F_Cu.gbr": ["%ADD63C,0.600*%", "D63*",
                                                           xy(23, 29) + "D03*"],
                                        "board-PTH.drl": ["T4C0.400", "X23.250Y29.000"]},
     "annular-ring", (23.347, 29.0), 0.0),
    ("a mask web of 0.05 mm", {"board-F_Mask.gbr": ["%ADD64C,0.600*%", "D64*", xy(26, 29) + "D03*",
                                                    xy(26.65, 29) + "D03*"]},
     "mask-web", (26.325, 29.0), 0.05),
    ("silkscreen over a pad", {"board-F_SilkS.gbr": [xy(29, 24) + "D02*", xy(31, 24) + "D01*"]},
     "silk-on-pad", (30.0, 24.0), 0.0),
]


def seed(folder, additions):
    for name, lines in additions.items():
        path = folder / name
        text = path.read_text()
        end = "M30" if name.endswith(".drl") else "M02*"
        # A drill tool defined after the header is selected where it is defined.
        head, _, tail = text.rpartition(end)
        path.write_text(head + "\n".join(lines) + "\n" + end + tail)


def run(corvane, folder, rules):
    done = subprocess.run([corvane, "check", "--defaults", "--json", "--rules", str(rules),
                           str(folder)], capture_output=True, text=True)
    if done.returncode not in (0, 1):
        raise SystemExit("check_seeded_faults: exit %d: %s" % (done.returncode, done.stderr))
    return json.loads(done.stdout)["findings"]


def key(finding):
    return (finding["rule"], Path(finding["layer"]).name, round(finding["at_mm"][0], 3),
            round(finding["at_mm"][1], 3))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--corvane", required=True)
    args = parser.parse_args()
    problems = []
    with tempfile.TemporaryDirectory() as temp:
        rules = Path(temp) / "rules.ini"
        rules.write_text("# the shop's usual values\n")
        clean = Path(temp) / "clean"
        shutil.copytree(FAB, clean)
        baseline = {key(f) for f in run(args.corvane, clean, rules)}
        for name, additions, rule, (x, y), measured in FAULTS:
            folder = Path(temp) / name.replace(" ", "_")
            shutil.copytree(FAB, folder)
            seed(folder, additions)
            found = run(args.corvane, folder, rules)
            keys = {key(f) for f in found}
            new = [f for f in found if key(f) not in baseline]
            if not baseline <= keys:
                problems.append("%s: findings of the clean board changed: %s" %
                                (name, sorted(baseline - keys)))
            if len(new) != 1:
                problems.append("%s: %d new findings: %s" % (name, len(new), [key(f) for f in new]))
                continue
            f = new[0]
            if f["rule"] != rule or abs(f["at_mm"][0] - x) > 0.05 or abs(f["at_mm"][1] - y) > 0.05 \
                    or abs(f["measured_mm"] - measured) > 0.005:
                problems.append("%s: found %s at %s measured %s" %
                                (name, f["rule"], f["at_mm"], f["measured_mm"]))
    for problem in problems:
        print("check_seeded_faults: " + problem)
    print("check_seeded_faults: %d faults seeded, %d clean findings, %d problems" %
          (len(FAULTS), len(baseline), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

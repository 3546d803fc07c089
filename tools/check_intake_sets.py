#!/usr/bin/env python3
"""Checks that `corvane layers --json` names every file of the generated
test sets right: each naming style of tools/make_fab_set.py, the board as a
folder, a zip, a tar.gz and through its job file.

  tools/check_intake_sets.py --corvane BUILD/src/qt/corvane
"""

import argparse
import json
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tools"))
import make_fab_set  # noqa: E402


def layers(corvane, cwd, *paths):
    run = subprocess.run([str(corvane), "layers", "--json", *paths], cwd=cwd, capture_output=True,
                         text=True)
    if run.returncode != 0:
        sys.exit("check_intake_sets: layers %s exited with %d: %s" % (paths, run.returncode, run.stderr))
    return json.loads(run.stdout)


def compare(got, want, where, failures):
    by_name = {Path(entry["path"]).name: entry for entry in got}
    checked = 0
    for name, expect in want.items():
        entry = by_name.get(name)
        if entry is None:
            failures.append("%s: %s not listed" % (where, name))
            continue
        fields = {k: entry.get(k) for k in expect}
        if fields != expect:
            failures.append("%s: %s is %s, not %s" % (where, name, fields, expect))
        checked += 1
    return checked


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--corvane", required=True)
    corvane = Path(parser.parse_args().corvane).resolve()
    failures = []
    checked = 0
    with tempfile.TemporaryDirectory(prefix="corvane-intake-") as folder:
        scratch = Path(folder)
        make_fab_set.write_styles(scratch / "styles")
        for style in sorted((scratch / "styles").iterdir()):
            want = json.loads((style / "expected.json").read_text())
            checked += compare(layers(corvane, scratch, "styles/" + style.name), want, style.name,
                               failures)
        files = make_fab_set.board_files()
        make_fab_set.write(scratch / "fab", files)
        make_fab_set.archive(files, scratch / "fab.zip")
        make_fab_set.archive(files, scratch / "fab.tar.gz")
        want = {}
        for key, *_, expect in make_fab_set.LAYERS:
            want["board-%s.gbr" % key] = make_fab_set.expected(expect, "attributes")
        for key, _, expect in make_fab_set.DRILLS:
            want["board-%s.drl" % key] = make_fab_set.expected(expect, "attributes")
        for paths in (["fab"], ["fab.zip"], ["fab.tar.gz"], ["fab/board-job.gbrjob"]):
            checked += compare(layers(corvane, scratch, *paths), want, " ".join(paths), failures)
    for failure in failures:
        print("check_intake_sets: " + failure)
    print("check_intake_sets: %d files checked, %d wrong" % (checked, len(failures)))
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())

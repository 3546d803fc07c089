"""End-to-end: compare mode. A folder is open; Workspace > Compare With...
takes an archive of the next revision, in which a pad was added and the
bottom copper is gone: the status bar says how many differences there are,
the Differences panel lists them, F8 steps to one, and Leave Compare Mode
hides the panel again.

    run_e2e.sh CORVANE_BINARY compare_e2e.py [SCREENSHOT_DIR]
"""

import os
import sys
import time
import zipfile

import pyatspi

from corvane_e2e import Corvane, E2EFailure, find, run, wait_for

SHOTS = sys.argv[1] if len(sys.argv) > 1 else None
WORK = os.environ["CORVANE_E2E_WORK"]


def copper(function, pads):
    text = "%TF.FileFunction," + function + "*%\n%FSLAX46Y46*%\n%MOMM*%\n%ADD10C,1.5*%\nD10*\n"
    for x, y in pads:
        text += "X%dY%dD03*\n" % (x * 1000000, y * 1000000)
    return text + "M02*\n"


def write_revisions():
    old = os.path.join(WORK, "rev1")
    os.makedirs(old, exist_ok=True)
    with open(os.path.join(old, "board-F_Cu.gbr"), "w") as out:
        out.write(copper("Copper,L1,Top", [(5, 5), (15, 5)]))
    with open(os.path.join(old, "board-B_Cu.gbr"), "w") as out:
        out.write(copper("Copper,L2,Bot", [(5, 5)]))
    new = os.path.join(WORK, "rev2.zip")
    with zipfile.ZipFile(new, "w") as archive:
        archive.writestr("board-F_Cu.gbr", copper("Copper,L1,Top", [(5, 5), (15, 5), (25, 5)]))
    return old, new


def expect(condition, message):
    if not condition:
        raise E2EFailure(message)


def lines(panel):
    found = []

    def walk(node, depth):
        if depth > 12 or node is None:
            return
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            if child.name == "added" and child.getRole() != pyatspi.ROLE_COLUMN_HEADER:
                found.append(child)
            walk(child, depth + 1)

    walk(panel, 0)
    return found


def test_compare_with_an_archive():
    old, new = write_revisions()
    app = Corvane(old)
    try:
        wait_for("the Layers panel", lambda: find(app.frame, lambda a: a.name == "Layers"))
        app.choose("Workspace", "Compare With...")
        app.choose_file("Compare With", new)
        app.wait_status("1 difference on 1 layer, 1 layer unmatched")
        panel = wait_for("the Differences panel", lambda: find(
            app.frame, lambda a: a.name == "Differences" and app.is_showing(a)))
        wait_for("the added pad listed", lambda: len(lines(panel)) == 1)
        expect(app.is_enabled(app.menu_item("Tools", "Next Difference")), "Next is enabled")
        app.choose("Tools", "Next Difference")
        time.sleep(0.5)
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
            app.screenshot(os.path.join(SHOTS, "compare_mode.png"))
        app.choose("Workspace", "Leave Compare Mode")
        wait_for("the Differences panel hidden", lambda: find(
            app.frame, lambda a: a.name == "Differences" and app.is_showing(a)) is None)
        expect(not app.is_enabled(app.menu_item("Workspace", "Leave Compare Mode")),
               "Leave Compare Mode is disabled again")
    finally:
        app.quit()


if __name__ == "__main__":
    run(test_compare_with_an_archive)

"""End-to-end: `corvane FOLDER` with the fabrication files of a current
two-layer board opens in one step: the Layers panel lists every file, the
standard reading is checked, no message box asks anything; a layer is hidden
with its check box.

    run_e2e.sh CORVANE_BINARY intake_e2e.py TOOLS_DIR [SCREENSHOT_DIR]
"""

import os
import sys

import pyatspi

from corvane_e2e import Corvane, E2EFailure, find, run, wait_for

TOOLS = sys.argv[1]
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None
WORK = os.environ["CORVANE_E2E_WORK"]
sys.path.insert(0, TOOLS)
import make_fab_set  # noqa: E402

FILES = sorted(make_fab_set.board_files())
LISTED = [name for name in FILES if not name.endswith(".gbrjob")]


def expect(condition, message):
    if not condition:
        raise E2EFailure(message)


def cells(panel):
    """The panel's rows: each file's name cell."""
    found = []

    def walk(node, depth):
        if depth > 12 or node is None:
            return
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            if child.name in LISTED and child.getRole() != pyatspi.ROLE_COLUMN_HEADER:
                found.append(child)
            walk(child, depth + 1)

    walk(panel, 0)
    return found


def checked(accessible):
    return accessible.getState().contains(pyatspi.STATE_CHECKED)


def click_check_box(app, cell):
    """A click on the check box at the start of the row's name cell (the
    cell's own "toggle" action selects the row, it does not check it)."""
    extents = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    app.click_at(extents.x + 4 + extents.height // 2 - 2, extents.y + extents.height // 2)


def test_a_folder_opens_in_one_step():
    folder = os.path.join(WORK, "fab")
    make_fab_set.write(make_fab_set.Path(folder), make_fab_set.board_files())
    app = Corvane(folder)
    try:
        panel = wait_for("the Layers panel", lambda: find(app.frame, lambda a: a.name == "Layers"))
        rows = wait_for("every file in the panel",
                        lambda: len({c.name for c in cells(panel)}) == len(LISTED) and cells(panel))
        expect(sorted({c.name for c in rows}) == sorted(LISTED), "listed: %r" % [c.name for c in rows])
        expect(app.is_checked("Options", "Standard Interpretation"), "the standard reading is checked")
        alert = find(app.app, lambda a: a.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG), 2)
        expect(alert is None, "no message box: %r" % (alert.name if alert else None))
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
            app.screenshot(os.path.join(SHOTS, "intake_folder.png"))

        top = next(c for c in rows if c.name == "board-F_Cu.gbr")
        expect(checked(top), "the top copper is shown")
        click_check_box(app, top)
        wait_for("the top copper hidden", lambda: any(
            c.name == "board-F_Cu.gbr" and not checked(c) for c in cells(panel)))
        others = [c for c in cells(panel) if c.name != "board-F_Cu.gbr"]
        expect(all(checked(c) for c in others), "the other layers stay shown: %r" % [
            (c.name, checked(c)) for c in others])
        if SHOTS:
            app.screenshot(os.path.join(SHOTS, "intake_top_hidden.png"))
    finally:
        app.quit()


if __name__ == "__main__":
    run(test_a_folder_opens_in_one_step)

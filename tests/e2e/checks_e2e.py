"""End-to-end: the example fabrication set opened as a folder, Tools >
Fabrication Checks... at the usual values finds the four mounting holes in
the bottom pour: the status bar counts them, the Findings panel lists them,
and choosing one zooms in on it.

    run_e2e.sh CORVANE_BINARY checks_e2e.py FAB_FOLDER [SCREENSHOT_DIR]
"""

import sys

import pyatspi

from corvane_e2e import Corvane, E2EFailure, find, run, wait_for

FOLDER = sys.argv[1]
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None


def expect(condition, message):
    if not condition:
        raise E2EFailure(message)


def finding_lines(panel):
    found = []

    def walk(node, depth):
        if depth > 12 or node is None:
            return
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            if child.name.startswith("drill-to-copper") and \
                    child.getRole() != pyatspi.ROLE_COLUMN_HEADER:
                found.append(child)
            walk(child, depth + 1)

    walk(panel, 0)
    return found


def test_the_checks_list_and_mark_what_they_find():
    app = Corvane(FOLDER)
    try:
        wait_for("the standard reading", lambda: app.is_checked("Options", "Standard Interpretation"))
        app.choose("Tools", "Fabrication Checks...")
        dialog = app.dialog("Fabrication Checks")
        expect(find(dialog, lambda a: a.name == "Minimum width (mm)") is not None,
               "the width edit is named")
        app.click(app.button(dialog, "OK"))
        app.wait_status("4 findings: drill-to-copper 4")
        panel = wait_for("the Findings panel", lambda: find(app.frame, lambda a: a.name == "Findings"))
        lines = wait_for("four lines", lambda: len(finding_lines(panel)) == 4 and finding_lines(panel))
        if SHOTS:
            app.screenshot(SHOTS + "/checks_findings.png")
        app.click(lines[0])
        if SHOTS:
            app.screenshot(SHOTS + "/checks_zoomed.png")
    finally:
        app.quit()


if __name__ == "__main__":
    run(test_the_checks_list_and_mark_what_they_find)

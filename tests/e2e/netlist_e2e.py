"""End-to-end: Tools > Check Netlist... on a board whose two nets a sliver
bridges: the Netlist dock lists the one short naming both nets, and choosing
its line marks it.

    run_e2e.sh CORVANE_BINARY netlist_e2e.py BOARD_FOLDER [SCREENSHOT_DIR]
"""

import os
import sys

import pyatspi

from corvane_e2e import Corvane, E2EFailure, find, run, wait_for

BOARD = sys.argv[1]
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None


def expect(condition, message):
    if not condition:
        raise E2EFailure(message)


def texts_under(node, depth=0):
    found = []
    if node is None or depth > 12:
        return found
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        if child.name:
            found.append(child)
        found += texts_under(child, depth + 1)
    return found


def test_a_short_is_listed_and_chosen():
    app = Corvane(BOARD)
    try:
        wait_for("the standard reading", lambda: app.is_checked("Options", "Standard Interpretation"))
        app.choose("Tools", "Check Netlist...")
        panel = wait_for("the Netlist dock", lambda: find(
            app.frame, lambda a: a.name == "Netlist" and a.childCount > 0))
        lines = find(panel, lambda a: a.name == "Netlist list")
        cell = wait_for("the short's line", lambda: next(
            (c for c in texts_under(lines) if c.name == "short"), None))
        names = [c.name for c in texts_under(lines) if c.getRoleName() == "table cell"]
        expect(names == ["short", "A + B", "5.000, 4.963", "2 nets joined"], "the line: %r" % names)
        app.click(cell)
        wait_for("the line chosen", lambda: cell.getState().contains(pyatspi.STATE_SELECTED))
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
            app.screenshot(os.path.join(SHOTS, "netlist_short.png"))
    finally:
        app.quit()


run(test_a_short_is_listed_and_chosen)

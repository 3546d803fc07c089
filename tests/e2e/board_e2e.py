"""End-to-end: the example fab set opened, View > Board Top and Board Bottom
show the board as made (each checked in turn, nothing said of a missing
layer), Board Mask Colour steps the mask on and says so, and Plot Layers
goes back.

    run_e2e.sh CORVANE_BINARY board_e2e.py FAB_FOLDER [SCREENSHOT_DIR]
"""

import os
import sys

from corvane_e2e import Corvane, E2EFailure, run, wait_for

FOLDER = sys.argv[1]
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None


def expect(condition, message):
    if not condition:
        raise E2EFailure(message)


def shot(app, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        app.screenshot(os.path.join(SHOTS, name))


def test_the_board_from_both_sides():
    app = Corvane(FOLDER)
    try:
        wait_for("Board Top enabled", lambda: app.is_enabled(app.menu_item("View", "Board Top")))
        for side in ("Board Top", "Board Bottom"):
            app.choose("View", side)
            wait_for(side + " checked", lambda: app.is_checked("View", side))
            expect(not app.is_checked("View", "Plot Layers"), "Plot Layers unchecked with " + side)
            expect("soldermask" not in app.status_text(), "status: %r" % app.status_text())
            shot(app, side.replace(" ", "_").lower() + ".png")
        app.choose("View", "Board Mask Colour")
        app.wait_status("Mask: red, finish: gold, silkscreen: white")
        shot(app, "board_bottom_red.png")
        app.choose("View", "Plot Layers")
        wait_for("Plot Layers checked", lambda: app.is_checked("View", "Plot Layers"))
    finally:
        app.quit()


if __name__ == "__main__":
    run(test_the_board_from_both_sides)

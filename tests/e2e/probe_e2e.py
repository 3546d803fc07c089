"""End-to-end: the Inspector on a small board of today's Gerber files. The
pointer rests on a pad and the Inspector shows its net and pin; two pads are
measured with snapping to their centres; a net is found by typing its name.

    run_e2e.sh CORVANE_BINARY probe_e2e.py BOARD_DIR [SCREENSHOT_DIR]
"""

import os
import re
import sys
import time

import pyatspi

from corvane_e2e import Corvane, E2EFailure, find, run, states, wait_for

BOARD = sys.argv[1]
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None
FILES = [os.path.join(BOARD, name) for name in ("top.gbr", "bottom.gbr", "drill.drl")]
POSITION = re.compile(r"X (-?\d+\.\d{4})  Y (-?\d+\.\d{4})$")
MM_PER_INCH = 25.4


def expect(condition, message):
    if not condition:
        raise E2EFailure(message)


def shot(app, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        app.screenshot(os.path.join(SHOTS, name + ".png"))


def read_position(app, x, y):
    """The plot point (inches) the pane shows with the pointer on client pixel (x, y)."""
    app.move_to_view(x, y)

    def settled():
        first = POSITION.match(app.position_text() or "")
        time.sleep(0.1)
        again = POSITION.match(app.position_text() or "")
        return first and again and first.group(0) == again.group(0) and again
    match = wait_for("a position at (%d, %d)" % (x, y), settled)
    return float(match.group(1)), float(match.group(2))


class BoardPixels:
    """Board millimetres to the view's client pixels, read from the position pane."""

    def __init__(self, app):
        # Close together: the panels beside the view leave it narrow.
        x0, y0 = read_position(app, 40, 40)
        x1, y1 = read_position(app, 140, 140)
        self.sx = 100 / (x1 - x0)
        self.sy = 100 / (y1 - y0)
        self.x0, self.y0 = x0, y0

    def __call__(self, x_mm, y_mm):
        return (40 + (x_mm / MM_PER_INCH - self.x0) * self.sx,
                40 + (y_mm / MM_PER_INCH - self.y0) * self.sy)


def inspector_text(app):
    text = find(app.frame, lambda a: a.name == "Inspector text")
    if text is None:
        raise E2EFailure("no 'Inspector text' in the Inspector panel")
    return text.queryText().getText(0, -1)


def start():
    app = Corvane(*FILES)
    if not app.is_checked("Options", "Standard Interpretation"):
        app.choose("Options", "Standard Interpretation")
    expect(find(app.frame, lambda a: a.name == "Inspector") is not None, "no Inspector panel")
    # The panel shows when asked for.
    if not app.is_checked("View", "Inspector"):
        app.choose("View", "Inspector")
    wait_for("the Inspector's text", lambda: find(app.frame, lambda a: a.name == "Inspector text"
                                                  and app.is_showing(a)))
    return app


def test_hovering_a_pad_shows_its_net_and_pin():
    app = start()
    try:
        pixels = BoardPixels(app)
        app.move_to_view(*pixels(13.2, 10.1))
        wait_for("the pad's net and pin in the Inspector (now %r)" % inspector_text(app),
                 lambda: "Net: VCC" in inspector_text(app)
                 and "Pin: R1,2,Anode" in inspector_text(app))
        expect("Component: R1" in inspector_text(app), "no component: " + inspector_text(app))
        shot(app, "probe_hover")
    finally:
        app.quit()


def test_measuring_two_pads_snaps_to_their_centres():
    app = start()
    try:
        pixels = BoardPixels(app)
        app.choose("Tools", "Measure")
        app.move_to_view(*pixels(10.2, 9.9))
        app.wait_status("Select first measurement point.")
        app.click_view(*pixels(10.2, 9.9))
        app.wait_status("Select second measurement point.")
        app.click_view(*pixels(12.8, 10.1))
        app.wait_status("Centre to centre 3.000 mm (X 3.000, Y 0.000), clearance 1.500 mm")
        shot(app, "probe_measure")
    finally:
        app.quit()


def test_finding_a_net_by_its_name():
    app = start()
    try:
        field = find(app.frame, lambda a: a.getRole() == pyatspi.ROLE_TEXT
                     and a.name == "Find net or component")
        expect(field is not None, "no field 'Find net or component'")
        app.choose("View", "Find Net or Component...")
        wait_for("the Find field to take the keyboard",
                 lambda: states(field).contains(pyatspi.STATE_FOCUSED))
        app.set_text(field, "vcc")
        pyatspi.Registry.generateKeyboardEvent(0xff0d, None, pyatspi.KEY_SYM)  # Return
        app.wait_status("Net vcc: 7 objects on 3 layers.")
        shot(app, "probe_find")
    finally:
        app.quit()


run(test_hovering_a_pad_shows_its_net_and_pin, test_measuring_two_pads_snaps_to_their_centres,
    test_finding_a_net_by_its_name)

"""End-to-end: the view's pointer tools, the View menu's check marks, the
Offset Layer and Set Layer Visibility dialogs, the toolbar's names, and the
wheel, the middle button and the pointer position pane, on the demo board.

    run_e2e.sh CORVANE_BINARY view_tools_e2e.py DEMO.wrk [SCREENSHOT_DIR]
"""

import math
import os
import re
import sys
import time

import pyatspi

from corvane_e2e import Corvane, E2EFailure, find, run, wait_for

DEMO = sys.argv[1]
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None

MEASUREMENT = re.compile(r"X = (\d+\.\d{4}), Y = (\d+\.\d{4}), Diag = (\d+\.\d{4})$")
POSITION = re.compile(r"X (-?\d+\.\d{4})  Y (-?\d+\.\d{4})$")
# Pin 1 of U1 on the demo board, a square pad (tools/make_demo.py).
PIN1 = (0.75, 0.55)


def shot(app, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        app.screenshot(os.path.join(SHOTS, name + ".png"))


def expect(condition, message):
    if not condition:
        raise E2EFailure(message)


def test_measure_reports_in_the_status_bar():
    app = Corvane(DEMO)
    try:
        app.choose("Tools", "Measure")
        # On the way to the view the pointer may pass over toolbar buttons,
        # whose prompts show meanwhile; the tool's prompt comes back.
        app.move_to_view(50, 50)
        app.wait_status("Select first measurement point.")
        app.click_view(100, 150)
        app.wait_status("Select second measurement point.")
        app.click_view(400, 550)
        text = wait_for("a measurement", lambda: MEASUREMENT.match(app.status_text()))
        dx, dy, diagonal = (float(v) for v in text.groups())
        # 300 pixels across and 400 down, whatever the scale.
        expect(dx > 0 and abs(dy / dx - 4 / 3) < 0.01, "X and Y out of proportion: " + text.group(0))
        expect(abs(math.hypot(dx, dy) - diagonal) < 0.0002, "diagonal wrong: " + text.group(0))
        shot(app, "measure")
    finally:
        app.quit()


def test_mirror_x_changes_its_check_mark():
    app = Corvane(DEMO)
    try:
        expect(app.is_checked("View", "Mirror X"), "the demo opens mirrored on X")
        expect(not app.is_checked("View", "Mirror Y"), "the demo opens unmirrored on Y")
        shot(app, "mirror_before")
        app.choose("View", "Mirror X")
        wait_for("Mirror X unchecked", lambda: not app.is_checked("View", "Mirror X"))
        expect(app.frame.name == "demo.wrk* - Corvane" or "demo.wrk" in app.frame.name,
               "caption: " + app.frame.name)
        shot(app, "mirror_after")
        app.choose("View", "Mirror X")
        wait_for("Mirror X checked again", lambda: app.is_checked("View", "Mirror X"))
    finally:
        app.quit()


def test_zoom_drag_and_offset_layer():
    app = Corvane(DEMO)
    try:
        shot(app, "zoom_before")
        app.drag_view((150, 120), (450, 380))
        shot(app, "zoom_after")
        app.choose("Zoom", "Extents")
        app.choose("Files", "Offset Layer")
        dialog = app.dialog("Offset Layer")
        lines = find(dialog, lambda a: a.getRole() == pyatspi.ROLE_LIST)
        names = [lines.getChildAtIndex(i).name for i in range(lines.childCount)]
        expect(len(names) == 6 and names[-1] == "NC Drill file", "lines: %r" % names)
        expect(names[2].endswith("demo_top.ger"), "third line: %r" % names[2])
        app.click(lines.getChildAtIndex(2))
        wait_for("the line selected", lambda: lines.getChildAtIndex(2).getState().contains(
            pyatspi.STATE_SELECTED))
        app.click(app.button(dialog, "OK"))
        app.move_to_view(50, 50)
        app.wait_status("Select first offset point.")
        app.click_view(300, 300)
        app.wait_status("Select second offset point.")
        app.click_view(340, 280)
        app.wait_status("")
        shot(app, "offset_after")
    finally:
        app.quit()


def test_visibility_dialog_hides_a_layer_at_once():
    app = Corvane(DEMO)
    try:
        app.choose("Files", "Set Visibility")
        dialog = app.dialog("Set Layer Visibility")
        lines = find(dialog, lambda a: a.getRole() == pyatspi.ROLE_LIST)
        expect(lines.childCount == 5, "layers listed: %d" % lines.childCount)
        first = lines.getChildAtIndex(0)
        expect(first.getState().contains(pyatspi.STATE_SELECTED), "visible layers start selected")
        for text in ("Select All", "Deselect All", "Help", "Show drill holes",
                     "Automatically apply changes", "OK", "Cancel"):
            app.button(dialog, text)
        app.click(first)  # a click toggles the line; auto-apply hides the layer
        wait_for("the line deselected", lambda: not first.getState().contains(
            pyatspi.STATE_SELECTED))
        shot(app, "visibility_open")
        app.click(app.button(dialog, "Cancel"))
        wait_for("the dialog closed", lambda: find(
            app.app, lambda a: a.getRole() == pyatspi.ROLE_DIALOG, 1) is None)
    finally:
        app.quit()


def read_position(app, x, y):
    """The plot point the pane shows with the pointer on client pixel (x, y)."""
    app.move_to_view(x, y)

    def settled():
        # The same reading twice, so the pane has caught up with the pointer.
        first = POSITION.match(app.position_text() or "")
        time.sleep(0.1)
        again = POSITION.match(app.position_text() or "")
        return first and again and first.group(0) == again.group(0) and again
    match = wait_for("a position at (%d, %d)" % (x, y), settled)
    return float(match.group(1)), float(match.group(2))


def pixels_per_unit(app, near, span=200):
    """The screen's scale on each axis, read from the pane `span` pixels apart
    (negative on y while +y points up)."""
    x0, y0 = read_position(app, *near)
    x1, y1 = read_position(app, near[0] + span, near[1] + span)
    return span / (x1 - x0), span / (y1 - y0)


def expect_near(point, expected, pixels, what):
    expect(abs(point[0] - expected[0]) <= pixels[0] and abs(point[1] - expected[1]) <= pixels[1],
           "%s: read %r, expected %r" % (what, point, expected))


def test_wheel_zoom_pan_and_the_position_pane():
    app = Corvane(DEMO)
    try:
        # The whole window for the view: the pad must lie where the reckoning puts it.
        app.choose("View", "Layers")
        wait_for("the Layers panel to close", lambda: not app.is_checked("View", "Layers"))
        app.choose("Zoom", "Extents")
        sx, sy = pixels_per_unit(app, (100, 100))
        x0, y0 = read_position(app, 100, 100)
        px, py = round(100 + (PIN1[0] - x0) * sx), round(100 + (PIN1[1] - y0) * sy)
        sx, sy = abs(sx), abs(sy)
        # Within two pixels of the pad's centre, whatever the truncation.
        expect_near(read_position(app, px, py), PIN1, (2 / sx, 2 / sy), "pin 1 before zooming")
        shot(app, "wheel_before")
        app.wheel_view(px, py, 3)

        def zoomed():
            factor = abs(pixels_per_unit(app, (px - 200, py - 200))[0]) / sx
            return factor if factor > 1.2 else None
        factor = wait_for("the wheel to zoom", zoomed)
        expect(abs(factor - 1.331) < 0.04, "three notches zoomed %.3f times" % factor)
        # The pad stayed under the pointer.
        expect_near(read_position(app, px, py), PIN1, (3 / sx, 3 / sy), "pin 1 after zooming")
        shot(app, "wheel_zoomed")
        app.drag_view((px, py), (px + 120, py + 80), button=2)
        expect_near(read_position(app, px + 120, py + 80), PIN1, (3 / sx, 3 / sy),
                    "pin 1 dragged along")
        shot(app, "middle_dragged")
        app.move_to_view(-20, -20)  # onto the toolbar
        wait_for("the pane to empty", lambda: app.position_text() == "")
    finally:
        app.quit()


def test_every_button_and_menu_item_has_a_name():
    app = Corvane(DEMO)
    try:
        buttons = [b for b in app.toolbar_buttons()
                   if b.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX,
                                      pyatspi.ROLE_TOGGLE_BUTTON)
                   and b.getState().contains(pyatspi.STATE_SHOWING)]
        expect(len(buttons) == 16, "toolbar buttons: %d" % len(buttons))
        for button in buttons:
            expect(button.name and "\t" not in button.name, "button name %r" % button.name)
        expect("Zoom Tool" in [b.name for b in buttons], "no Zoom Tool button")
        bar = find(app.frame, lambda a: a.getRole() == pyatspi.ROLE_MENU_BAR)
        unnamed = []
        count = 0
        for m in range(bar.childCount):
            menu = bar.getChildAtIndex(m).getChildAtIndex(0)
            for i in range(menu.childCount):
                item = menu.getChildAtIndex(i)
                if item.getRole() == pyatspi.ROLE_SEPARATOR:
                    continue
                count += 1
                if not item.name:
                    unnamed.append(i)
        expect(count >= 35 and not unnamed, "menu items %d, unnamed %r" % (count, unnamed))
    finally:
        app.quit()


run(test_measure_reports_in_the_status_bar, test_mirror_x_changes_its_check_mark,
    test_zoom_drag_and_offset_layer, test_visibility_dialog_hides_a_layer_at_once,
    test_wheel_zoom_pan_and_the_position_pane, test_every_button_and_menu_item_has_a_name)

"""End-to-end: the Gerber File Format dialog changes the number format of an
RS-274-D plot, which carries none of its own, and the picture is read again;
the choice becomes the default of the next new document.

    run_e2e.sh CORVANE_BINARY format_dialogs_e2e.py DATA_DIR [SCREENSHOT_DIR]

DATA_DIR is tests/data/formats.
"""

import os
import subprocess
import sys

import pyatspi

from corvane_e2e import Corvane, E2EFailure, find, run, wait_for

DATA = os.path.abspath(sys.argv[1])
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None
WORK = os.environ["CORVANE_E2E_WORK"]


def shot(app, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        app.screenshot(os.path.join(SHOTS, name + ".png"))


def expect(condition, message):
    if not condition:
        raise E2EFailure(message)


def square_work_file():
    """A work file with the one-inch square and the aperture table its D10 needs."""
    path = os.path.join(WORK, "square.wrk")
    lines = ["LayerInfo=0,0,255,0,0,0,0," + os.path.join(DATA, "square_d.gbr"),
             "ApertureFile=" + os.path.join(DATA, "notes.apr")]
    with open(path, "w", newline="") as out:
        out.write("".join(line + "\r\n" for line in lines))
    return path


def view_pixels(app):
    """The view's pixels as raw RGB bytes, read off the screen."""
    extents = app.view.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    geometry = "%dx%d+%d+%d" % (extents.width, extents.height, extents.x, extents.y)
    grab = subprocess.run(["import", "-window", "root", "-crop", geometry, "+repage", "rgb:-"],
                          check=True, capture_output=True)
    return grab.stdout


def painted(app):
    """The view's pixels once something other than the background shows."""
    pixels = view_pixels(app)
    return pixels if len(set(pixels)) > 1 else None


def list_lines(dialog, name):
    lines = find(dialog, lambda a: a.getRole() == pyatspi.ROLE_LIST and a.name == name)
    expect(lines is not None, "no list %r" % name)
    return lines, [lines.getChildAtIndex(i) for i in range(lines.childCount)]


def closed(app):
    return find(app.app, lambda a: a.getRole() == pyatspi.ROLE_DIALOG, 1) is None


def test_a_new_number_format_reloads_the_picture():
    app = Corvane(square_work_file())
    try:
        before = wait_for("the square painted", lambda: painted(app))
        app.choose("Options", "Gerber File Format")
        dialog = app.dialog("Gerber File Format")
        for text in ("Leading zero", "Trailing zero", "Defaults", "Help", "OK", "Cancel"):
            app.button(dialog, text)
        for text in ("File Multiplier", "Horizontal Offset", "Vertical Offset", "File Extension"):
            expect(find(dialog, lambda a, t=text: a.getRole() == pyatspi.ROLE_TEXT
                        and a.name == t) is not None, "no field %r" % text)
        _, items = list_lines(dialog, "Number Format")
        expect([i.name for i in items] == ["2  3", "2  4", "2  5"],
               "formats: %r" % [i.name for i in items])
        expect(items[1].getState().contains(pyatspi.STATE_SELECTED), "2  4 is not selected")
        app.click(items[0])
        wait_for("2  3 selected", lambda: items[0].getState().contains(pyatspi.STATE_SELECTED))
        shot(app, "gerber_format")
        app.click(app.button(dialog, "OK"))
        wait_for("the dialog closed", lambda: closed(app))
        wait_for("the picture read again", lambda: view_pixels(app) != before)
        shot(app, "gerber_format_applied")
        settings = open(os.environ["CORVANE_SETTINGS"]).read()
        expect("GerberNumberFormat" in settings and "2,3" in settings,
               "not stored: " + settings)

        # The dialog opens with what it stored.
        app.choose("Options", "Gerber File Format")
        dialog = app.dialog("Gerber File Format")
        _, items = list_lines(dialog, "Number Format")
        expect(items[0].getState().contains(pyatspi.STATE_SELECTED), "2  3 not selected again")
        app.click(app.button(dialog, "Cancel"))
        wait_for("the dialog closed", lambda: closed(app))
    finally:
        app.quit()


run(test_a_new_number_format_reloads_the_picture)

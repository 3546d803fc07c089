"""End-to-end: a working set built from nothing in the Gerber Files dialog,
with a colour, mirroring and an offset, saved as a work file; then the
Aperture List and Drill Tool List of the demo board.

    run_e2e.sh CORVANE_BINARY gerber_files_e2e.py DATA_DIR DEMO.wrk [SCREENSHOT_DIR]
"""

import os
import sys

import pyatspi

from corvane_e2e import Corvane, E2EFailure, find, run, wait_for

DATA = sys.argv[1]
DEMO = sys.argv[2]
SHOTS = sys.argv[3] if len(sys.argv) > 3 else None
WORK = os.environ["CORVANE_E2E_WORK"]

FIRST = os.path.join(DATA, "gerber", "worked_example.gbr")
SECOND = os.path.join(DATA, "tables", "draw.gbr")


def shot(app, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        app.screenshot(os.path.join(SHOTS, name + ".png"))


def expect(condition, message):
    if not condition:
        raise E2EFailure(message)


def list_items(root):
    """The texts of the list's lines under root."""
    found = find(root, lambda a: a.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX))
    if found is None:
        raise E2EFailure("no list")
    return [found.getChildAtIndex(i).name for i in range(found.childCount)]


def test_a_working_set_from_nothing():
    app = Corvane()
    try:
        app.choose("Files", "Gerber File")
        dialog = app.dialog("Gerber Files")
        expect(list_items(dialog) == [], "a new document has no plot files")
        expect(not app.is_enabled(app.button(dialog, "Remove")), "Remove needs a selection")
        for path in (FIRST, SECOND):
            app.click(app.button(dialog, "Add File"))
            app.choose_file("Open", path)
        lines = wait_for("two files listed", lambda: len(list_items(dialog)) == 2 and list_items(
            dialog))
        expect(lines[1].endswith("draw.gbr"), "the second line names draw.gbr: %r" % lines)

        # The second file: yellow, mirrored on Y, moved by 2.5 units on X.
        app.click(app.list_item(dialog, lines[1]))
        wait_for("the entry's controls", lambda: app.is_enabled(app.button(dialog, "Remove")))
        app.set_text(app.field(dialog, "X Offset"), "2500")
        app.click(app.button(dialog, "Mirror on Y axis"))
        colors = app.combo(dialog)
        app.click(colors)
        yellow = wait_for("the open colour list", lambda: find(
            app.app, lambda a: a.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_MENU_ITEM)
            and a.name == "Yellow" and app.is_showing(a)))
        shot(app, "gerber_files_colour_list")
        app.click(yellow)
        # The face tells its colour by name in the description: a palette
        # name, or "Custom".
        wait_for("the colour list to show Yellow", lambda: colors.description == "Yellow")
        shot(app, "gerber_files_dialog")
        app.click(app.button(dialog, "OK"))
        wait_for("the dialog to close", lambda: find(
            app.app, lambda a: a.getRole() == pyatspi.ROLE_DIALOG and a.name == "Gerber Files",
            1) is None)
        shot(app, "gerber_files_working_set")

        saved = os.path.join(WORK, "built.wrk")
        app.choose("Workspace", "Save As...")
        app.choose_file("Save As", saved, "Save")
        text = wait_for("the saved work file", lambda: os.path.exists(saved) and open(
            saved, "rb").read().decode())
        layers = [line for line in text.split("\r\n") if line.startswith("LayerInfo=")]
        expect(layers == ["LayerInfo=255,0,0,0,0,0,0," + FIRST,
                          "LayerInfo=255,255,0,0,1,2500,0," + SECOND],
               "LayerInfo lines: %r" % layers)
    finally:
        app.quit()


def test_the_tables_are_listed():
    app = Corvane(DEMO)
    try:
        app.choose("Files", "Aperture File")
        dialog = app.dialog("Aperture List")
        apertures = list_items(dialog)
        expect(len(apertures) > 0 and apertures[0].startswith("\t"), "apertures: %r" % apertures)
        shot(app, "aperture_list")
        app.click(app.button(dialog, "OK"))

        app.choose("Files", "Drill Tool File")
        dialog = app.dialog("Drill Tool List")
        app.click(app.button(dialog, "Load"))
        app.choose_file("Open", os.path.join(DATA, "tables", "crlf.rck"))
        tools = wait_for("the new table", lambda: list_items(dialog) == [
            "\t1\tPlated\t0.035\t120", "\t2\tUnplated\t0.125\t4"] and list_items(dialog))
        expect(len(tools) == 2, "tools: %r" % tools)
        shot(app, "drill_tool_list")
        app.click(app.button(dialog, "OK"))
    finally:
        app.quit()


run(test_a_working_set_from_nothing, test_the_tables_are_listed)

"""Drives the real Corvane program through the accessibility bus, as a user
would: menus chosen by their texts and clicked with the pointer, buttons
pressed, clicks and drags in the view, the status bar read back.

Run scripts through run_e2e.sh, which provides the X server, the D-Bus
session and the environment this module expects.
"""

import os
import shutil
import subprocess
import sys
import time

import pyatspi

TIMEOUT = 10.0  # seconds to wait for the program to answer


class E2EFailure(AssertionError):
    pass


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise E2EFailure("timed out waiting for " + what)
        time.sleep(0.05)


def base_name(accessible):
    """A menu item's name without the shortcut the menu shows after a tab."""
    return (accessible.name or "").split("\t")[0]


def states(accessible):
    return accessible.getState()


def find(root, predicate, max_depth=12):
    """The first accessible under root (breadth first) for which predicate holds."""
    level = [root]
    for _ in range(max_depth):
        following = []
        for node in level:
            for i in range(node.childCount):
                child = node.getChildAtIndex(i)
                if child is None:
                    continue
                if predicate(child):
                    return child
                following.append(child)
        level = following
    return None


def centre(accessible):
    extents = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return extents.x + extents.width // 2, extents.y + extents.height // 2


class Corvane:
    """One run of the program, started with the given arguments."""

    def __init__(self, *args):
        binary = os.environ["CORVANE_BINARY"]
        self.process = subprocess.Popen([binary, *args])
        self.app = wait_for("the program on the accessibility bus", self._find_app, 20.0)
        self.frame = wait_for("the main window", lambda: find(
            self.app, lambda a: a.getRole() == pyatspi.ROLE_FRAME, 1))
        self.view = wait_for("the view", lambda: find(
            self.frame, lambda a: a.name == "Plot view"))

    def _find_app(self):
        if self.process.poll() is not None:
            raise E2EFailure("the program ended with %d" % self.process.returncode)
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            except Exception:  # an application leaving the bus meanwhile
                continue
        return None

    # --- The pointer ---------------------------------------------------------
    @staticmethod
    def _mouse(x, y, event):
        pyatspi.Registry.generateMouseEvent(int(x), int(y), event)
        time.sleep(0.05)

    def click_at(self, x, y, button=1):
        self._mouse(x, y, "abs")
        self._mouse(x, y, "b%dc" % button)

    def click(self, accessible):
        self.click_at(*centre(accessible))

    def view_origin(self):
        extents = self.view.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return extents.x, extents.y

    def move_to_view(self, x, y):
        """Rests the pointer on client pixel (x, y) of the view."""
        left, top = self.view_origin()
        self._mouse(left + x, top + y, "abs")

    def click_view(self, x, y, button=1):
        """A click at client pixel (x, y) of the view."""
        left, top = self.view_origin()
        self.click_at(left + x, top + y, button)

    def drag_view(self, start, end, steps=8, button=1):
        """A drag between two client pixels of the view (left button unless
        told otherwise)."""
        left, top = self.view_origin()
        self._mouse(left + start[0], top + start[1], "abs")
        self._mouse(left + start[0], top + start[1], "b%dp" % button)
        for step in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * step // steps
            y = start[1] + (end[1] - start[1]) * step // steps
            self._mouse(left + x, top + y, "abs")
        self._mouse(left + end[0], top + end[1], "b%dr" % button)

    def wheel_view(self, x, y, notches):
        """Turns the wheel over client pixel (x, y): positive notches away from
        the user (X buttons 4 and 5 are the wheel)."""
        self.move_to_view(x, y)
        left, top = self.view_origin()
        for _ in range(abs(notches)):
            self._mouse(left + x, top + y, "b4c" if notches > 0 else "b5c")

    # --- Menus, buttons, the status bar -------------------------------------
    def menu_item(self, *path):
        """The item at path ("View", "Mirror X"), found by its texts."""
        node = find(self.frame, lambda a: a.getRole() == pyatspi.ROLE_MENU_BAR)
        for text in path:
            found = find(node, lambda a, t=text: a.getRole() in (
                pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU, pyatspi.ROLE_CHECK_MENU_ITEM)
                and base_name(a) == t, 2)
            if found is None:
                raise E2EFailure("no menu item %r in %r" % (text, path))
            node = found
        return node

    def choose(self, *path):
        """Opens each menu of path with the pointer and clicks the last item."""
        for depth in range(len(path)):
            item = self.menu_item(*path[:depth + 1])
            if depth > 0:
                wait_for("%r to show" % (path[:depth + 1],),
                         lambda i=item: states(i).contains(pyatspi.STATE_SHOWING))
            if depth == len(path) - 1 and not states(item).contains(pyatspi.STATE_ENABLED):
                raise E2EFailure("%r is disabled" % (path,))
            self.click(item)
        time.sleep(0.2)

    def is_checked(self, *path):
        return states(self.menu_item(*path)).contains(pyatspi.STATE_CHECKED)

    def status_text(self):
        bar = find(self.frame, lambda a: a.getRole() == pyatspi.ROLE_STATUS_BAR)
        pane = find(bar, lambda a: a.getRole() == pyatspi.ROLE_LABEL, 1)
        return pane.name

    def position_text(self):
        """What the status bar's pointer position pane shows (its description;
        its name stays "Pointer position")."""
        bar = find(self.frame, lambda a: a.getRole() == pyatspi.ROLE_STATUS_BAR)
        pane = find(bar, lambda a: a.name == "Pointer position", 1)
        if pane is None:
            raise E2EFailure("no pane named 'Pointer position' in the status bar")
        return pane.description

    def wait_status(self, text):
        return wait_for("status text %r (now %r)" % (text, self.status_text()),
                        lambda: self.status_text() == text)

    def dialog(self, title):
        """The open dialog window with that title."""
        return wait_for("the dialog %r" % title, lambda: find(
            self.app, lambda a: a.getRole() == pyatspi.ROLE_DIALOG and a.name == title, 1))

    def button(self, root, text):
        found = find(root, lambda a: a.getRole() in (
            pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX) and a.name == text)
        if found is None:
            raise E2EFailure("no button %r" % text)
        return found

    @staticmethod
    def is_enabled(accessible):
        return states(accessible).contains(pyatspi.STATE_ENABLED)

    @staticmethod
    def is_showing(accessible):
        try:
            return states(accessible).contains(pyatspi.STATE_SHOWING)
        except Exception:  # gone with its window
            return False

    def field(self, root, label):
        """The text field that the label names."""
        found = find(root, lambda a: a.getRole() == pyatspi.ROLE_TEXT and a.name == label)
        if found is None:
            raise E2EFailure("no field %r" % label)
        return found

    def combo(self, root):
        """The combo box under root; it has no fixed name to find it by, as
        the bus renames a combo box after the item it shows."""
        found = find(root, lambda a: a.getRole() == pyatspi.ROLE_COMBO_BOX)
        if found is None:
            raise E2EFailure("no combo box")
        return found

    def list_item(self, root, text):
        found = find(root, lambda a: a.getRole() == pyatspi.ROLE_LIST_ITEM and a.name == text)
        if found is None:
            raise E2EFailure("no list line %r" % text)
        return found

    @staticmethod
    def set_text(field, text):
        """Replaces what the field holds, as typing over it would."""
        field.queryEditableText().setTextContents(text)
        wait_for("the field to hold %r" % text,
                 lambda: field.queryText().getText(0, -1) == text)

    def choose_file(self, title, path, button="Open"):
        """Types a path into the file chooser titled `title` and presses its
        button."""
        chooser = self.dialog(title)
        name = wait_for("the chooser's file name field", lambda: find(
            chooser, lambda a: a.getRole() == pyatspi.ROLE_TEXT
            and a.name.replace("&", "").startswith("File name")))
        self.set_text(name, path)
        self.click(wait_for("the chooser's %r button" % button, lambda: find(
            chooser, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON
            and a.name.replace("&", "") == button and self.is_enabled(a))))
        wait_for("the chooser to close", lambda: find(
            self.app, lambda a: a.getRole() == pyatspi.ROLE_DIALOG and a.name == title,
            1) is None)

    def toolbar_buttons(self):
        bar = find(self.frame, lambda a: a.getRole() == pyatspi.ROLE_TOOL_BAR)
        return [bar.getChildAtIndex(i) for i in range(bar.childCount)]

    # --- Evidence -------------------------------------------------------------
    def screenshot(self, path):
        """The whole screen as a PNG, when ImageMagick is there to take it."""
        if shutil.which("import") is None:
            return False
        subprocess.run(["import", "-window", "root", path], check=True)
        return True

    def quit(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def run(*tests):
    """Runs each test function in order; prints a line per test and exits
    non-zero when one fails."""
    failed = 0
    for test in tests:
        try:
            test()
            print("PASS", test.__name__, flush=True)
        except Exception as error:  # report every failure, go on with the rest
            failed += 1
            print("FAIL", test.__name__ + ":", error, flush=True)
    sys.exit(1 if failed else 0)

#!/usr/bin/python3
"""The real vrx beside the simulated demo logger, driven and read through the desktop's
accessibility bus (AT-SPI), as a screen reader sees it.

    vrx_atspi_test.py --vrx build/app/vrx --launcher build/sim/vrx-sim-launch [unittest args]

Run it under Xvfb and a D-Bus session (CTest does: xvfb-run ... dbus-run-session -- ...).
Controls are found by role and accessible name, never by screen position. Keys are real key
events (xdotool); the accessibility bus only reads. Every wait is for a state, with a long
time-out that only guards against a hang.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import pyatspi

HANG_GUARD = 120  # seconds; a slow shared machine may need many, a working run needs few

# The demo logger's five recordings (sim/DemoLogger.cpp), newest first as the logger's table
# lists them: start, duration at 1 s a sample, and the litres of flow x time of each event.
DEMO_ROWS = [
    ["Speicher", "9/12/2026", "19:48:51", "04:20", "54"],
    ["Speicher", "9/12/2026", "12:03:07", "01:35", "9"],
    ["Speicher", "8/12/2026", "16:20:00", "15:00", "252"],
    ["Speicher", "7/12/2026", "7:05:33", "00:45", "6"],
    ["Speicher", "7/12/2026", "6:42:10", "07:00", "75"],
]
HEADINGS = ["Titel", "Datum", "Zeit", "Dauer", "Volumen (L)"]
DOWNLOAD = "Upload all data from device"
ON, OFF = "eingeschaltet", "ausgeschaltet"

ARGS = None
PROGRAM = None  # the running program, whose end cuts every wait short


def wait_for(what, probe, timeout=HANG_GUARD, seen=None):
    """Polls `probe` until it returns something true; fails naming `what` (and what `seen`
    reports then) after the guard, or at once when the program under test has ended."""
    end = time.monotonic() + timeout
    while True:
        if PROGRAM and PROGRAM.poll() is not None and what != "vrx to end":
            raise AssertionError(f"vrx ended (exit status {PROGRAM.returncode}) while waiting for {what}")
        try:
            value = probe()
        except Exception:  # an object may vanish while it is read (a dialog closing)
            value = None
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError("timed out waiting for " + what + (": " + seen() if seen else ""))
        time.sleep(0.05)


def walk(root):
    yield root
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def find_all(root, role=None, name=None):
    return [o for o in walk(root) if (role is None or o.getRoleName() == role) and (name is None or o.name == name)]


def find_one(root, role=None, name=None):
    found = find_all(root, role, name)
    return found[0] if len(found) == 1 else None


def has_state(obj, state):
    return obj.getState().contains(state)


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


class VrxSession(unittest.TestCase):
    """One run of vrx in a fresh settings directory, its main window holding the keyboard."""

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="vrx-atspi-")
        # The settings file lives beside the program (when that is writable): a copy of the
        # program in the test's directory keeps the build's settings untouched.
        program = os.path.join(self.dir, "vrx")
        shutil.copy2(ARGS.vrx, program)
        with open(os.path.join(self.dir, "vrxv43.ini"), "w") as f:
            f.write("1\n98\n0\n0\n")  # litres, bar, no firmware seen, no startup tips
        # Xvfb may still be coming up (or the last one going down) when the test starts.
        wait_for("the X display", lambda: subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True)
                 .returncode == 0)
        env = dict(os.environ, HOME=self.dir, XDG_CONFIG_HOME=self.dir, LC_ALL="C.UTF-8")
        env.pop("LANGUAGE", None)
        env.pop("NO_AT_BRIDGE", None)
        self.process = subprocess.Popen([ARGS.launcher, program], env=env, cwd=self.dir, start_new_session=True)
        global PROGRAM
        PROGRAM = self.process
        self.addCleanup(self.stop)

        self.app = wait_for("vrx on the accessibility bus", self.find_app)
        self.frame = wait_for("the main window", lambda: find_one(self.app, "frame", "Unbennant"))
        # The splash screen holds the keyboard while it is up; then the window gets it, as a
        # window manager would give it (Xvfb runs none).
        wait_for("the splash screen to close", lambda: self.app.childCount == 1)
        self.main_xid = subprocess.run(["xdotool", "search", "--sync", "--name", "^Unbennant$"], capture_output=True,
                                       text=True, check=True).stdout.split()[0]
        self.activate_main()

    # Xvfb runs no window manager: the test gives the keyboard to a new window, and back to
    # the main window when a dialog has closed, as a window manager does.
    def activate_main(self):
        subprocess.run(["xdotool", "windowfocus", "--sync", self.main_xid], check=True)
        wait_for("the main window to be active", lambda: has_state(self.frame, pyatspi.STATE_ACTIVE))

    def activate(self, window, target):
        """The bus focuses `target` in `window`, and GTK brings its window to the front."""
        self.assertTrue(target.queryComponent().grabFocus())
        wait_for(repr(window.name) + " to be active", lambda: has_state(window, pyatspi.STATE_ACTIVE))
        return window

    def stop(self):
        global PROGRAM
        PROGRAM = None  # its end must not cut the next test's waits short
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGTERM)
            try:
                self.process.wait(30)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()
        shutil.rmtree(self.dir, ignore_errors=True)

    def find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "vrx" and app.childCount > 0 and self.started_here(app):
                return app
        return None

    def started_here(self, app):
        """The bus may still list a vrx an earlier test ended: ours runs in the launcher's session."""
        try:
            return os.getsid(app.get_process_id()) == self.process.pid
        except (OSError, RuntimeError):
            return False

    def button(self, name, root=None):
        return wait_for("the button " + repr(name), lambda: find_one(root or self.frame, "push button", name))

    def table(self):
        # The list, by its role: a table (a tree table on some GTK versions).
        return wait_for("the recording list",
                        lambda: find_one(self.frame, "table") or find_one(self.frame, "tree table"))

    def rows(self):
        t = self.table().queryTable()
        return [[t.getAccessibleAt(r, c).name for c in range(t.nColumns)] for r in range(t.nRows)]

    def selected_rows(self):
        t = self.table().queryTable()
        return [r for r in range(t.nRows) if t.isRowSelected(r)]

    def windows(self):
        return [w for w in (self.app.getChildAtIndex(i) for i in range(self.app.childCount)) if w is not None]

    def dialog(self, role=None, name=None):
        """A window the program has open besides its main window, by role or by name (wx's own
        dialogs are frames to the bus)."""
        return wait_for(f"a window {role or ''} {name or ''}",
                        lambda: next((w for w in self.windows()[1:] if role in (None, w.getRoleName())
                                      and name in (None, w.name)), None),
                        seen=self.describe_windows)

    def describe_windows(self):
        self.save_screenshot("failure.png")
        return "open are " + ", ".join(f"{w.getRoleName()} {w.name!r}" for w in self.windows())

    def no_dialogs(self):
        wait_for("the dialogs to close", lambda: self.app.childCount == 1, seen=self.describe_windows)
        self.activate_main()

    def focused(self, obj):
        return has_state(obj, pyatspi.STATE_FOCUSED)

    def press_by_keyboard(self, button):
        """Focuses the button through the accessibility bus and presses Space. The bus's own
        click action waits for the command, which may open a modal dialog and never return."""
        self.assertTrue(button.queryComponent().grabFocus())
        wait_for(button.name + " to have the focus", lambda: self.focused(button))
        key("space")

    def answer_save_question_no(self):
        alert = self.dialog("alert")
        no = wait_for("the No button", lambda: find_one(alert, "push button", "No"))
        no.queryAction().doAction(0)  # closing a message box returns at once
        self.no_dialogs()

    def save_screenshot(self, name):
        if os.environ.get("VRX_ATSPI_SHOTS"):
            subprocess.run(["import", "-window", "root", os.path.join(os.environ["VRX_ATSPI_SHOTS"], name)],
                           check=True)


class AccessibleWindow(VrxSession):
    def test_download_list_and_view_buttons(self):
        # Every button is named: a caption, or a picture-only button's tooltip.
        for button in find_all(self.frame, "push button"):
            self.assertTrue(button.name, "a button without a name: " + repr(button.description))
        # The plot is a chart a keyboard user can reach (its keys zoom).
        charts = find_all(self.frame, "chart", "Diagramm")
        self.assertEqual(len(charts), 1)
        self.assertTrue(has_state(charts[0], pyatspi.STATE_FOCUSABLE))
        # The readouts and the status line read as text.
        labels = lambda: [o.name for o in find_all(self.frame, "label")]
        for text in ["Zeit: 00:00:00", "Durchfluss: 0", "Druck: 0.0", "l/min", "Bar"]:
            self.assertIn(text, labels())
        wait_for("the memory status text", lambda: any("Speicherplatz" in t for t in labels()))

        self.press_by_keyboard(self.button(DOWNLOAD))
        self.answer_save_question_no()
        wait_for("five rows", lambda: len(self.rows()) == 5)

        table = self.table()
        self.assertEqual(table.name, "Messwerte")
        t = table.queryTable()
        self.assertEqual([t.getColumnDescription(c) for c in range(t.nColumns)], HEADINGS)
        self.assertEqual(self.rows(), DEMO_ROWS)
        self.assertEqual(self.selected_rows(), [0], "the recording on show, and only it, is highlighted")
        for name in ["Löschen", "Namen ändern", "Extra-Informationen"]:
            wait_for(name + " enabled", lambda: has_state(self.button(name), pyatspi.STATE_ENABLED))

        # The view buttons, by name; each tells whether its series is shown.
        flow, volume, pressure = self.button("Durchfluss"), self.button("Volumen"), self.button("Druck")
        state = lambda b: b.description.rsplit(", ", 1)[-1]
        self.assertEqual([state(flow), state(volume), state(pressure)], [ON, OFF, OFF])
        volume.queryAction().doAction(0)
        wait_for("the volume view", lambda: [state(flow), state(volume)] == [OFF, ON])
        pressure.queryAction().doAction(0)
        wait_for("the pressure curve", lambda: state(pressure) == ON)
        flow.queryAction().doAction(0)
        wait_for("the flow view", lambda: [state(flow), state(volume), state(pressure)] == [ON, OFF, ON])
        self.save_screenshot("atspi-list.png")


class KeyboardOnly(VrxSession):
    def tab_to(self, target, limit=40):
        """Presses Tab until `target` has the focus."""
        for _ in range(limit):
            if self.focused(target):
                return
            before = [o for o in walk(self.frame) if has_state(o, pyatspi.STATE_FOCUSED)]
            key("Tab")
            wait_for("the focus to move", lambda: [o for o in walk(self.frame)
                                                   if has_state(o, pyatspi.STATE_FOCUSED)] != before)
        self.fail("Tab never reached " + target.name)

    def test_download_select_rename_save(self):
        # Download: Tab to the button, Space; the save question answered with its mnemonic.
        download = self.button(DOWNLOAD)
        self.tab_to(download)
        self.save_screenshot("keyboard-download.png")
        key("space")
        alert = self.dialog("alert")
        self.activate(alert, wait_for("the No button", lambda: find_one(alert, "push button", "No")))
        key("alt+n")
        self.no_dialogs()
        wait_for("five rows", lambda: len(self.rows()) == 5)

        # Select: Tab into the list, one row down.
        table = self.table()
        self.tab_to(table)
        key("Down")
        wait_for("the second row highlighted", lambda: self.selected_rows() == [1])
        self.save_screenshot("keyboard-list.png")

        # Rename: Enter on the row opens the title dialog; type, Enter.
        key("Return")
        dialog = self.dialog(name="Titel ändern")
        self.activate(dialog, wait_for("the title field", lambda: find_one(dialog, "text")))
        key("ctrl+a")
        type_text("Garten")
        key("Return")
        self.no_dialogs()
        wait_for("the new title in the list", lambda: self.rows()[1][0] == "Garten", seen=lambda: repr(self.rows()))
        self.assertEqual(self.selected_rows(), [1])

        # Save: Ctrl+S asks for a name (a downloaded set has no file yet); type it, Enter.
        path = os.path.join(self.dir, "walk.kdl")
        key("ctrl+s")
        chooser = self.dialog("file chooser")
        name_field = wait_for("the name field", lambda: next(
            (o for o in find_all(chooser, "text") if has_state(o, pyatspi.STATE_SHOWING)), None))
        self.activate(chooser, name_field)
        key("ctrl+a")
        type_text("walk.kdl")  # the dialog opens in the working directory, the test's
        save = wait_for("the Save button", lambda: find_one(chooser, "push button", "Save"))
        wait_for("the Save button enabled", lambda: has_state(save, pyatspi.STATE_ENABLED),
                 seen=lambda: str([pyatspi.stateToString(x) for x in save.getState().getStates()]))
        key("Return")
        self.no_dialogs()
        wait_for("the window titled after the file", lambda: self.frame.name == "walk.kdl")
        with open(path, "rb") as f:
            content = f.read()
        self.assertIn(b"\r\nGarten\r\n", content)
        self.assertEqual(content.count(b"\r\nSpeicher\r\n"), 4)

        # Leave: saved, so no question; the program ends.
        key("ctrl+q")
        wait_for("vrx to end", lambda: self.process.poll() is not None)
        self.assertEqual(self.process.returncode, 0)


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vrx", required=True)
    parser.add_argument("--launcher", required=True)
    ARGS, rest = parser.parse_known_args()
    # The program starts in the test's own directory: paths given relative to here must hold there.
    ARGS.vrx, ARGS.launcher = os.path.abspath(ARGS.vrx), os.path.abspath(ARGS.launcher)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()

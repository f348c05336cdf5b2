#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Reads the calculator's keypad the way a screen reader does: over AT-SPI.

Starts, all private to this check: Xvfb on a free display, a D-Bus session bus, the AT-SPI bus
launcher (which brings up the accessibility bus and its registry), and the program with Qt's
accessibility bridge forced on. Once the program has written "DEBUG: App ready!", it finds the
program's application in the AT-SPI registry by process id and checks that
  - every one of the 34 buttons is there, by name, exactly once, the three bases as radio
    buttons and the others as push buttons;
  - of the three bases, Decimal is the checked one;
  - the display (a status bar) and the conversion lines are read with their current text;
  - pressing "7" and then "Binary" through the press action changes what is read (the display
    and the binary line say 111, Binary is the checked base), and each change is announced as
    the events a screen reader listens to: a new name for each text that changed, and the
    checked state leaving Decimal for Binary.
  - the application is called "Quorvin" (not its desktop id, which is its window class).
Then it closes the window and expects the program to end with status 0. It starts the program
again with LANGUAGE=de and checks that the application is still called "Quorvin" while the keys
are read in German, and that Qt's own description of the press action is German too (Qt's
translations are loaded beside the program's). Everything it started is ended by process id, together with
what those processes started.

Needs Debian's /usr/bin/python3 with python3-pyatspi and python3-xlib, and Xvfb, dbus-daemon and
at-spi2-core.
Usage: /usr/bin/python3 tests/a11y/atspi_check.py --program build/bin/quorvin
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "support"))

try:
    from quorvin_testing.buses import start_accessibility_bus, start_session_bus
    from quorvin_testing.checks import START_TIMEOUT, Failure, fail, wait_until
    from quorvin_testing.processes import LineReader, spawn, stop_process
    from quorvin_testing.windows import find_window, send_delete
    from quorvin_testing.xserver import XServer, close_quietly
except ImportError as problem:  # python3-xlib lives in Debian's own interpreter
    sys.exit(f"atspi_check: {problem}; run it with /usr/bin/python3 (python3-xlib)")

TITLE = "Quorvin - Programmer Calculator"
READY_LINE = "DEBUG: App ready!"
TREE_TIMEOUT = 10.0   # the program's application and its controls showing up in the registry
CHANGE_TIMEOUT = 5.0  # one press read back
EXIT_TIMEOUT = 10.0   # closing the window until the program has ended
POLL_SECONDS = 0.05

APPLICATION_NAME = "Quorvin"  # in every language
GERMAN_ADD = "Addieren"      # the + key under LANGUAGE=de
# Qt's own German for what its press action does ("Triggers the action"): the bridge gives the
# action's description in the user's language, its name ("Press") as it is.
GERMAN_PRESS_DESCRIPTION = "Aktion auslösen"

BASES = ["Hexadecimal", "Decimal", "Binary"]
BUTTONS = [
    *BASES, "Copy", "Paste",
    "A", "Shift left", "Shift right", "Clear", "Backspace",
    "B", "Left parenthesis", "Right parenthesis", "Modulo", "Divide",
    "C", "7", "8", "9", "Multiply",
    "D", "4", "5", "6", "Subtract",
    "E", "1", "2", "3", "Add",
    "F", "Toggle sign", "0", "Equals",
]


def poll_until(predicate, timeout, what, between=None):
    return wait_until(predicate, timeout, what, interval=POLL_SECONDS, between=between)


class Session:
    """The private X server, buses and program. close() ends them all, by process id."""

    def __init__(self, program):
        self.program = program
        self.server = None
        self.processes = []  # in start order; ended in reverse, each with what it started
        self.runtime_dir = tempfile.mkdtemp(prefix="quorvin-a11y-")
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": self.runtime_dir,
            "XDG_RUNTIME_DIR": self.runtime_dir,
            "LANG": "C.UTF-8",
        }
        # A sanitizer build reads its options (and leak suppressions) from these.
        for name in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"):
            if name in os.environ:
                self.env[name] = os.environ[name]

    def open(self):
        self.server = XServer("1024x768x24")
        self.env["DISPLAY"] = self.server.name
        self.env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(self.processes, self.env)
        # The program starts once the launcher owns its name.
        start_accessibility_bus(self.processes, self.env)
        self.env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_ACCESSIBILITY": "1",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        })
        self.start_calculator()

    def start_calculator(self, **environment):
        """Starts the program, with `environment` added to the session's, and waits until it is
        ready."""
        calculator = spawn([self.program], env={**self.env, **environment},
                           stdin=subprocess.DEVNULL, stdout=subprocess.PIPE)
        self.processes.append(calculator)
        output = LineReader(calculator.stdout.fileno())
        deadline = time.monotonic() + START_TIMEOUT
        while True:
            line = output.next(max(deadline - time.monotonic(), 0), f'"{READY_LINE}"')
            if line == READY_LINE:
                break
        self.calculator = calculator

    def close_window(self):
        """Closes the program's window as a window manager would and returns its exit status."""
        connection = self.server.connect()
        try:
            window = find_window(connection, TITLE, self.calculator.pid)
            if window is None:
                fail(f'no window titled "{TITLE}"')
            send_delete(connection, window)
        finally:
            close_quietly(connection)
        try:
            return self.calculator.wait(timeout=EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            fail(f"the program was still running {EXIT_TIMEOUT:.0f} s after its window was "
                 "closed")

    def close(self):
        for process in reversed(self.processes):
            stop_process(process, descendants_too=True)
            if process.stdout:
                process.stdout.close()
        if self.server is not None:
            self.server.stop()
        shutil.rmtree(self.runtime_dir, ignore_errors=True)


def walk(element):
    """The element and everything below it, depth first."""
    yield element
    for index in range(element.childCount):
        child = element.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


class Announcements:
    """The name and checked-state changes the program sends over AT-SPI, as a screen reader hears
    them: it reads a changed display from these events, not by asking again."""

    NAME = "object:property-change:accessible-name"
    CHECKED = "object:state-changed:checked"

    def __init__(self, pyatspi):
        from gi.repository import GLib

        self.context = GLib.MainContext.default()
        self.names = []    # the new names, in order
        self.checked = []  # (name of the element, 1 checked or 0 not)
        pyatspi.Registry.registerEventListener(self.hear, self.NAME, self.CHECKED)

    def hear(self, event):
        if event.type == self.NAME:
            self.names.append(event.source.name)
        elif event.type == self.CHECKED:
            self.checked.append((event.source.name, event.detail1))

    def receive(self):
        while self.context.pending():
            self.context.iteration(False)


def find_application(pyatspi, pid):
    def application():
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            candidate = desktop.getChildAtIndex(index)
            try:
                if candidate is not None and candidate.get_process_id() == pid:
                    return candidate
            except Exception:  # an application that went away while being asked
                continue
        return None

    return poll_until(application, TREE_TIMEOUT, "the program in the AT-SPI registry")


def check_application_name(app):
    if app.name != APPLICATION_NAME:
        fail(f"the application is called {app.name!r}, expected "
             f"{APPLICATION_NAME!r}")


def check_tree(pyatspi, pid):
    app = find_application(pyatspi, pid)
    check_application_name(app)
    announcements = Announcements(pyatspi)

    button_roles = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON)

    def buttons():
        found = {}
        for element in walk(app):
            if element.getRole() in button_roles:
                found.setdefault(element.name, []).append(element)
        return found if sum(map(len, found.values())) >= len(BUTTONS) else None

    found = poll_until(buttons, TREE_TIMEOUT, f"{len(BUTTONS)} buttons")
    missing = [name for name in BUTTONS if name not in found]
    doubled = [name for name, elements in found.items() if len(elements) > 1]
    unexpected = sorted(set(found) - set(BUTTONS))
    if missing or doubled or unexpected:
        fail(f"buttons: missing {missing}, more than once {doubled}, "
             f"unexpected {unexpected}")
    miscast = [name for name in BUTTONS
               if (found[name][0].getRole() == pyatspi.ROLE_RADIO_BUTTON) != (name in BASES)]
    if miscast:
        fail(f"buttons with the wrong role (radio for the bases only): {miscast}")

    def checked_bases():
        return [name for name in BASES
                if found[name][0].getState().contains(pyatspi.STATE_CHECKED)]

    def labels():
        return sorted(element.name for element in walk(app)
                      if element.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATUS_BAR))

    def expect(what, read, wanted):
        try:
            poll_until(lambda: read() == wanted, CHANGE_TIMEOUT, what, announcements.receive)
        except Failure:
            raise Failure(f"{what}: read {read()!r}, expected {wanted!r}") from None

    expect("the checked base at launch", checked_bases, ["Decimal"])
    expect("the display and conversion lines at launch", labels,
           sorted(["0", "HEX  0", "DEC  0", "BIN  0"]))

    def press(name):
        action = found[name][0].queryAction()
        names = [action.getName(index) for index in range(action.nActions)]
        if "Press" not in names:
            fail(f'"{name}" offers no press action, only {names}')
        action.doAction(names.index("Press"))

    # 7 in decimal: the display and every conversion line change, and each says so.
    press("7")
    after_seven = sorted(["7", "HEX  7", "DEC  7", "BIN  111"])
    expect("the display and conversion lines after pressing 7", labels, after_seven)
    expect("the names announced after pressing 7", lambda: sorted(announcements.names),
           after_seven)
    # The same value in binary: only the display changes, and Binary becomes the checked base.
    del announcements.names[:]
    press("Binary")
    expect("the checked base after pressing Binary", checked_bases, ["Binary"])
    expect("the display and conversion lines after pressing Binary", labels,
           sorted(["111", "HEX  7", "DEC  7", "BIN  111"]))
    expect("the names announced after pressing Binary", lambda: announcements.names, ["111"])
    expect("the checked states announced after pressing Binary",
           lambda: sorted(announcements.checked), [("Binary", 1), ("Decimal", 0)])
    return len(BUTTONS)


def check_german(pyatspi, pid):
    """The program under LANGUAGE=de: the application keeps its name, the keys and Qt's press
    action are described in German."""
    app = find_application(pyatspi, pid)
    check_application_name(app)

    def add_key():
        return next((element for element in walk(app)
                     if element.getRole() == pyatspi.ROLE_PUSH_BUTTON
                     and element.name == GERMAN_ADD), None)

    key = poll_until(add_key, TREE_TIMEOUT, f'the key "{GERMAN_ADD}"')
    action = key.queryAction()
    actions = [(action.getName(index), action.getDescription(index))
               for index in range(action.nActions)]
    if ("Press", GERMAN_PRESS_DESCRIPTION) not in actions:
        fail(f'"{GERMAN_ADD}" offers {actions}, expected ("Press", '
             f'"{GERMAN_PRESS_DESCRIPTION}") among them')


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the quorvin binary")
    args = parser.parse_args()

    session = Session(os.path.abspath(args.program))
    started = time.monotonic()
    try:
        session.open()
        # libatspi finds the accessibility bus through the session bus named in the environment
        # when it is loaded, so it is imported only now.
        os.environ.update(session.env)
        try:
            import pyatspi
        except ImportError:
            raise Failure("needs python3-pyatspi (Debian's /usr/bin/python3)") from None

        count = check_tree(pyatspi, session.calculator.pid)
        # The program also ends cleanly with its accessibility bridge in use (under a sanitizer
        # build, that includes the leak check at exit).
        status = session.close_window()
        if status != 0:
            fail(f"the program ended with status {status} after its window closed")
        session.start_calculator(LANGUAGE="de")
        check_german(pyatspi, session.calculator.pid)
        status = session.close_window()
        if status != 0:
            fail(f"the German program ended with status {status} after its window "
                 "closed")
    except Failure as failure:
        print(f"atspi_check: FAIL: {failure}", file=sys.stderr)
        return 1
    finally:
        session.close()
    print(f"atspi_check: {count} buttons read by name; the display and the base follow "
          f"presses and are announced; the application is \"{APPLICATION_NAME}\" in English "
          f"and German ({time.monotonic() - started:.1f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())

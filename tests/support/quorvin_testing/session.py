# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""A private X server with the calculator in it, driven the way a user drives it.

A `Session` starts Xvfb on a free display (and, if asked, the openbox window manager), starts
the program with its standard output read line by line on a thread, finds its window by title
and process id, and then acts only through the X server: XTEST pointer events at the window's
coordinates, xdotool for keys and resizes, xclip for the clipboard, XGetImage for colours and a
WM_DELETE_WINDOW message for closing. Everything it starts is ended by process id in `close()`.

Needs Debian's /usr/bin/python3 with python3-xlib, Xvfb, xdotool, xclip and openbox, and the
calculator's layout model (tests/e2e/layout.py) on the path.
"""

import os
import shutil
import subprocess
import tempfile

from Xlib import X, error
from Xlib.ext import xtest

import layout

from .checks import LINE_TIMEOUT, START_TIMEOUT, Failure, check, fail, wait_until
from .processes import OutputLines, shorten, spawn, stop_process
from .windows import byte_order, find_window, pixel, send_delete
from .xserver import XServer, close_quietly

TITLE = "Quorvin - Programmer Calculator"
LAUNCH_LINES = ["DEBUG: Quorvin starting...", "DEBUG: UI setup complete", "DEBUG: App ready!"]
# Large enough for the largest window wherever it starts, so screenshots see all of it.
SCREEN = "2048x1536x24"

# Keysyms that a US keymap lacks but the key tests type. They get spare keycodes before the
# program starts, so that xdotool never remaps a keycode while the program reads it.
EXTRA_KEYSYMS = {"multiply": 0x00D7, "division": 0x00F7, "ssharp": 0x00DF, "Linefeed": 0xFF0A}


class Session:
    """One Xvfb, optionally openbox, and one run of the program."""

    def __init__(self, program, window_manager=False, screen=SCREEN):
        self.program = os.path.abspath(program)  # it runs in its own folder
        self.window_manager = window_manager
        self.screen = screen
        self.server = self.wm = self.process = None
        self.conn = None
        self.window = None
        self.output = None
        self.clipboard_owners = []
        self.workdir = tempfile.mkdtemp(prefix="quorvin-e2e-")  # mode 0700
        self.runtime_dir = os.path.join(self.workdir, "runtime")
        os.mkdir(self.runtime_dir, 0o700)
        self.stderr_path = os.path.join(self.workdir, "stderr")
        self._stderr = None
        self.display_name = None
        self.env = None
        self.figures = []  # measurements a scenario reports beside its verdict
        # (x, y, width, height) of the calculator inside a window the desktop made larger than
        # the limits; None while the calculator fills the window.
        self.content = None

    # -- start and stop --

    def start(self, prepare=None):
        """Starts the X server, the window manager if asked, and the program (after
        `prepare(self)`, if given, which may change `self.env`)."""
        self.start_display()
        if self.window_manager:
            self._start_openbox()
        if prepare:
            prepare(self)
        self.start_program()
        return self

    def start_program(self):
        self._stderr = open(self.stderr_path, "wb")
        self.process = spawn([self.program], env=self.env, stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, stderr=self._stderr, cwd=self.workdir)
        self.output = OutputLines(self.process.stdout)

    def start_display(self):
        """Starts the X server, connects to it and gives the extra keysyms their keycodes."""
        self.server = XServer(self.screen)
        self.display_name = self.server.name
        self.conn = self.server.connect()
        self.env = dict(os.environ, DISPLAY=self.display_name, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=self.runtime_dir, HOME=self.workdir)
        for variable in ("WAYLAND_DISPLAY", "XAUTHORITY", "SESSION_MANAGER"):
            self.env.pop(variable, None)
        self._add_keysyms()

    def _add_keysyms(self):
        first = self.conn.display.info.min_keycode
        count = self.conn.display.info.max_keycode - first + 1
        mapping = self.conn.get_keyboard_mapping(first, count)
        free = [first + i for i, syms in enumerate(mapping) if not any(syms)]
        keysyms = list(EXTRA_KEYSYMS.values())
        check(len(free) >= len(keysyms), "no spare keycodes for the extra keysyms")
        width = len(mapping[0])
        for keycode, keysym in zip(free, keysyms):
            self.conn.change_keyboard_mapping(keycode, [[keysym] * 2 + [0] * (width - 2)])
        self.conn.sync()

    def _start_openbox(self):
        self.start_window_manager(["openbox", "--sm-disable"])

    def start_window_manager(self, command, name=None):
        """Starts a window manager and waits until it manages windows."""
        name = name or command[0]
        self.window_manager = True
        self.wm = spawn(command, env=self.env, stdin=subprocess.DEVNULL,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=self.workdir)
        # A window manager announces itself on the root window before it handles map requests;
        # a window mapped in between can stay unmanaged, so wait until it frames one of our own.
        screen = self.conn.screen()
        probe = screen.root.create_window(0, 0, 10, 10, 0, screen.root_depth)
        probe.map()
        self.conn.sync()

        def framed():
            check(self.wm.poll() is None, f"{name} exited during start-up")
            return probe.query_tree().parent.id != screen.root.id

        try:
            wait_until(framed, START_TIMEOUT, f"{name} to manage windows")
        finally:
            probe.destroy()
            self.conn.sync()

    def close(self):
        """Ends everything this session started, by process id, and removes its files."""
        for owner in self.clipboard_owners:
            stop_process(owner, grace=0.5)
        stop_process(self.process)
        if self.process is not None:
            self.process.stdout.close()
        if self._stderr is not None:
            self._stderr.close()
        stop_process(self.wm)
        close_quietly(self.conn)
        if self.server is not None:
            self.server.stop()
        shutil.rmtree(self.workdir, ignore_errors=True)

    def stderr_tail(self, count=10):
        try:
            with open(self.stderr_path, "rb") as stream:
                text = stream.read().decode("utf-8", "replace")
        except OSError:
            return []
        return text.strip().splitlines()[-count:]

    # -- the window --

    def wait_ready(self):
        """The launch lines, then the window found and painted, and the keyboard focus on it."""
        self.output.expect(LAUNCH_LINES, timeout=START_TIMEOUT)
        self.find_window()
        self.wait_painted()
        self.focus()
        return self

    def find_window(self):
        def found():
            check(self.process.poll() is None,
                  f"the program exited with status {self.process.returncode}")
            return find_window(self.conn, TITLE, self.process.pid)

        self.window = wait_until(found, START_TIMEOUT, f"a window titled {TITLE!r}")
        return self.window

    def geometry(self):
        """(root x, root y, width, height) of the window's content area (of the calculator in
        it, where `content` is set)."""
        geo = self.window.get_geometry()
        origin = self.window.translate_coords(self.conn.screen().root, 0, 0)
        # translate_coords from the window to the root gives the negated position.
        if self.content:
            x, y, width, height = self.content
            return -origin.x + x, -origin.y + y, width, height
        return -origin.x, -origin.y, geo.width, geo.height

    def size(self):
        if self.content:
            return self.content[2], self.content[3]
        geo = self.window.get_geometry()
        return geo.width, geo.height

    def window_size(self):
        geo = self.window.get_geometry()
        return geo.width, geo.height

    def frame(self):
        """Geometry of the window's top-level ancestor: the window manager's frame, if any."""
        window, root = self.window, self.conn.screen().root
        while True:
            parent = window.query_tree().parent
            if parent.id == root.id:
                return window.get_geometry()
            window = parent

    def scale(self):
        return self.size()[0] / 400.0

    def wait_painted(self):
        """Waits until the display label shows its background colour at the current scale."""
        seen = []

        def painted():
            if self.window.get_attributes().map_state != X.IsViewable:
                seen[:] = [f"the window is not viewable: {self._ancestry()}"]
                return False
            x, y, w, h = layout.display_rect(self.scale())
            colour = self.pixel(x + 0.05 * w, y + 0.5 * h)
            seen[:] = [f"the display shows {colour} at {self.geometry()}"]
            return layout.close_to(colour, layout.DISPLAY_BACKGROUND)

        try:
            wait_until(painted, START_TIMEOUT, "the window's first frame")
        except Failure as failure:
            fail(f"{failure}: {seen[0] if seen else ''}")

    def _ancestry(self):
        """The map state of the window and each of its ancestors, for failure reports."""
        states = []
        window = self.window
        try:
            while window is not None and window.id != self.conn.screen().root.id:
                states.append(f"{window.id:#x}:{window.get_attributes().map_state}")
                window = window.query_tree().parent
        except error.XError:
            states.append("gone")
        if self.wm is not None:
            states.append("window manager " + ("running" if self.wm.poll() is None else "exited"))
        return " < ".join(states)

    def focus(self):
        """Gives the window the keyboard focus and waits until the X server has moved it."""
        command = "windowactivate" if self.window_manager else "windowfocus"
        self.xdotool(command, "--sync", str(self.window.id))

        def focused():
            focus = self.conn.get_input_focus().focus
            return focus == self.window or (hasattr(focus, "id") and focus.id == self.window.id)

        wait_until(focused, LINE_TIMEOUT, "the keyboard focus on the window")

    # -- pointer --

    def to_root(self, x, y):
        """Root coordinates of a content point (bottom-left origin, y upward)."""
        left, top, _, height = self.geometry()
        return int(round(left + x)), int(round(top + height - y))

    def move_pointer(self, x, y):
        self.move_pointer_to_root(*self.to_root(x, y))

    def move_pointer_to_root(self, x, y):
        """Moves the pointer and waits until the X server has it there. A window manager's
        click-to-focus grab freezes the pointer until the manager lets the press through; a
        motion sent meanwhile is queued, and a press sent after it could still land where the
        pointer was before."""
        xtest.fake_input(self.conn, X.MotionNotify, x=x, y=y)
        self.conn.sync()
        screen = self.conn.screen()
        target = (min(max(x, 0), screen.width_in_pixels - 1),
                  min(max(y, 0), screen.height_in_pixels - 1))

        def arrived():
            pointer = screen.root.query_pointer()
            return (pointer.root_x, pointer.root_y) == target

        wait_until(arrived, LINE_TIMEOUT, f"the pointer at {target}")

    def press(self, button=1):
        xtest.fake_input(self.conn, X.ButtonPress, button)
        self.conn.sync()

    def release(self, button=1):
        xtest.fake_input(self.conn, X.ButtonRelease, button)
        self.conn.sync()

    def click_point(self, x, y):
        root_x, root_y = self.to_root(x, y)
        self.move_pointer_to_root(root_x, root_y)
        self.press()
        self.release()
        # The window manager's grab may still hold the click; keys are not held with it, so a
        # key sent now could reach the program first. A step aside and back goes through the
        # pointer's queue behind the click: once the pointer is back, the program has the click.
        self.move_pointer_to_root(root_x + 1, root_y)
        self.move_pointer_to_root(root_x, root_y)

    def click(self, title):
        """A click at the centre of the control titled `title`, at the current scale."""
        self.click_point(*layout.centre(title, self.scale()))

    def click_key(self, title, command_lines):
        """Clicks a keypad key and checks its pressed line, command lines and released line."""
        self.click(title)
        self.output.expect([f"DEBUG: Button '{title}' pressed", *command_lines,
                            f"DEBUG: Button '{title}' released"])

    # -- keys --

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *args], env=self.env, stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=60)
        check(result.returncode == 0,
              f"xdotool {' '.join(args[:6])} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode()

    def key(self, *keys, delay=0):
        """Types keys (xdotool key names, "ctrl+h" style) into the focused window with XTEST."""
        self.xdotool("key", "--delay", str(delay), *keys)

    # -- clipboard --

    def set_clipboard(self, data, target=None):
        """Puts bytes on the clipboard with xclip, which keeps serving them in the foreground."""
        path = os.path.join(self.workdir, "clip")
        with open(path, "wb") as stream:
            stream.write(data)
        command = ["xclip", "-quiet", "-selection", "clipboard", "-i", path]
        if target:
            command[1:1] = ["-t", target]
        owner = spawn(command, env=self.env, stdin=subprocess.DEVNULL,
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.clipboard_owners.append(owner)
        # xclip serves once it owns the selection; it may not yet when the call returns.
        if target:
            wait_until(lambda: target in self.clipboard_targets(), LINE_TIMEOUT,
                       f"xclip to offer {target}")
        else:
            wait_until(lambda: self.read_clipboard() == data, LINE_TIMEOUT,
                       "xclip to serve the new clipboard text")
        return owner

    def read_clipboard(self, target=None):
        command = ["xclip", "-o", "-selection", "clipboard"]
        if target:
            command += ["-t", target]
        result = subprocess.run(command, env=self.env, stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=LINE_TIMEOUT * 2)
        return result.stdout if result.returncode == 0 else None

    def clipboard_targets(self):
        data = self.read_clipboard("TARGETS")
        return data.decode(errors="replace").split() if data else []

    def shown(self):
        """The main display's text, as a user gets it: the copy button, then the clipboard."""
        self.click("📄")
        line = self.output.next()
        prefix = "DEBUG: Copied to clipboard: "
        check(line is not None and line.startswith(prefix),
              f"copy wrote {shorten([line])}, not a {prefix!r} line")
        text = line[len(prefix):]
        clip = self.read_clipboard()
        check(clip == text.encode(), f"clipboard holds {clip!r} after copying {text!r}")
        return text

    def expect_shown(self, expected, context=""):
        text = self.shown()
        check(text == expected,
              f"display shows {text!r}, expected {expected!r}" + (f" ({context})" if context
                                                                   else ""))

    # -- screen --

    def screenshot(self):
        """The window's content as a `layout.Image`."""
        x, y, width, height = self.content or (0, 0, *self.size())
        image = self.window.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF)
        return layout.Image(image.data, width, height, byte_order(self.conn))

    def pixel(self, x, y):
        """(r, g, b) at a content point, or None while the window cannot be read."""
        _, _, width, height = self.geometry()
        px, py = int(x), int(height - y)
        if not (0 <= px < width and 0 <= py < height):
            return None
        left, top = self.content[:2] if self.content else (0, 0)
        return pixel(self.conn, self.window, left + px, top + py)

    def wait_layout(self, selected_base):
        """Waits until the screen shows the layout at the window's current scale."""
        findings = []

        def matches():
            findings[:] = layout.layout_mismatches(self.screenshot(), self.scale(), selected_base)
            return not findings

        try:
            wait_until(matches, LINE_TIMEOUT, "the layout at the current scale", interval=0.02)
        except Failure:
            width, height = self.size()
            fail(f"the {width} × {height} window does not show the layout at scale"
                 f" {width / 400:g}:\n    " + "\n    ".join(findings[:12]))

    def wait_colour(self, title, colour, what):
        """Waits until the control's background (left of its title) shows `colour`."""
        def shows():
            x, y = layout.background_point(title, self.scale())
            return layout.close_to(self.pixel(x, y), colour)

        wait_until(shows, LINE_TIMEOUT, what)

    # -- resizing and closing --

    def resize(self, width, height):
        self.xdotool("windowsize", str(self.window.id), str(width), str(height))

    def send_delete(self):
        """Asks the window to close, as a window manager's close button does."""
        send_delete(self.conn, self.window)

    def wait_exit(self, timeout=LINE_TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            fail(f"the program still runs {timeout:.1f} s after the window was closed")

    def alive(self):
        return self.process.poll() is None


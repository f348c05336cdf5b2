# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""The calculator under the window managers of the common desktops, which do not all keep its
limits: mutter and metacity maximise it to the whole screen, i3 tiles it. Whatever size they
force, the whole calculator is shown at its largest allowed size, centred, its keys work there,
and the program accepts the size instead of asking again. Under mutter's own Wayland session a
keyboard resize past the maximum ends in proportion and within the compositor's limits, without
a loop. Without a window manager, a size another client forces costs bounded memory and time."""

import os
import re
import subprocess
import time

import dbus

from Xlib import X
from Xlib.protocol import event as xevent

import layout
from keypad_scenarios import digit
from resize_scenarios import STARTED, check_allowed, live_resize
from quorvin_testing.buses import start_session_bus
from quorvin_testing.checks import LINE_TIMEOUT, START_TIMEOUT, check, wait_until
from quorvin_testing.processes import QUIET, peak_resident_kib, spawn
from quorvin_testing.scenarios import scenario
from quorvin_testing.session import LAUNCH_LINES

MUTTER = ["dbus-run-session", "--", "mutter", "--x11", "--replace", "--sm-disable"]
METACITY = ["dbus-run-session", "--", "metacity", "--replace", "--sm-disable"]
I3_CONFIG = "default_border normal\nfont pango:DejaVu Sans 8\n"


def window_manager(command):
    def prepare(session):
        if command[0] == "i3":
            path = os.path.join(session.workdir, "i3.conf")
            with open(path, "w", encoding="utf-8") as config:
                config.write(I3_CONFIG)
            session.start_window_manager(["i3", "-c", path])
        else:
            session.start_window_manager(command, name=command[2])
    return prepare


def round_half_up(value):
    return int(value + 0.5)


def calculator_in(width, height):
    """Where the calculator is in a window of this size: the largest size within 300 × 435 to
    600 × 870 at 20 : 29 that fits, centred."""
    inner = max(300.0, min(600.0, width, height * 20 / 29))
    inner_height = inner * 29 / 20
    left, bottom = (width - inner) / 2, (height - inner_height) / 2
    top = round_half_up(height - (bottom + inner_height))
    return (round_half_up(left), top, round_half_up(left + inner) - round_half_up(left),
            round_half_up(height - bottom) - top)


def shows_the_whole_calculator(session, selected_base, value):
    """The window is larger than the limits: the calculator in it is 600 × 870, centred on the
    window's background, fully laid out, and its keys work."""
    width, height = session.window_size()
    check(width > 600 and height > 870, f"the desktop gave {width} × {height}")
    session.content = calculator_in(width, height)
    x, y, inner_width, inner_height = session.content
    check((inner_width, inner_height) == (600, 870),
          f"in {width} × {height} the calculator would be {inner_width} × {inner_height}")
    session.wait_layout(selected_base)
    image = session.window.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF)
    order = "little" if session.conn.display.info.image_byte_order == X.LSBFirst else "big"
    whole = layout.Image(image.data, width, height, order)
    for corner in ((2, 2), (width - 3, 2), (2, height - 3), (width - 3, height - 3),
                   (x - 3, y + inner_height // 2), (x + inner_width + 2, y + inner_height // 2)):
        check(layout.close_to(whole.at(*corner), layout.WINDOW_BACKGROUND),
              f"the window shows {whole.at(*corner)} at {corner}, not its background")
    session.click_key("8", digit("8"))
    session.expect_shown(value + "8")
    session.click_key("⌫", ["DEBUG: Backspace"])
    # The program took the desktop's size: it asked for no other, so nothing more happens.
    session.output.expect_quiet()


def set_maximised(session, maximised):
    state = session.conn.get_atom("_NET_WM_STATE")
    vertical = session.conn.get_atom("_NET_WM_STATE_MAXIMIZED_VERT")
    horizontal = session.conn.get_atom("_NET_WM_STATE_MAXIMIZED_HORZ")
    message = xevent.ClientMessage(window=session.window, client_type=state,
                                   data=(32, [int(maximised), vertical, horizontal, 1, 0]))
    session.conn.screen().root.send_event(
        message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    session.conn.sync()


def double_click_title_bar(session):
    """A double click on the title bar; again when a loaded machine made it two single clicks."""
    frame = session.frame()
    _, top, _, _ = session.geometry()
    session.move_pointer_to_root(frame.x + frame.width // 3, top - 12)
    for _ in range(3):
        time.sleep(0.1)
        for _ in range(2):
            session.press()
            session.release()
        deadline = time.monotonic() + 2
        while time.monotonic() < deadline:
            if session.window_size() != (300, 435):
                return
            time.sleep(0.02)


def maximise_and_restore(session, maximise):
    session.click_key("7", digit("7"))
    maximise(session)
    live_resize(session, 300)
    shows_the_whole_calculator(session, "DEC", "7")
    set_maximised(session, False)
    session.content = None
    live_resize(session, None)
    check_allowed(session.size(), "restored")
    session.wait_layout("DEC")
    session.expect_shown("7")


@scenario(modes=("none",), prepare=window_manager(MUTTER), screen="1920x1080x24")
def mutter_maximised_by_the_window_state(session):
    maximise_and_restore(session, lambda s: set_maximised(s, True))


@scenario(modes=("none",), prepare=window_manager(MUTTER), screen="1920x1080x24")
def mutter_maximised_by_a_double_click_on_the_title_bar(session):
    maximise_and_restore(session, double_click_title_bar)


@scenario(modes=("none",), prepare=window_manager(METACITY), screen="1920x1080x24")
def metacity_maximised(session):
    maximise_and_restore(session, lambda s: set_maximised(s, True))


@scenario(modes=("none",), ready=False, prepare=window_manager(["i3"]), screen="1920x1080x24")
def i3_tiled(session):
    """i3 tiles the window at the screen's size as it maps it and keeps that size."""
    session.output.expect(LAUNCH_LINES, timeout=START_TIMEOUT)
    session.find_window()
    live_resize(session, 300)
    session.focus()
    shows_the_whole_calculator(session, "DEC", "")


def key_answers_after(session, delay):
    """Types 5 `delay` seconds from now and returns how long its line took, skipping the lines of
    the live resize around it."""
    time.sleep(delay)
    typed = time.monotonic()
    session.key("5")
    while True:
        line = session.output.next(timeout=LINE_TIMEOUT)
        if line == "DEBUG: Key pressed: 5":
            return time.monotonic() - typed
        check(line is not None and line.startswith("DEBUG: ") and (
            "resize" in line or "Frame size" in line or line == "DEBUG: UI setup complete"),
            f"unexpected line {line!r} while waiting for the key")


@scenario(modes=("none",))
def a_size_another_client_forces_costs_bounded_memory(session):
    """A synthetic ConfigureNotify of 65535 × 65535 and a real resize to 32767 × 32767: the
    resident memory stays under twice its figure at 600 × 870, and a key typed half a second
    later is handled at once."""
    session.resize(600, 870)
    live_resize(session, 300)
    session.wait_layout("DEC")
    time.sleep(0.3)
    pid = session.process.pid
    at_largest = peak_resident_kib(pid)
    fake = xevent.ConfigureNotify(window=session.window, event=session.window, x=0, y=0,
                                  width=65535, height=65535, border_width=0,
                                  above_sibling=X.NONE, override=0)
    session.window.send_event(fake, event_mask=X.StructureNotifyMask)
    session.conn.sync()
    answered_fake = key_answers_after(session, 0.5)
    session.resize(32767, 32767)
    answered_real = key_answers_after(session, 0.5)
    wait_until(lambda: session.size() != (32767, 32767), LINE_TIMEOUT, "the size's correction")
    peak = peak_resident_kib(pid)
    session.figures.append(
        f"peak memory {peak / 1024:.0f} MiB against {at_largest / 1024:.0f} MiB at 600 × 870;"
        f" keys answered {answered_fake:.2f} s and {answered_real:.2f} s after being typed")
    check(peak < 2 * at_largest, f"peak memory {peak} KiB, more than twice {at_largest} KiB")
    check(max(answered_fake, answered_real) < 0.5, "a key waited half a second or more")
    session.output.expect_quiet(0.5)
    check_allowed(session.size(), "after the resize to 32767 × 32767")


# --- mutter's Wayland session, headless, driven through its remote-desktop keyboard ----------

WAYLAND_SOCKET = "quorvin-mutter"
# evdev key codes
KEY_LEFTSHIFT, KEY_LEFTALT, KEY_5, KEY_F4, KEY_F8 = 42, 56, 6, 62, 66
KEY_RIGHT, KEY_ENTER = 106, 28


class RemoteKeyboard:
    """Keys typed through mutter's remote-desktop API, as the session's own keyboard."""

    def __init__(self, address):
        self.bus = dbus.bus.BusConnection(address)
        desktop = self.bus.get_object("org.gnome.Mutter.RemoteDesktop",
                                      "/org/gnome/Mutter/RemoteDesktop")
        path = desktop.CreateSession(dbus_interface="org.gnome.Mutter.RemoteDesktop")
        self.session = dbus.Interface(self.bus.get_object("org.gnome.Mutter.RemoteDesktop", path),
                                      "org.gnome.Mutter.RemoteDesktop.Session")
        self.session.Start()

    def key(self, code, pressed):
        self.session.NotifyKeyboardKeycode(dbus.UInt32(code), pressed)
        time.sleep(0.05)  # the pace of a hand; mutter reads a step per key press

    def tap(self, code, *modifiers):
        for modifier in modifiers:
            self.key(modifier, True)
        self.key(code, True)
        self.key(code, False)
        for modifier in reversed(modifiers):
            self.key(modifier, False)


def mutter_wayland(session):
    address = start_session_bus(session.clipboard_owners)  # ended with the session
    env = dict(session.env, DBUS_SESSION_BUS_ADDRESS=address)
    session.wm = spawn(["mutter", "--headless", "--wayland", "--no-x11", "--virtual-monitor",
                        "1920x1080", f"--wayland-display={WAYLAND_SOCKET}"],
                       env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, cwd=session.workdir)
    socket = os.path.join(session.runtime_dir, WAYLAND_SOCKET)
    wait_until(lambda: os.path.exists(socket), START_TIMEOUT, "mutter's Wayland socket")

    def keyboard():
        try:
            return RemoteKeyboard(address)
        except dbus.exceptions.DBusException:
            return None

    session.keyboard = wait_until(keyboard, START_TIMEOUT, "mutter's remote desktop")
    # The protocol log goes to standard error, which the session keeps in a file.
    session.env = dict(env, WAYLAND_DISPLAY=WAYLAND_SOCKET, QT_QPA_PLATFORM="wayland",
                       WAYLAND_DEBUG="client")


def last_request(session, request):
    with open(session.stderr_path, "rb") as log:
        found = re.findall(rf"{request}\((\d+), (\d+)(?:, (\d+), (\d+))?\)".encode(),
                           log.read())
    check(found, f"no {request} request in the protocol log")
    return [int(value) for value in found[-1] if value]


@scenario(modes=("none",), ready=False, prepare=mutter_wayland)
def mutter_wayland_keyboard_resize_past_the_maximum(session):
    """Alt+F8 and 35 steps to the right, 10 pixels each, from 300 to past 600: one live resize
    per step that changes the size, a window in proportion within mutter's maximum (frame
    included) at the end, and then no live resize for 10 s."""
    session.output.expect(LAUNCH_LINES, timeout=START_TIMEOUT)
    keyboard = session.keyboard
    keyboard.tap(KEY_LEFTSHIFT)  # mutter makes its virtual keyboard on the first key
    time.sleep(1)
    keyboard.tap(KEY_5)
    session.output.expect(["DEBUG: Key pressed: 5"])
    keyboard.tap(KEY_F8, KEY_LEFTALT)
    time.sleep(0.5)
    steps = 35
    for _ in range(steps):
        keyboard.tap(KEY_RIGHT)
        time.sleep(0.25)
    keyboard.tap(KEY_ENTER)
    resizes = []
    while (line := session.output.next_unless_quiet(1.0)) == STARTED:
        resizes.append(live_resize(session, None, started=True))
    check(line is QUIET, f"unexpected line {line!r} after the resize")
    check(20 <= len(resizes) <= steps,
          f"{steps} steps gave {len(resizes)} live resizes: {resizes}")
    session.output.expect_quiet(10.0)
    _, _, width, height = last_request(session, "set_window_geometry")
    max_width, max_height = last_request(session, "set_max_size")
    frame = (max_width - 600, max_height - 870)
    check(width <= max_width and height <= max_height,
          f"the window ends at {width} × {height}, beyond mutter's maximum {max_width} × {max_height}")
    check_allowed((width - frame[0], height - frame[1]), "after the keyboard resize")
    session.figures.append(f"{len(resizes)} live resizes for {steps} steps; window {width} × "
                           f"{height} with a {frame[0]} × {frame[1]} frame; quiet for 10 s")
    keyboard.tap(KEY_F4, KEY_LEFTALT)
    session.output.expect(["DEBUG: App closing"])
    check(session.wait_exit() == 0, "the program did not end cleanly")

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Start-up and closing: what the program writes, where its window appears, how it ends."""

import configparser
from pathlib import Path

from Xlib import Xatom

import layout
from quorvin_testing.checks import LINE_TIMEOUT, check, wait_until
from quorvin_testing.scenarios import scenario
from quorvin_testing.session import LAUNCH_LINES

DESKTOP_ENTRY = Path(__file__).resolve().parents[2] / "data" / "io.quorvin.Quorvin.desktop"
# Points of the 128 × 128 icon (data/io.quorvin.Quorvin.svg) and their colours: outside the body,
# the display and the orange key.
ICON_PROBES = (((4, 4), None), ((40, 28), (166, 191, 166)), ((89, 59), (242, 140, 40)))


@scenario(ready=False)
def launch_lines_and_first_window(session):
    """Exactly the three launch lines; a 300 × 435 window showing 0 in decimal."""
    session.output.expect(LAUNCH_LINES, timeout=15)
    session.find_window()
    session.wait_painted()
    # Installing the content view and showing the window are no resize: nothing follows.
    session.output.expect_quiet()
    left, top, width, height = session.geometry()
    check((width, height) == (300, 435), f"first content size {width} × {height}, not 300 × 435")
    if not session.window_manager:
        # Centred: without a window manager the window stays where the program put it.
        screen = session.conn.screen()
        centred = ((screen.width_in_pixels - 300) // 2, (screen.height_in_pixels - 435) // 2)
        check((left, top) == centred, f"window at {(left, top)}, centred would be {centred}")
    # The window was found by its title; it shows the layout at scale 0.75, DEC selected.
    session.wait_layout("DEC")
    session.expect_shown("0")


@scenario(modes=("none",))
def window_carries_the_desktop_entrys_class_and_icon(session):
    """WM_CLASS is ("quorvin", the desktop entry's StartupWMClass), so docks match the window
    to its launcher; _NET_WM_ICON holds the application's icon, drawn from the SVG that the
    program carries when no icon theme has it."""
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(DESKTOP_ENTRY, encoding="utf-8")
    startup_class = entry["Desktop Entry"].get("StartupWMClass")
    check(startup_class, f"{DESKTOP_ENTRY.name} has no StartupWMClass")
    wm_class = session.window.get_wm_class()
    check(wm_class == ("quorvin", startup_class),
          f"WM_CLASS is {wm_class}, expected ('quorvin', {startup_class!r})")

    # The icon follows the first frame.
    icon_atom = session.conn.get_atom("_NET_WM_ICON")
    prop = wait_until(lambda: session.window.get_full_property(icon_atom, Xatom.CARDINAL),
                      LINE_TIMEOUT, "_NET_WM_ICON on the window")
    # width, height, then width × height ARGB pixels, for each size in turn.
    data, icons = list(prop.value), {}
    check(len(data) > 2, f"_NET_WM_ICON holds {len(data)} values")
    while len(data) >= 2:
        width, height = data[0], data[1]
        check(width == height and 0 < width and len(data) >= 2 + width * height,
              f"malformed _NET_WM_ICON entry {width} × {height}")
        icons[width] = data[2:2 + width * height]
        data = data[2 + width * height:]
    size = max(icons)
    check(size >= 64, f"the largest icon is {size} × {size}")
    for (x, y), colour in ICON_PROBES:
        pixel = icons[size][(y * size // 128) * size + x * size // 128]
        alpha, rgb = pixel >> 24, ((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF)
        if colour is None:
            check(alpha == 0, f"icon pixel {(x, y)} of {size} is {pixel:#010x}, not transparent")
        else:
            check(alpha == 255 and all(abs(a - b) <= 8 for a, b in zip(rgb, colour)),
                  f"icon pixel {(x, y)} of {size} is {pixel:#010x}, expected {colour}")


@scenario()
def closing_writes_its_line_and_exits_zero(session):
    """WM_DELETE_WINDOW after some use: the closing line, nothing after it, status 0."""
    session.click_key("7", ["DEBUG: Digit pressed: 7"])
    session.send_delete()
    session.output.expect(["DEBUG: App closing"])
    status = session.wait_exit()
    check(status == 0, f"exit status {status}")
    check(session.output.next() is None, "output after the closing line")


@scenario()
def closing_while_a_key_is_held(session):
    """Closing with the mouse button still down on a key ends cleanly, without its command."""
    session.move_pointer(*layout.centre("9", session.scale()))
    session.press()
    session.output.expect(["DEBUG: Button '9' pressed"])
    session.send_delete()
    lines = session.output.until("DEBUG: App closing")
    check(lines in (["DEBUG: App closing"], ["DEBUG: Button '9' released", "DEBUG: App closing"]),
          f"closing with a key held wrote {lines}")
    status = session.wait_exit()
    session.release()
    check(status == 0, f"exit status {status}")

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Resizing with `xdotool windowsize` and by dragging the frame: the live-resize lines, the
rebuild at the new scale, the size limits and the proportion."""

import re
import time

from keypad_scenarios import HEX, digit, select_base
from quorvin_testing.checks import check, fail
from quorvin_testing.scenarios import scenario

STARTED = "DEBUG: Live resize started"
ENDED = "DEBUG: Live resize ended"
REBUILD = ["DEBUG: Handling resize, updating UI...", "DEBUG: UI setup complete"]
FRAME = re.compile(r"DEBUG: Frame size changed: \((\d+)\.0, (\d+)\.0\)")
MIN_SIZE, MAX_SIZE = (300, 435), (600, 870)


def live_resize(session, start_width, started=False):
    """Reads one live resize, from its start line (already read if `started`) to the rebuild
    after its end.

    Each report must be followed by a rebuild and have moved the width by more than 5 from the
    last report, or from `start_width` (None when it is not known). Returns the reported sizes.
    """
    if not started:
        session.output.expect([STARTED])
    sizes, last_width = [], start_width
    while True:
        line = session.output.next()
        if line == ENDED:
            break
        match = FRAME.fullmatch(line or "")
        if match is None:
            fail(f"unexpected line during a live resize: {line!r}")
        size = int(match[1]), int(match[2])
        check(last_width is None or abs(size[0] - last_width) > 5,
              f"reported {size} although the width moved only from {last_width}")
        sizes.append(size)
        last_width = size[0]
        session.output.expect(REBUILD)
    session.output.expect(REBUILD)
    return sizes


def check_allowed(size, what):
    width, height = size
    check(MIN_SIZE[0] <= width <= MAX_SIZE[0] and MIN_SIZE[1] <= height <= MAX_SIZE[1],
          f"{what}: {width} × {height} is outside 300 × 435 to 600 × 870")
    check(abs(height - width * 29 / 20) <= 1,
          f"{what}: {width} × {height} is not in the proportion 20 : 29")


def resize(session, width, height):
    """Resizes and reads the live resize it causes; returns the reports and the final size."""
    start_width = session.size()[0]
    session.resize(width, height)
    reports = live_resize(session, start_width)
    return reports, session.size()


@scenario()
def resize_rebuilds_at_the_new_scale(session):
    """Each size: one report, the rebuild, the layout at the new scale, clicks that land."""
    select_base(session, HEX)
    session.click_key("F", digit("F"))
    for width, height in ((400, 580), (600, 870), (300, 435), (500, 725), (360, 522)):
        reports, size = resize(session, width, height)
        check(reports == [(width, height)], f"resizing to {width} × {height} reported {reports}")
        check(size == (width, height), f"asked for {width} × {height}, got {size}")
        session.wait_layout("HEX")
        session.expect_shown("F", f"after the rebuild at {width} × {height}")
        # Keys at the new coordinates, in three corners of the keypad.
        session.click_key("A", digit("A"))
        session.expect_shown("FA")
        session.click_key("⌫", ["DEBUG: Backspace"])
        session.click_key("=", ["DEBUG: Equals pressed"])
        session.expect_shown("F")


# Sizes outside the limits or the proportion; each is tried from 400 × 580.
OUTSIDE = [(1000, 1000), (100, 100), (2000, 300), (300, 2000), (500, 500), (450, 10), (10, 900),
           (700, 600), (601, 871), (299, 434)]


@scenario()
def sizes_outside_the_limits_end_within_them(session):
    select_base(session, HEX)
    session.click_key("C", digit("C"))
    for width, height in OUTSIDE:
        reports, size = resize(session, 400, 580)
        check(size == (400, 580) and reports == [(400, 580)],
              f"400 × 580 gave {size}, reports {reports}")
        reports, size = resize(session, width, height)
        check_allowed(size, f"after asking for {width} × {height}")
        if session.window_manager:
            # The window manager keeps the hints itself: the program only sees allowed sizes.
            for report in reports:
                check_allowed(report, f"reported while asking for {width} × {height}")
        else:
            # Alone, the window takes any size; the program corrects it when the resize ends.
            check(reports == [(width, height)],
                  f"asking for {width} × {height} reported {reports}")
        session.wait_layout("HEX")
        session.click_key("D", digit("D"))
        session.expect_shown("CD")
        session.click_key("⌫", ["DEBUG: Backspace"])


@scenario()
def a_small_change_rebuilds_once_without_a_report(session):
    """Within 5 of the starting width: no report, still exactly one rebuild at the end."""
    for width, height in ((304, 441), (300, 435), (305, 442)):
        reports, size = resize(session, width, height)
        check(reports == [], f"{width} × {height} from 300 wide reported {reports}")
        check_allowed(size, f"after asking for {width} × {height}")
        session.wait_layout("DEC")
    session.click_key("5", digit("5"))
    session.expect_shown("5")


@scenario(modes=("none",))
def a_change_of_height_alone_reports_nothing(session):
    """Only the width is compared; the height comes back into proportion at the end."""
    reports, size = resize(session, 300, 600)
    check(reports == [], f"a height change reported {reports}")
    check(size == (300, 435), f"the height was not brought back: {size}")
    session.wait_layout("DEC")


@scenario(modes=("openbox",))
def a_drag_of_the_window_corner(session):
    """A user's drag of the frame's corner, with a pause while the button is still held:
    one live resize, reports every 6 points or more, in proportion, ended by the release."""
    select_base(session, HEX)
    session.click_key("E", digit("E"))
    frame = session.frame()
    x, y = frame.x + frame.width - 2, frame.y + frame.height - 2
    session.move_pointer_to_root(x, y)
    session.press()
    for step in range(1, 81):
        session.move_pointer_to_root(x + step, y + step)
        time.sleep(0.005)  # the pace of a hand, not a wait for anything
        if step == 40:
            time.sleep(0.5)  # holding still, longer than a live resize's quiet time
    session.release()
    reports = live_resize(session, 300)
    check(len(reports) >= 6, f"a drag of 80 points reported only {reports}")
    for report in reports:
        check_allowed(report, "reported during the drag")
    check_allowed(session.size(), "after the drag")
    session.output.expect_quiet()  # one live resize for the whole drag
    session.wait_layout("HEX")
    session.click_key("F", digit("F"))
    session.expect_shown("EF")


def restart_scaled(session, factor):
    """Ends the running program and starts it again with QT_SCALE_FACTOR=`factor`."""
    session.send_delete()
    session.output.expect(["DEBUG: App closing"])
    check(session.wait_exit() == 0, "the program did not end cleanly before the restart")
    session.env = dict(session.env, QT_SCALE_FACTOR=factor)
    session.start_program()
    session.wait_ready()
    session.find_window()
    session.wait_painted()


@scenario()
def a_scaled_screen_resizes_between_the_limits_in_points(session):
    """The window manager reads its hints in device pixels: at a device pixel ratio of 2 and of
    1.5 the window still grows to 600 × 870 points and shrinks to 300 × 435, in proportion."""
    for factor in ("2", "1.5"):
        restart_scaled(session, factor)
        ratio = float(factor)
        pixels = session.size()
        check(abs(pixels[0] - 300 * ratio) <= 1 and abs(pixels[1] - 435 * ratio) <= 1,
              f"at {factor}x the window opened at {pixels[0]} × {pixels[1]} pixels")
        for asked, points in (((2000, 2000), MAX_SIZE), ((100, 100), MIN_SIZE)):
            start_width = round(session.size()[0] / ratio)
            session.resize(*asked)
            reports = live_resize(session, start_width)
            if session.window_manager:
                # It keeps the limits during the resize: only allowed sizes are reported.
                check(reports and all(abs(a - b) <= 1 for a, b in zip(reports[-1], points)),
                      f"at {factor}x asking for {asked} pixels reported {reports}, not {points}")
                for report in reports:
                    check_allowed(report, f"reported at {factor}x while asking for {asked}")
            width, height = session.size()
            check(abs(width - points[0] * ratio) <= 1 and abs(height - points[1] * ratio) <= 1,
                  f"at {factor}x asking for {asked} ended at {width} × {height} pixels")

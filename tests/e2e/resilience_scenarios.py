"""Resilience: the program neither hangs nor loses input when its surroundings misbehave.

A small screen, a window taken away while a key is held, a clipboard owner that never answers,
a huge clipboard text and a session bus that accepts connections but never answers.
"""

from Xlib import X

import layout
from xsession import LAUNCH_LINES, START_TIMEOUT, check, scenario, wait_until

KEY = "DEBUG: Key pressed: "


def viewable(session):
    return session.window.get_attributes().map_state == X.IsViewable


@scenario(ready=False, screen="320x240x24")
def a_window_larger_than_the_screen_keeps_its_title_bar_on_it(session):
    """On a 320 × 240 screen the 300 × 435 window starts at the top, centred across: its title
    bar and display are on screen."""
    session.output.expect(LAUNCH_LINES, timeout=START_TIMEOUT)
    session.find_window()
    wait_until(lambda: viewable(session), START_TIMEOUT, "the window to be mapped")
    left, top, width, height = session.geometry()
    check((width, height) == (300, 435), f"content size {width} × {height}, not 300 × 435")
    if session.window_manager:
        frame = session.frame()
        check(frame.x >= 0 and frame.y >= 0 and frame.x + frame.width <= 320,
              f"frame at ({frame.x}, {frame.y}), {frame.width} wide, leaves the screen")
        check(top > frame.y, f"content at y = {top}, no title bar above it (frame y {frame.y})")
    else:
        check((left, top) == (10, 0), f"window at {(left, top)}, not (10, 0)")


@scenario()
def a_press_ends_when_its_window_is_taken_away(session):
    """A key held while the window is minimised (openbox) or unmapped (no window manager): the
    press ends as a release away from the key, without its command, and the key typed during
    the press acts right then; afterwards keys act at once."""
    session.move_pointer(*layout.centre("9", session.scale()))
    session.press()
    session.output.expect(["DEBUG: Button '9' pressed"])
    session.key("5")
    session.output.expect_quiet()  # held back behind the press
    command = "windowminimize" if session.window_manager else "windowunmap"
    session.xdotool(command, "--sync", str(session.window.id))
    session.output.expect(["DEBUG: Button '9' released", KEY + "5"])
    session.release()
    if not session.window_manager:
        session.xdotool("windowmap", "--sync", str(session.window.id))
    session.focus()
    session.wait_painted()
    session.key("2")
    session.output.expect([KEY + "2"])
    session.expect_shown("52")

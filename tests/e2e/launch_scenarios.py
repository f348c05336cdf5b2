"""Start-up and closing: what the program writes, where its window appears, how it ends."""

import layout
from xsession import LAUNCH_LINES, check, scenario


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

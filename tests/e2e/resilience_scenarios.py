# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Resilience: the program never hangs, never dies and never loses input because of its
surroundings.

Standard descriptors closed at start, a reader of standard output that goes away or stalls, a
flood of close requests, pasted text that would fool a terminal, unusable scale settings; a small
screen, a window taken away while a key is held, a clipboard owner that never answers, answers
slowly, never stops or announces any size, a huge clipboard text and a session bus that accepts
connections but never answers. Each scenario reports its figures beside its verdict.
"""

import fcntl
import itertools
import os
import re
import select
import socket
import subprocess
import termios
import time

from Xlib import X, display, error
from Xlib.protocol import event as xevent

import layout
from clipboard_scenarios import PASTED, Answer, ClipboardOwner
from keypad_scenarios import digit
from quorvin_testing.checks import LINE_TIMEOUT, START_TIMEOUT, check, fail, wait_until
from quorvin_testing.processes import (OutputLines, is_sanitized, peak_resident_kib, spawn,
                                       stop_process)
from quorvin_testing.scenarios import scenario
from quorvin_testing.session import LAUNCH_LINES

COPIED = "DEBUG: Copied to clipboard: "
# Longer than a pipe holds (64 KiB): the program's writer waits inside this line.
BIG_TEXT = b"1234567890" * 20000
BIG_VALUE = b"1234567890123456789"  # what the paste leaves: the rest leaves the 64-bit range
TYPED_KEYS = 1250  # five calls of 250
DROPPED = re.compile(r"quorvin: (\d+) diagnostic lines? (?:was|were) dropped"
                     r" while standard output was not read")


def relaunch(session, command=None, stdout=subprocess.PIPE, env=None):
    """Ends the program the session started and starts it again with other standard descriptors
    or environment; standard error goes to a fresh file. `command` runs instead of the program
    itself and gets it as its $0."""
    if session.process is not None:
        stop_process(session.process)
        if session.process.stdout is not None:
            session.process.stdout.close()
    if session._stderr is not None:
        session._stderr.close()
    session.stderr_path = os.path.join(session.workdir, f"stderr-{time.monotonic_ns()}")
    session._stderr = open(session.stderr_path, "wb")
    argv = ["sh", "-c", command, session.program] if command else [session.program]
    session.process = spawn(argv, env=env or session.env, stdin=subprocess.DEVNULL,
                            stdout=stdout, stderr=session._stderr, cwd=session.workdir)
    if stdout == subprocess.PIPE:
        session.output = OutputLines(session.process.stdout)
    else:
        session.output = None
        session.process.stdout = open(os.devnull, "rb")  # what the session closes at the end
    session.window = None


def stderr_lines(session):
    with open(session.stderr_path, "rb") as stream:
        return stream.read().decode("utf-8", "replace").splitlines()


def copied_value(session, expected, timeout=LINE_TIMEOUT):
    """Clicks 📄 and waits until the clipboard holds `expected`; returns the seconds it took."""
    begin = time.monotonic()
    session.click("📄")
    wait_until(lambda: session.read_clipboard() == expected.encode(), timeout,
               f"the clipboard to hold {expected!r} after 📄")
    return time.monotonic() - begin


def clipboard_owner(session):
    return session.conn.get_selection_owner(session.conn.get_atom("CLIPBOARD"))


def copy_after_pastes(session, timeout):
    """Clicks 📄 and waits until the program owns the clipboard, which it does only once the
    pastes clicked before are done. Reading the clipboard meanwhile would compete with the
    program for xclip's large text."""
    previous = clipboard_owner(session)
    begin = time.monotonic()
    session.click("📄")
    wait_until(lambda: clipboard_owner(session) not in (previous, X.NONE), timeout,
               "the program to own the clipboard after 📄")
    return time.monotonic() - begin


def enter_42(session):
    """Escape, 4, 2 typed, then 📄: the clipboard holds 42. Keys, not clicks: a click queued
    behind another one while the window is busy can be taken as a release away from its key,
    which is not what these scenarios are about. Returns the seconds the copy took; writes 4
    lines."""
    session.key("Escape", "4", "2")
    return copied_value(session, "42")


def close_and_wait(session, timeout=LINE_TIMEOUT):
    begin = time.monotonic()
    session.send_delete()
    status = session.wait_exit(timeout)
    return status, time.monotonic() - begin


# A pipe holds 16 pages of 4 KiB; short lines share a page, so "full" is a little below 64 KiB.
FULL_PIPE = 48 * 1024


def bytes_in_pipe(fd):
    return int.from_bytes(fcntl.ioctl(fd, termios.FIONREAD, b"\0\0\0\0"), "little")


@scenario(ready=False)
def closed_standard_descriptors_at_start(session):
    """Started with standard output and error closed (`quorvin >&- 2>&-`): the window appears
    and works, and closing it ends the program with status 0."""
    relaunch(session, 'exec "$0" >&- 2>&-', stdout=subprocess.DEVNULL)
    begin = time.monotonic()
    session.find_window()
    session.wait_painted()
    painted = time.monotonic() - begin
    session.focus()
    enter_42(session)
    status, took = close_and_wait(session)
    check(status == 0, f"exit status {status} after closing the window")
    session.figures.append(f"first frame {painted:.2f} s after start, closed in {took:.2f} s,"
                           f" status {status}")


@scenario(ready=False)
def reader_of_standard_output_goes_away(session):
    """quorvin | head -n 2: the program outlives its reader, works on and exits with 0."""
    read_end, write_end = os.pipe()
    head = spawn(["head", "-n", "2"], stdin=read_end, stdout=subprocess.PIPE,
                 stderr=subprocess.DEVNULL)
    session.clipboard_owners.append(head)  # ended with the session
    try:
        relaunch(session, stdout=write_end)
    finally:
        os.close(read_end)
        os.close(write_end)
    shown, _ = head.communicate(timeout=15)
    check(shown.decode().splitlines() == LAUNCH_LINES[:2], f"head showed {shown!r}")
    session.find_window()
    session.wait_painted()
    session.focus()
    # Each click writes lines into the pipe that nobody reads any more.
    enter_42(session)
    status, took = close_and_wait(session)
    check(status == 0, f"exit status {status} after the reader went away (141: SIGPIPE)")
    notices = [line for line in stderr_lines(session) if DROPPED.search(line)]
    check(not notices, f"lines lost to a closed pipe were reported: {notices}")
    session.figures.append(f"exit status {status}, closed in {took:.2f} s")


@scenario(ready=False)
def stalled_reader_never_blocks_the_window(session):
    """A reader that stops reading: the window keeps working (a copy reaches the clipboard)
    while the pipe is full; when reading resumes the lines come whole and in order, the ones
    that did not fit are missing, and one line on standard error says how many."""
    read_end, write_end = os.pipe()
    try:
        relaunch(session, stdout=write_end)
    finally:
        os.close(write_end)
    session.find_window()
    session.wait_painted()
    session.focus()
    session.set_clipboard(BIG_TEXT)
    session.click("📋")  # fills the pipe; the writer waits inside this line
    wait_until(lambda: bytes_in_pipe(read_end) >= FULL_PIPE, LINE_TIMEOUT, "a full pipe")
    # One line each; more than the program keeps waiting (1024).
    begin = time.monotonic()
    for _ in range(0, TYPED_KEYS, 250):
        session.key(*["x"] * 250)
    typed = time.monotonic() - begin
    # Once the program owns the clipboard it has handled every key typed before.
    copy_after_pastes(session, timeout=30)
    check(session.read_clipboard() == BIG_VALUE, f"after the paste: {session.read_clipboard()}")
    begin = time.monotonic()
    response = enter_42(session)
    stalled = time.monotonic() - begin
    in_pipe = bytes_in_pipe(read_end)
    check(in_pipe >= FULL_PIPE, f"only {in_pipe} bytes in the pipe: it never filled")
    written_while_stalled = TYPED_KEYS + 1 + 4  # keys, copy, 3 keys and a copy

    session.process.stdout.close()
    session.process.stdout = os.fdopen(read_end, "rb")
    session.output = OutputLines(session.process.stdout)
    session.output.expect(LAUNCH_LINES + [PASTED + BIG_TEXT.decode()], timeout=15)
    session.output.expect(["DEBUG: Key pressed: x"] * 1024, timeout=15)
    session.click("CE")
    session.output.expect(["DEBUG: Button 'CE' pressed", "DEBUG: Clear",
                           "DEBUG: Button 'CE' released"])
    notices = [match for line in stderr_lines(session) if (match := DROPPED.search(line))]
    check(len(notices) == 1, f"standard error: {stderr_lines(session)}")
    dropped = int(notices[0].group(1))
    check(dropped == written_while_stalled - 1024,
          f"{dropped} lines reported dropped; {written_while_stalled} written while stalled,"
          f" 1024 kept")
    session.figures.append(f"with {in_pipe} bytes in the pipe: {TYPED_KEYS} keys in"
                           f" {typed:.2f} s, then 3 keys and a copy in {stalled:.2f} s, the copy"
                           f" on the clipboard {response:.2f} s after its click; {dropped}"
                           f" lines dropped and reported")


@scenario(ready=False)
def closing_while_the_reader_stalls(session):
    """Closing the window while nobody reads the pipe ends the program within the time it
    allows for the last lines (2 s), with status 0, and reports the lines it could not write."""
    read_end, write_end = os.pipe()
    try:
        relaunch(session, stdout=write_end)
    finally:
        os.close(write_end)
    try:
        session.find_window()
        session.wait_painted()
        session.set_clipboard(BIG_TEXT)
        session.click("📋")
        wait_until(lambda: bytes_in_pipe(read_end) >= FULL_PIPE, LINE_TIMEOUT, "a full pipe")
        status, took = close_and_wait(session, timeout=10)
    finally:
        os.close(read_end)
    check(status == 0, f"exit status {status}")
    check(took < 4, f"the program took {took:.2f} s to exit")
    # The paste line that was cut off and "App closing".
    notices = [line for line in stderr_lines(session) if DROPPED.search(line)]
    check(len(notices) == 1 and DROPPED.search(notices[0]).group(1) == "2",
          f"standard error: {stderr_lines(session)}")
    session.figures.append(f"exited {took:.2f} s after the close request, status {status}")


@scenario()
def twenty_close_requests_close_once(session):
    """20 WM_DELETE_WINDOW messages at once: one closing line, then the end, status 0."""
    session.click_key("7", digit("7"))
    protocols = session.conn.get_atom("WM_PROTOCOLS")
    delete = session.conn.get_atom("WM_DELETE_WINDOW")
    message = xevent.ClientMessage(window=session.window, client_type=protocols,
                                   data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    # The window is gone before the last ones arrive; those errors are expected.
    gone = error.CatchError(error.BadWindow)
    for _ in range(20):
        session.window.send_event(message, event_mask=X.NoEventMask, onerror=gone)
    session.conn.sync()
    session.output.expect(["DEBUG: App closing"])
    status = session.wait_exit()
    rest = []
    while (line := session.output.next()) is not None:
        rest.append(line)
    check(not rest, f"after the closing line: {rest[:3]} ({len(rest)} lines)")
    check(status == 0, f"exit status {status}")


# (clipboard text, the line's text): the text \x1B and an ESC differ, and no control that turns
# or splits a terminal's line gets through.
LOOKALIKES = [
    ("\\x1B[2J", "\\\\x1B[2J"),
    ("\x1b[2J", "\\x1B[2J"),
    ("1\u202e2\u20663\u20284\u2029", "1\\u{202E}2\\u{2066}3\\u{2028}4\\u{2029}"),
]


@scenario()
def pasted_lookalikes_give_distinct_lines(session):
    for text, logged in LOOKALIKES:
        session.set_clipboard(text.encode())
        session.click("📋")
        session.output.expect([PASTED + logged])


UNUSABLE_SCALE_FACTORS = ["0", "nan", "-1.5", "inf", "two"]


@scenario(ready=False)
def unusable_scale_factors_are_ignored(session):
    """Each unusable QT_SCALE_FACTOR: one line on standard error, then a 300 × 435 window."""
    for index, value in enumerate(UNUSABLE_SCALE_FACTORS):
        relaunch(session, env=dict(session.env, QT_SCALE_FACTOR=value))
        session.wait_ready()
        check(session.size() == (300, 435), f"QT_SCALE_FACTOR={value}: window {session.size()}")
        expected = f'quorvin: ignoring QT_SCALE_FACTOR="{value}": not a positive number'
        lines = stderr_lines(session)
        check(lines.count(expected) == 1, f"QT_SCALE_FACTOR={value}: standard error {lines}")
        if index + 1 < len(UNUSABLE_SCALE_FACTORS):
            session.send_delete()
            session.output.expect(["DEBUG: App closing"])
            check(session.wait_exit() == 0, f"QT_SCALE_FACTOR={value}: exit status")


KEY = "DEBUG: Key pressed: "
OWNER_TIMEOUT = 5.0  # how long the program waits for a clipboard owner's answer


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


@scenario()
def a_paste_against_a_silent_clipboard_owner_waits_once(session):
    """Another client owns the clipboard and never answers: 📋 freezes the window for one
    timeout, not one per question, and then pastes nothing."""
    session.click_key("4", digit("4"))
    owner = display.Display(session.display_name)
    try:
        window = owner.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        window.set_selection_owner(owner.get_atom("CLIPBOARD"), X.CurrentTime)
        owner.sync()  # and from here on it reads no event, so it answers no request
        begin = time.monotonic()
        session.click("📋")
        # A key, not a click, tells when the window answers again: under openbox a click queued
        # behind a frozen window is now and then lost before it reaches the program.
        session.key("2")
        line = session.output.next(timeout=3 * OWNER_TIMEOUT)
        frozen = time.monotonic() - begin
        check(line == "DEBUG: Key pressed: 2", f"after the paste came {line!r}")
        session.figures.append(f"a paste against a silent owner froze the window {frozen:.1f} s")
        check(frozen < 1.5 * OWNER_TIMEOUT,
              f"the window froze {frozen:.1f} s: more than one {OWNER_TIMEOUT:.0f} s wait")
    finally:
        owner.close()
    session.expect_shown("42")


PASTE_TIME_LIMIT = 30.0  # seconds a whole paste may take
PASTE_BYTE_LIMIT_MIB = 128  # of the owner's bytes a paste may hold
NOTHING_PASTED = "quorvin: nothing pasted: "

# (what the owner does, its answer): each paste ends within the bounds, says why on standard
# error, pastes nothing, and a key typed while it waited acts after it.
RUNAWAY_OWNERS = [
    ("endless", Answer("UTF8_STRING", pieces=itertools.repeat(b"7" * 65536), announced=1),
     "the clipboard's text is larger than 128 MiB"),
    # Each byte within the 5 s that one answer may take, with room for a loaded machine.
    ("one byte every 3 s", Answer("UTF8_STRING", pieces=itertools.repeat(b"7"), interval=3.0),
     "the clipboard's owner took longer than 30 s"),
]


@scenario()
def a_paste_ends_within_its_bounds(session):
    for what, answer, why in RUNAWAY_OWNERS:
        session.key("Escape", "4")
        session.output.expect([KEY + "\\x1B", KEY + "4"])
        owner = ClipboardOwner(session, "UTF8_STRING", answer)
        begin = time.monotonic()
        session.click("📋")
        session.key("2")
        line = session.output.next(timeout=PASTE_TIME_LIMIT + 15)
        waited = time.monotonic() - begin
        check(line == KEY + "2", f"{what}: after the paste came {shorten_line(line)}")
        check(waited < PASTE_TIME_LIMIT + 3, f"{what}: the paste took {waited:.1f} s")
        stopped = [line for line in stderr_lines(session) if line.startswith(NOTHING_PASTED)]
        check(stopped[-1:] == [NOTHING_PASTED + why], f"{what}: standard error {stopped}")
        peak = peak_resident_kib(session.process.pid) / 1024
        session.figures.append(f"{what}: the key acted {waited:.1f} s after the click, with"
                               f" {owner.sent >> 20} MiB sent; peak memory {peak:.0f} MiB")
        owner.stop()
        session.expect_shown("42")
        if not is_sanitized(session.process.pid):
            check(peak < PASTE_BYTE_LIMIT_MIB + 50, f"{what}: peak memory {peak:.0f} MiB")
    check(len([line for line in stderr_lines(session) if line.startswith(NOTHING_PASTED)]) == 2,
          f"standard error {stderr_lines(session)}")


def shorten_line(line):
    return repr(line if line is None or len(line) < 80 else line[:80] + "...")


# Sizes an owner may announce for an incremental answer; none of them is allocated.
ANNOUNCED_SIZES = [0xFFFFFFFF, 0x80000000]


@scenario(ready=False)
def announced_sizes_are_only_a_hint(session):
    """Under a 2 GiB address space the honest text that follows any announced size pastes."""
    session.output.expect(LAUNCH_LINES, timeout=START_TIMEOUT)
    if is_sanitized(session.process.pid):
        session.figures.append("no address space limit: AddressSanitizer reserves more")
    else:
        relaunch(session, 'ulimit -v 2097152 && exec "$0"')
        session.output.expect(LAUNCH_LINES, timeout=START_TIMEOUT)
    session.find_window()
    session.wait_painted()
    session.focus()
    for announced in ANNOUNCED_SIZES:
        owner = ClipboardOwner(session, "UTF8_STRING", Answer(
            "UTF8_STRING", pieces=[b"1234", b"5678"], announced=announced))
        session.click("📋")
        session.output.expect([PASTED + "12345678"])
        owner.stop()
        session.expect_shown("12345678", f"announced {announced:#x}")


def net_wm_ping(session, watcher):
    """Pings the window as a window manager does; the seconds until the answer reaches the root."""
    ping = session.conn.get_atom("_NET_WM_PING")
    protocols = session.conn.get_atom("WM_PROTOCOLS")
    stamp = int(time.monotonic() * 1000) & 0xFFFFFFFF
    message = xevent.ClientMessage(window=session.window, client_type=protocols,
                                   data=(32, [ping, stamp, session.window.id, 0, 0]))
    begin = time.monotonic()
    session.window.send_event(message, event_mask=X.NoEventMask)
    session.conn.sync()
    while time.monotonic() - begin < 10:
        while watcher.pending_events():
            event = watcher.next_event()
            if (event.type == X.ClientMessage and event.client_type == protocols
                    and list(event.data[1][:3]) == [ping, stamp, session.window.id]):
                return time.monotonic() - begin
        select.select([watcher], [], [], 0.005)
    fail("no answer to _NET_WM_PING within 10 s")


def repaint_after_uncovering(session):
    """Covers the window with a red one and takes it away: the seconds until the display shows
    its own colour again."""
    left, top, width, height = session.geometry()
    screen = session.conn.screen()
    cover = screen.root.create_window(left, top, width, height, 0, screen.root_depth,
                                      override_redirect=True, background_pixel=0xFF0000)
    cover.map()
    session.conn.sync()
    x, y, w, h = layout.display_rect(session.scale())
    point = session.to_root(x + 0.05 * w, y + 0.5 * h)

    def on_screen():
        image = screen.root.get_image(*point, 1, 1, X.ZPixmap, 0xFFFFFFFF)
        value = int.from_bytes(image.data[:4], "little"
                               if session.conn.display.info.image_byte_order == X.LSBFirst
                               else "big")
        return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF

    wait_until(lambda: layout.close_to(on_screen(), (255, 0, 0)), LINE_TIMEOUT,
               "the cover on the window")
    begin = time.monotonic()
    cover.destroy()
    session.conn.sync()
    wait_until(lambda: layout.close_to(on_screen(), layout.DISPLAY_BACKGROUND), LINE_TIMEOUT,
               "the display to be painted again")
    return time.monotonic() - begin


@scenario()
def the_window_answers_while_a_paste_waits(session):
    """An owner that answers after 4 s: meanwhile the window repaints what was covered and
    answers the window manager's ping at once; then the paste comes."""
    watcher = display.Display(session.display_name)
    try:
        watcher.screen().root.change_attributes(event_mask=X.StructureNotifyMask)
        watcher.sync()
        ClipboardOwner(session, "UTF8_STRING", Answer("UTF8_STRING", b"5", delay=4.0))
        session.click("📋")
        time.sleep(0.3)
        repainted = repaint_after_uncovering(session)
        answered = net_wm_ping(session, watcher)
        session.output.expect([PASTED + "5"], timeout=10)
    finally:
        watcher.close()
    session.figures.append(f"during a 4 s wait: ping answered in {answered * 1000:.0f} ms,"
                           f" repainted {repainted * 1000:.0f} ms after uncovering")
    check(answered < 0.1, f"the ping was answered after {answered:.2f} s")
    check(repainted < 1.0, f"repainted only {repainted:.2f} s after uncovering")
    session.expect_shown("5")


@scenario()
def a_close_request_ends_a_waiting_paste(session):
    """The window closes at once while a paste waits for a silent owner."""
    owner = display.Display(session.display_name)
    try:
        window = owner.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        window.set_selection_owner(owner.get_atom("CLIPBOARD"), X.CurrentTime)
        owner.sync()
        session.click("📋")
        time.sleep(0.3)
        session.send_delete()
        begin = time.monotonic()
        session.output.expect(["DEBUG: App closing"], timeout=3 * OWNER_TIMEOUT)
        # The close is handled once its line is written; the exit after it can take longer
        # under the sanitizers' leak check.
        took = time.monotonic() - begin
        status = session.wait_exit(timeout=3 * OWNER_TIMEOUT)
    finally:
        owner.close()
    session.figures.append(f"closed {took:.2f} s after the request, status {status}")
    check(status == 0, f"exit status {status}")
    check(took < 1.0, f"the program took {took:.2f} s to close")


@scenario()
def a_huge_paste_costs_at_most_twice_its_size(session):
    """A 32 MiB clipboard text: the paste's peak memory is at most twice the text's size above
    what the program had used before, plus a fixed 16 MiB."""
    size = 32 * 1024 * 1024
    text = (b"12ab 34c" * (size // 8))
    session.set_clipboard(text)
    before = peak_resident_kib(session.process.pid)
    begin = time.monotonic()
    session.click("📋")
    line = session.output.next(timeout=60)
    took = time.monotonic() - begin
    check(line == PASTED + text.decode(), f"the paste wrote {len(line or '')} characters, not"
          f" the {len(PASTED) + size} of its line")
    # The copy waits behind the paste's entry, which takes seconds in a sanitizer build.
    session.click("📄")
    copied = session.output.next(timeout=60)
    check(copied == "DEBUG: Copied to clipboard: 1234123412341234123", f"then {copied!r}")
    growth = peak_resident_kib(session.process.pid) - before
    session.figures.append(f"a {size >> 20} MiB paste: line after {took:.1f} s, peak memory"
                           f" {growth / 1024:.0f} MiB above the {before / 1024:.0f} MiB before")
    if is_sanitized(session.process.pid):
        session.figures.append("not judged: AddressSanitizer's own memory counts in the peak")
        return
    check(growth <= 2 * size // 1024 + 16 * 1024,
          f"peak memory grew {growth / 1024:.0f} MiB for a {size >> 20} MiB text")


def a_session_bus_that_never_answers(session):
    """Listens where the program looks for its session bus, and never accepts a connection: the
    kernel completes each connect, and then nothing is said."""
    path = os.path.join(session.workdir, "silent-bus")
    bus = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    bus.bind(path)
    bus.listen(16)
    session.silent_bus = bus  # kept open as long as the session
    session.env = dict(session.env, DBUS_SESSION_BUS_ADDRESS=f"unix:path={path},guid=0")
    session.started_at = time.monotonic()


@scenario(ready=False, prepare=a_session_bus_that_never_answers)
def a_session_bus_that_never_answers_costs_a_second_at_start(session):
    """The program starts about a second late, says on standard error that it runs without
    accessibility, and works."""
    session.output.expect(LAUNCH_LINES, timeout=START_TIMEOUT)
    ready = time.monotonic() - session.started_at
    session.find_window()
    session.wait_painted()
    session.figures.append(f"ready {ready:.2f} s after the start with a silent session bus")
    check(ready < 3.0, f"ready only {ready:.1f} s after the start")
    wait_until(lambda: any("session bus does not answer" in line
                           for line in session.stderr_tail()), LINE_TIMEOUT,
               "the line about the session bus on standard error")
    session.focus()
    session.click_key("7", digit("7"))
    session.expect_shown("7")

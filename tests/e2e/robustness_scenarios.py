# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Robustness: floods of random input, rapid resizes and hostile clipboard contents.

Each scenario ends with a known sequence whose result proves the program still works, and
reports its figures beside its verdict.
"""

import random
import re
import string
import time

from clipboard_scenarios import PASTED
from keypad_scenarios import DEC, HEX, digit, select_base
from resize_scenarios import STARTED, check_allowed, live_resize
from quorvin_testing.checks import check
from quorvin_testing.processes import QUIET, resident_kib
from quorvin_testing.scenarios import scenario

KEY = "DEBUG: Key pressed: "
SEED = 20240607

# Keys that every keyboard has and that write a key line; no Alt or Super combinations, which
# belong to the desktop, and no lock keys.
PLAIN_KEYS = (list(string.ascii_lowercase) + list(string.digits)
              + ["plus", "minus", "asterisk", "slash", "percent", "equal", "period", "comma",
                 "space", "Return", "BackSpace", "Escape", "Tab", "Left", "Right", "Up", "Down",
                 "Home", "End", "Prior", "Next", "Delete", "KP_Enter", "KP_Add",
                 "KP_Subtract", "multiply", "division"]
              + [f"F{n}" for n in range(1, 13)])
MODIFIER_KEYS = ["Shift_L", "Control_L"]
MARKER_KEY, MARKER_LINE = "ssharp", KEY + "ß"  # never among the random keys


def random_key(rng):
    """One xdotool key argument, and whether it is a key-down event (not a modifier alone)."""
    roll = rng.random()
    if roll < 0.03:
        return rng.choice(MODIFIER_KEYS), False
    key = rng.choice(PLAIN_KEYS)
    if roll < 0.20 and (key in string.ascii_lowercase or key in string.digits):
        return "ctrl+" + key, True
    if roll < 0.30 and key in string.ascii_lowercase:
        return rng.choice(["shift+", "ctrl+shift+"]) + key, True
    return key, True


@scenario(modes=("none",))
def random_keys_and_clicks_then_a_known_sequence(session):
    """10,000 random keys and 1,000 random clicks: one key line per key-down event, every
    press released, and afterwards Escape, DEC, 4, 2 shows 42. Without a window manager,
    which would take some key combinations for itself."""
    rng = random.Random(SEED)
    keys = [random_key(rng) for _ in range(10000)]
    key_downs = sum(1 for _, is_down in keys if is_down)
    begin = time.monotonic()
    for first in range(0, len(keys), 250):
        session.key(*(name for name, _ in keys[first:first + 250]))
    typed = time.monotonic()
    _, _, width, height = session.geometry()
    for _ in range(1000):
        session.click_point(rng.uniform(1, width - 1), rng.uniform(1, height - 1))
    clicked = time.monotonic()
    session.key(MARKER_KEY)
    lines = session.output.until(MARKER_LINE, timeout=30, limit=10 ** 6)[:-1]
    settled = time.monotonic()

    check(all(line.startswith("DEBUG: ") for line in lines), "a line without its prefix")
    key_lines = sum(1 for line in lines if line.startswith(KEY))
    check(key_lines == key_downs,
          f"{key_downs} key-down events wrote {key_lines} key lines")
    pressed = sum(1 for line in lines if re.fullmatch(r"DEBUG: Button '.*' pressed", line))
    released = sum(1 for line in lines if re.fullmatch(r"DEBUG: Button '.*' released", line))
    check(pressed == released, f"{pressed} pressed lines but {released} released lines")

    session.key("Escape")
    session.output.expect([KEY + "\\x1B"])
    select_base(session, DEC)
    session.click_key("4", digit("4"))
    session.click_key("2", digit("2"))
    session.expect_shown("42")
    check(session.alive(), "the program died")
    session.figures += [
        f"{len(keys)} keys ({key_downs} key-down events) in {typed - begin:.1f} s,"
        f" 1000 clicks in {clicked - typed:.1f} s; the program had handled them all"
        f" {settled - clicked:.2f} s after the last click",
        f"{len(lines)} lines: {key_lines} key lines, {pressed} key clicks",
    ]


@scenario()
def rapid_random_resizes(session):
    """200 sizes in quick succession, inside and outside the limits."""
    select_base(session, HEX)
    session.click_key("F", digit("F"))
    session.click_key("F", digit("F"))
    # Memory is compared at the largest size, where the random sizes mostly end.
    session.resize(600, 870)
    live_resize(session, 300)
    session.wait_layout("HEX")
    rss_before = resident_kib(session.process.pid)
    rng = random.Random(SEED)
    sizes = [(rng.randint(100, 1300), rng.randint(100, 1300)) if rng.random() < 0.5
             else (rng.randint(300, 600), rng.randint(435, 870)) for _ in range(200)]
    begin = time.monotonic()
    for width, height in sizes:  # one xdotool call each: a few milliseconds apart
        session.resize(width, height)
    sent = time.monotonic()

    # However the changes were grouped into live resizes, each ends in a rebuild, and no
    # other line comes.
    resizes = reports = 0
    start_width, started = 600, False
    while True:
        reported = live_resize(session, start_width, started)
        resizes += 1
        reports += len(reported)
        # A later live resize starts from a size that more changes may have passed already.
        start_width = None
        line = session.output.next_unless_quiet(0.5)
        if line is QUIET:
            break
        check(line == STARTED, f"unexpected line after a live resize: {line!r}")
        started = True
    settled = time.monotonic()
    size = session.size()
    check_allowed(size, "after 200 resizes")
    session.wait_layout("HEX")
    session.expect_shown("FF")
    session.click_key("1", digit("1"))
    session.expect_shown("FF1")
    rss_after = resident_kib(session.process.pid)
    session.figures += [
        f"200 resizes sent in {sent - begin:.2f} s, settled {settled - sent:.2f} s later:"
        f" {resizes} live resize(s), {reports} reports, {reports + resizes} rebuilds,"
        f" final {size[0]} × {size[1]}",
        f"RSS at 600 × 870 {rss_before / 1024:.1f} MiB before, {rss_after / 1024:.1f} MiB after"
        f" at {size[0]} × {size[1]}",
    ]


TEN_MB = b"0123456789" * (1 << 20)

# (clipboard bytes, the text the line shows (a pattern where the exact text is the toolkit's),
# display afterwards in decimal).
BAD_CLIPBOARDS = [
    ("10 MB of digits", TEN_MB, TEN_MB.decode(), "1234567890123456789"),
    ("control characters only", b"\x01\x02\x1b\x7f\r\n\t\x0b\x0c\xc2\x85",
     "\\x01\\x02\\x1B\\x7F\\r\\n\\t\\x0B\\x0C\\x85", "0"),
    # Each malformed sequence becomes at least one U+FFFD.
    ("invalid UTF-8", b"12\xff\xfe34\xc3\x28\x80",
     re.compile("12\ufffd+34\ufffd+\\(\ufffd+"), "1234"),
    ("NULs", b"\x001\x002\x00\x003", "\\x001\\x002\\x00\\x003", "123"),
]


def logged_as(text, expected):
    if isinstance(expected, str):
        return text == expected
    return expected.fullmatch(text) is not None


@scenario()
def hostile_clipboard_contents(session):
    for name, data, logged, shown in BAD_CLIPBOARDS:
        session.click_key("CE", ["DEBUG: Clear"])
        session.click_key("7", digit("7"))
        begin = time.monotonic()
        session.set_clipboard(data)
        offered = time.monotonic()
        session.click("📋")
        line = session.output.next(timeout=30)
        check(line is not None and line.startswith(PASTED)
              and logged_as(line[len(PASTED):], logged),
              f"pasting {name} wrote {line[:200]!r}" if line else f"pasting {name}: no line")
        # The copy's line is the very next one: one line for the paste, and the value.
        session.expect_shown(shown, f"after pasting {name}")
        pasted = time.monotonic()
        check(session.alive(), f"the program died pasting {name}")
        session.figures.append(f"{name}: {len(data)} bytes, set by xclip in"
                               f" {offered - begin:.2f} s, pasted in {pasted - offered:.2f} s")

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""The keyboard: real key events (XTEST through xdotool) into the focused window.

Each step types one key and checks the line the key writes (the characters as typed, control
characters escaped), any line the command adds, and the value the display shows afterwards.
"""

import subprocess

from quorvin_testing.checks import check
from quorvin_testing.scenarios import scenario

KEY = "DEBUG: Key pressed: "
TO_HEX = ["DEBUG: System changed to: hexadecimal"]
TO_DEC = ["DEBUG: System changed to: decimal"]
TO_BIN = ["DEBUG: System changed to: binary"]

# Keys that only write their line, in every base: the characters they arrive as.
INERT_KEYS = [
    ("KP_Enter", "\\x03"),
    ("Tab", "\\t"),
    ("Left", "\uf702"),
    ("Up", "\uf700"),
    ("F1", "\uf704"),
    ("Delete", "\uf728"),
    ("space", " "),
    ("h", "h"),
    ("shift+h", "H"),
    ("ctrl+v", "v"),
    ("ssharp", "ß"),  # upper-cased as a whole: SS, which is no key
    ("g", "g"),
]
# Modifier keys pressed alone are no key-down events: they write nothing.
MODIFIERS_ALONE = ["Shift_L", "Control_L", "Shift_R", "Control_R"]


def step(key, typed, shown, extra=()):
    return key, typed, list(extra), shown


def inert_steps(shown):
    return [step(key, typed, shown) for key, typed in INERT_KEYS]


DECIMAL_WALK = [
    step("1", "1", "1"),
    step("2", "2", "12"),
    # The letters are digits in hexadecimal only.
    step("a", "a", "12"),
    step("shift+a", "A", "12"),
    step("b", "b", "12"),
    step("d", "d", "12"),
    step("e", "e", "12"),
    step("f", "f", "12"),
    step("shift+f", "F", "12"),
    step("plus", "+", "12"),
    step("3", "3", "3"),
    step("Return", "\\r", "15"),
    step("minus", "-", "15"),
    step("5", "5", "5"),
    step("equal", "=", "10"),
    step("asterisk", "*", "10"),
    step("3", "3", "3"),
    step("KP_Enter", "\\x03", "3"),
    step("Return", "\\r", "30"),
    step("slash", "/", "30"),
    step("4", "4", "4"),
    step("equal", "=", "7"),
    step("percent", "%", "7"),
    step("4", "4", "4"),
    step("equal", "=", "3"),
    step("multiply", "×", "3"),
    step("5", "5", "5"),
    step("equal", "=", "15"),
    step("division", "÷", "15"),
    step("2", "2", "2"),
    step("Return", "\\r", "7"),
    step("equal", "=", "7"),
    # Backspace edits the shown result; the next digit still starts a new entry.
    step("BackSpace", "\\x7F", "0"),
    step("9", "9", "9"),
    step("8", "8", "98"),
    step("BackSpace", "\\x7F", "9"),
    # c clears outside hexadecimal, and with it the pending operation.
    step("plus", "+", "9"),
    step("c", "c", "0"),
    step("Return", "\\r", "0"),
    step("7", "7", "7"),
    step("shift+c", "C", "0"),
    step("6", "6", "6"),
    step("ctrl+c", "c", "0"),
    step("8", "8", "8"),
    step("Escape", "\\x1B", "0"),
    # Ctrl with a digit enters the digit.
    step("ctrl+1", "1", "1"),
    step("ctrl+0", "0", "10"),
    # A line feed evaluates like Return.
    step("plus", "+", "10"),
    step("5", "5", "5"),
    step("Linefeed", "\\n", "15"),
] + inert_steps("15")

HEXADECIMAL_WALK = [
    step("ctrl+h", "h", "0", TO_HEX),
    step("a", "a", "A"),
    step("b", "b", "AB"),
    step("c", "c", "ABC"),  # a digit here, not clear
    step("d", "d", "ABCD"),
    step("e", "e", "ABCDE"),
    step("f", "f", "ABCDEF"),
    step("BackSpace", "\\x7F", "ABCDE"),
    step("Escape", "\\x1B", "0"),
    step("shift+a", "A", "A"),
    step("shift+b", "B", "AB"),
    step("shift+c", "C", "ABC"),
    step("shift+d", "D", "ABCD"),
    step("shift+e", "E", "ABCDE"),
    step("shift+f", "F", "ABCDEF"),
    step("Escape", "\\x1B", "0"),
    step("1", "1", "1"),
    step("ctrl+c", "c", "1C"),  # Ctrl+C is C: a digit in hexadecimal
    step("plus", "+", "1C"),
    step("4", "4", "4"),
    step("Return", "\\r", "20"),
    step("minus", "-", "20"),
    step("f", "f", "F"),
    step("equal", "=", "11"),
    step("asterisk", "*", "11"),
    step("2", "2", "2"),
    step("KP_Enter", "\\x03", "2"),
    step("equal", "=", "22"),
    step("slash", "/", "22"),
    step("2", "2", "2"),
    step("Return", "\\r", "11"),
    step("percent", "%", "11"),
    step("4", "4", "4"),
    step("Return", "\\r", "1"),
    step("multiply", "×", "1"),
    step("a", "a", "A"),
    step("equal", "=", "A"),
    step("division", "÷", "A"),
    step("2", "2", "2"),
    step("equal", "=", "5"),
    step("5", "5", "5"),
    step("ctrl+1", "1", "51"),
] + inert_steps("51") + [
    # The base shortcuts switch in every base and enter nothing, not even in hexadecimal.
    step("ctrl+d", "d", "81", TO_DEC),
    step("ctrl+b", "b", "1010001", TO_BIN),
    step("2", "2", "1010001"),  # offered to the engine, rejected in binary
    step("1", "1", "10100011"),
    step("a", "a", "10100011"),
    step("ctrl+h", "h", "A3", TO_HEX),
    step("ctrl+b", "b", "10100011", TO_BIN),
    step("ctrl+shift+d", "D", "163", TO_DEC),
    step("ctrl+shift+h", "H", "A3", TO_HEX),
    step("ctrl+h", "h", "A3", TO_HEX),
    step("ctrl+d", "d", "163", TO_DEC),
    step("ctrl+shift+b", "B", "10100011", TO_BIN),
    step("c", "c", "0"),  # clears in binary
]


def type_walk(session, steps):
    for key, typed, extra, shown in steps:
        session.key(key)
        session.output.expect([KEY + typed, *extra])
        if shown is not None:
            session.expect_shown(shown, f"after the key {key}")


@scenario()
def key_table_in_decimal(session):
    type_walk(session, DECIMAL_WALK)


@scenario()
def key_table_in_hexadecimal_and_base_shortcuts(session):
    type_walk(session, HEXADECIMAL_WALK)


@scenario()
def modifier_keys_alone_write_nothing(session):
    session.key("4")
    session.output.expect([KEY + "4"])
    for key in MODIFIERS_ALONE:
        session.key(key)
    # The copy that follows is the very next line: nothing came in between.
    session.expect_shown("4")


@scenario()
def a_held_key_repeats(session):
    """The key's auto-repeat presses act like fresh ones: holding 7 types 77…7."""
    session.xdotool("keydown", "7")
    try:
        for _ in range(3):
            session.output.expect([KEY + "7"])
    finally:
        session.xdotool("keyup", "7")
    session.click("📄")
    lines = session.output.until(lambda line: line.startswith("DEBUG: Copied to clipboard: "))
    check(all(line == KEY + "7" for line in lines[:-1]), f"while 7 was held: {lines}")
    count = 3 + len(lines) - 1
    # Decimal takes 19 sevens; the 20th would leave the signed 64-bit range.
    check(lines[-1] == "DEBUG: Copied to clipboard: " + "7" * min(count, 19),
          f"{count} presses of 7 in all, but the copy wrote {lines[-1]!r}")


@scenario()
def ctrl_c_and_ctrl_v_leave_the_clipboard_alone(session):
    """There are no clipboard keys: Ctrl+V pastes nothing, Ctrl+C copies nothing."""
    session.set_clipboard(b"77")
    type_walk(session, [step("5", "5", None)])
    session.key("ctrl+v")
    session.output.expect([KEY + "v"])
    session.key("ctrl+c")
    session.output.expect([KEY + "c"])
    clip = session.read_clipboard()
    check(clip == b"77", f"the clipboard holds {clip!r} after Ctrl+V and Ctrl+C")
    session.expect_shown("0")  # Ctrl+C acted as C: clear, in decimal


@scenario()
def keys_reach_the_window_after_clicks_and_a_rebuild(session):
    """Clicks and a resize do not take the keyboard away from the calculator."""
    session.click("HEX")
    session.output.expect(TO_HEX)
    session.key("f")
    session.output.expect([KEY + "f"])
    session.resize(400, 580)
    session.output.until("DEBUG: Live resize ended")
    session.output.expect(["DEBUG: Handling resize, updating UI...", "DEBUG: UI setup complete"])
    session.key("e")
    session.output.expect([KEY + "e"])
    session.expect_shown("FE")


def international_keyboard(session):
    """The US international layout (dead keys) with the Menu key as the compose key."""
    subprocess.run(["setxkbmap", "-display", session.display_name, "-layout", "us", "-variant",
                    "intl", "-option", "compose:menu"], check=True, timeout=30)


# A dead key or the compose key and the keys inside its sequence give no characters; the key
# that completes the sequence gives the composed one, which then acts like any other.
COMPOSE_WALK = [
    step("6", "6", "6"),
    step("Multi_key", "", None),
    step("x", "", None),
    step("x", "×", "6"),
    step("7", "7", "7"),
    step("equal", "=", "42"),
    step("dead_acute", "", None),
    step("e", "é", "42"),
    step("dead_acute", "", None),
    step("BackSpace", "\\x7F", "4"),
]


@scenario(prepare=international_keyboard)
def dead_and_compose_keys_compose(session):
    type_walk(session, COMPOSE_WALK)

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Clicks on the keypad and the base buttons, as a user makes them."""

import layout
from quorvin_testing.checks import check
from quorvin_testing.scenarios import scenario

HEX, DEC, BIN = "hexadecimal", "decimal", "binary"
BASE_TITLES = {HEX: "HEX", DEC: "DEC", BIN: "BIN"}


def digit(d):
    return [f"DEBUG: Digit pressed: {d}"]


def operation(name):
    return [f"DEBUG: Operation: {name}"]


EQUALS = ["DEBUG: Equals pressed"]


def select_base(session, base):
    session.click(BASE_TITLES[base])
    session.output.expect([f"DEBUG: System changed to: {base}"])


def click_walk(session, steps):
    """Clicks each key of `steps` (title, command lines, display afterwards or None)."""
    for title, lines, shown in steps:
        session.click_key(title, lines)
        if shown is not None:
            session.expect_shown(shown, f"after clicking {title!r}")


@scenario()
def overview_walk_gives_15(session):
    """1, 2, +, 3, = with every pressed, command and released line in order; copy gives 15."""
    click_walk(session, [
        ("1", digit("1"), None),
        ("2", digit("2"), None),
        ("+", operation("add"), None),
        ("3", digit("3"), None),
        ("=", EQUALS, None),
    ])
    session.click("📄")
    session.output.expect(["DEBUG: Copied to clipboard: 15"])
    clip = session.read_clipboard()
    check(clip == b"15", f"the clipboard holds {clip!r} after copying 15")


# Every key of the keypad, each checked by the command it sends and the value it leaves, in
# hexadecimal so that the letter keys count.
EVERY_KEY_IN_HEX = [
    ("A", digit("A"), "A"),
    ("B", digit("B"), "AB"),
    ("C", digit("C"), "ABC"),
    ("D", digit("D"), "ABCD"),
    ("E", digit("E"), "ABCDE"),
    ("F", digit("F"), "ABCDEF"),
    ("⌫", ["DEBUG: Backspace"], "ABCDE"),
    ("CE", ["DEBUG: Clear"], "0"),
    ("7", digit("7"), "7"),
    ("8", digit("8"), "78"),
    ("9", digit("9"), "789"),
    ("4", digit("4"), "7894"),
    ("5", digit("5"), "78945"),
    ("6", digit("6"), "789456"),
    ("1", digit("1"), "7894561"),
    ("2", digit("2"), "78945612"),
    ("3", digit("3"), "789456123"),
    ("0", digit("0"), "7894561230"),
    ("(", digit("("), "7894561230"),
    (")", digit(")"), "7894561230"),
    ("CE", ["DEBUG: Clear"], "0"),
    ("1", digit("1"), "1"),
    ("<<", ["DEBUG: Shift left"], "2"),
    ("<<", ["DEBUG: Shift left"], "4"),
    (">>", ["DEBUG: Shift right"], "2"),
    ("+/−", ["DEBUG: Toggle sign"], "FFFFFFFFFFFFFFFE"),
    (">>", ["DEBUG: Shift right"], "FFFFFFFFFFFFFFFF"),
    ("+/−", ["DEBUG: Toggle sign"], "1"),
    ("+", operation("add"), "1"),
    ("2", digit("2"), "2"),
    ("=", EQUALS, "3"),
    ("−", operation("subtract"), "3"),
    ("5", digit("5"), "5"),
    ("=", EQUALS, "FFFFFFFFFFFFFFFE"),
    ("×", operation("multiply"), "FFFFFFFFFFFFFFFE"),
    ("3", digit("3"), "3"),
    ("=", EQUALS, "FFFFFFFFFFFFFFFA"),
    ("÷", operation("divide"), "FFFFFFFFFFFFFFFA"),
    ("2", digit("2"), "2"),
    ("=", EQUALS, "FFFFFFFFFFFFFFFD"),
    ("%", operation("modulo"), "FFFFFFFFFFFFFFFD"),
    ("2", digit("2"), "2"),
    ("=", EQUALS, "FFFFFFFFFFFFFFFF"),
    ("=", EQUALS, "FFFFFFFFFFFFFFFF"),
    # A parenthesis right after an operation restarts the entry before it is rejected.
    ("+", operation("add"), "FFFFFFFFFFFFFFFF"),
    ("(", digit("("), "0"),
    # A digit that would leave the signed 64-bit range is rejected: 16 digits, the first an 8.
    ("8", digit("8"), "8"),
] + [("0", digit("0"), "8" + "0" * n) for n in range(1, 15)] + [
    ("0", digit("0"), "8" + "0" * 14),
]


@scenario()
def every_key_sends_its_command(session):
    """All 29 keys at their places, in hexadecimal: command line and value after each."""
    select_base(session, HEX)
    click_walk(session, EVERY_KEY_IN_HEX)
    clicked = {title for title, _, _ in EVERY_KEY_IN_HEX}
    check(clicked == set(layout.keypad_titles()), "the walk misses keys")


@scenario()
def digits_outside_the_base_are_rejected(session):
    """Letters in decimal, 2 to 9 in binary: the line is written and the value stays."""
    click_walk(session, [
        ("1", digit("1"), "1"),
        ("A", digit("A"), "1"),
        ("F", digit("F"), "1"),
        ("9", digit("9"), "19"),
    ])
    select_base(session, BIN)
    session.expect_shown("10011")
    click_walk(session, [
        ("7", digit("7"), "10011"),
        ("2", digit("2"), "10011"),
        ("1", digit("1"), "100111"),
        ("+/−", ["DEBUG: Toggle sign"], "-100111"),
        ("1", digit("1"), "-1001111"),
    ])


@scenario()
def base_buttons_switch_the_shown_base(session):
    """255 in each base, the selected base highlighted, digits entered in the new base."""
    click_walk(session, [("2", digit("2"), None), ("5", digit("5"), None),
                         ("5", digit("5"), "255")])
    session.wait_colour("DEC", layout.BASE_SELECTED, "DEC selected at start-up")
    for base, shown in ((HEX, "FF"), (BIN, "11111111"), (DEC, "255"), (DEC, "255"),
                        (HEX, "FF")):
        select_base(session, base)
        for other in (HEX, DEC, BIN):
            colour = layout.BASE_SELECTED if other == base else layout.BASE_IDLE
            session.wait_colour(BASE_TITLES[other], colour,
                                f"{BASE_TITLES[other]} coloured for {base}")
        session.expect_shown(shown, f"in {base}")
    # The next digit continues the entry in the new base: FF then 1 is FF1.
    click_walk(session, [("1", digit("1"), "FF1")])
    select_base(session, DEC)
    session.expect_shown(str(0xFF1))


@scenario()
def a_press_dragged_off_sends_no_command(session):
    """Press, move away, release: both callback lines, no command, the colour restored."""
    click_walk(session, [("4", digit("4"), "4")])
    scale = session.scale()
    width, height = session.size()
    # Where the release happens: on another key, on the window's background, outside the
    # window; and back on the pressed key, which completes the click after all.
    routes = [
        ("7", [layout.centre("8", scale)], False),
        ("7", [(layout.rect("7", scale)[0] - 3 * scale, layout.centre("7", scale)[1])], False),
        ("+", [(width + 40, height / 2)], False),
        ("7", [layout.centre("8", scale), layout.centre("7", scale)], True),
    ]
    expected = "4"
    for title, path, completes in routes:
        session.move_pointer(*layout.centre(title, scale))
        session.press()
        session.output.expect([f"DEBUG: Button '{title}' pressed"])
        session.wait_colour(title, layout.PRESSED, f"{title!r} red while pressed")
        for point in path:
            session.move_pointer(*point)
        session.release()
        if completes:
            expected += title
            session.output.expect([*digit(title), f"DEBUG: Button '{title}' released"])
        else:
            session.output.expect([f"DEBUG: Button '{title}' released"])
        session.wait_colour(title, layout.key_class_colour(title),
                            f"{title!r} back to its colour after the release")
        session.expect_shown(expected, f"after a press on {title!r} released at {path[-1]}")


@scenario()
def other_mouse_buttons_do_nothing(session):
    """Middle and right clicks and the wheel, on every kind of button: no line, no change."""
    click_walk(session, [("7", digit("7"), None)])
    session.set_clipboard(b"5")  # what a middle-click paste would type
    for title in ("8", "+", "CE", "HEX", "📋", "📄"):
        session.move_pointer(*layout.centre(title, session.scale()))
        for button in (2, 3, 4, 5):
            session.press(button)
            session.release(button)
    session.wait_colour("DEC", layout.BASE_SELECTED, "DEC still selected")
    # The copy's line comes next: nothing was written in between.
    session.expect_shown("7")


@scenario()
def quick_repeated_clicks_all_count(session):
    """Clicks on one key faster than a double click: each one is a full click."""
    for _ in range(3):
        session.click("6")
    session.output.expect([line for _ in range(3) for line in
                           ("DEBUG: Button '6' pressed", "DEBUG: Digit pressed: 6",
                            "DEBUG: Button '6' released")])
    session.click("📄")
    session.click("📄")
    session.output.expect(["DEBUG: Copied to clipboard: 666"] * 2)
    session.expect_shown("666")

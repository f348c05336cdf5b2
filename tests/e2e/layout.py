# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Where the window's controls are and what colour they have, as a user sees them.

Positions are content points at a 400-point-wide window, origin at the content's bottom-left
corner, y upward; every one scales with the window's width (scale = width / 400). Colours are
the 8-bit values the screen shows.
"""

import itertools
from pathlib import Path

# The keypad, base row and palette, shared with the controller's tests and the start-up floor.
KEYPAD_DATA = Path(__file__).resolve().parents[2] / "data" / "keypad.tsv"


def rgb(red, green, blue):
    return tuple(int(round(component * 255)) for component in (red, green, blue))


def _read_keypad_data(path):
    """(keypad rows, base row, {colour name: rgb}, {title: colour name}) from the data file."""
    keypad, base_row, colours, title_colours = [], [], {}, {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        kind, *fields = line.split("\t")
        if kind == "keypad":
            keypad.append(fields)
        elif kind == "baserow":
            base_row = fields
        elif kind == "colour":
            name, red, green, blue, _alpha, *titles = fields
            colours[name] = rgb(float(red), float(green), float(blue))
            title_colours.update((title, name) for title in titles)
        else:
            raise ValueError(f"{path}: unknown line {line!r}")
    return keypad, base_row, colours, title_colours


KEYPAD, BASE_ROW, _COLOURS, _TITLE_COLOURS = _read_keypad_data(KEYPAD_DATA)

DIGIT = _COLOURS["digitKey"]
OPERATOR = _COLOURS["operatorKey"]
SHIFT = _COLOURS["shiftKey"]
CLEAR = _COLOURS["clearKey"]
AUXILIARY = _COLOURS["auxiliaryKey"]
PRESSED = _COLOURS["pressedKey"]
BASE_IDLE = _COLOURS["baseIdle"]
BASE_SELECTED = _COLOURS["baseSelected"]
CLIPBOARD_BUTTON = _COLOURS["clipboardButton"]
PANEL = _COLOURS["conversionPanel"]
DISPLAY_BACKGROUND = _COLOURS["displayBackground"]
WINDOW_BACKGROUND = _COLOURS["windowBackground"]
TOLERANCE = 3


def resting_colour(title):
    """The colour of the button titled `title` when it is neither pressed nor selected."""
    return _COLOURS[_TITLE_COLOURS[title]]


def key_class_colour(title):
    return resting_colour(title)


def close_to(colour, expected, tolerance=TOLERANCE):
    return colour is not None and all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def _metrics(scale):
    width = 400 * scale
    margin, spacing = 10 * scale, 6 * scale
    button_width = (width - 2 * margin - 4 * spacing) / 5
    button_height = 55 * scale
    return width, margin, spacing, button_width, button_height


def rect(title, scale):
    """(x, y, width, height) of the button titled `title`."""
    width, margin, spacing, button_width, button_height = _metrics(scale)
    if title in BASE_ROW:
        i = BASE_ROW.index(title)
        keypad_height = 6 * button_height + 5 * spacing
        return (margin + i * (button_width + spacing), margin + keypad_height + 8 * scale,
                button_width, button_height / 2)
    for r, c in itertools.product(range(6), range(5)):
        if KEYPAD[r][c] == title:
            wide = (r, c) == (5, 3)
            return (margin + c * (button_width + spacing),
                    margin + (5 - r) * (button_height + spacing),
                    2 * button_width + spacing if wide else button_width, button_height)
    raise KeyError(title)


def keypad_titles():
    """The 29 keys, row by row from the top left."""
    seen = []
    for title in itertools.chain.from_iterable(KEYPAD):
        if title not in seen:
            seen.append(title)
    return seen


def centre(title, scale):
    x, y, w, h = rect(title, scale)
    return x + w / 2, y + h / 2


def background_point(title, scale):
    """A point on the button's background, left of its centred title and clear of the corner."""
    x, y, w, h = rect(title, scale)
    return x + 0.1 * w, y + 0.5 * h


def display_rect(scale):
    return 10 * scale, 506.5 * scale, 380 * scale, 55 * scale


def panel_rect(scale):
    return 10 * scale, 413.5 * scale, 380 * scale, 85 * scale


class Image:
    """A ZPixmap screenshot of the window's content, addressed in content points."""

    def __init__(self, data, width, height, byte_order):
        self.data, self.width, self.height, self.order = data, width, height, byte_order

    def at(self, x, y):
        px, py = int(x), int(self.height - y)
        if not (0 <= px < self.width and 0 <= py < self.height):
            return None
        offset = (py * self.width + px) * 4
        value = int.from_bytes(self.data[offset:offset + 4], self.order)
        return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF


def layout_mismatches(image, scale, selected_base):
    """Where the screen differs from the layout at `scale`: a list of readable findings.

    Probes each control's background at four points inside it (clear of the rounded corners and
    the centred title), the gaps between keypad columns and rows, the panel and the display.
    """
    findings = []

    def probe(what, x, y, expected):
        got = image.at(x, y)
        if not close_to(got, expected):
            findings.append(f"{what} at ({x:.1f}, {y:.1f}): {got}, expected {expected}")

    for title in keypad_titles() + BASE_ROW:
        x, y, w, h = rect(title, scale)
        expected = resting_colour(title)
        if title == selected_base:
            expected = BASE_SELECTED
        for fx, fy in ((0.08, 0.3), (0.08, 0.7), (0.92, 0.3), (0.92, 0.7)):
            probe(f"{title!r}", x + fx * w, y + fy * h, expected)
    _, margin, spacing, button_width, button_height = _metrics(scale)
    for c in range(4):
        gap_x = margin + (c + 1) * button_width + (c + 0.5) * spacing
        if c != 3:  # the double-wide "=" covers the last gap of the bottom row
            probe(f"gap after column {c}", gap_x, margin + 0.5 * button_height,
                  WINDOW_BACKGROUND)
        probe(f"gap after column {c}, top row", gap_x, margin + 5.5 * button_height
              + 5 * spacing, WINDOW_BACKGROUND)
    for r in range(5):
        probe(f"gap above row {5 - r}", margin + 0.5 * button_width,
              margin + (r + 1) * button_height + (r + 0.5) * spacing, WINDOW_BACKGROUND)
    x, y, w, h = panel_rect(scale)
    probe("conversion panel", x + 0.99 * w, y + 0.5 * h, PANEL)
    x, y, w, h = display_rect(scale)
    probe("display", x + 0.05 * w, y + 0.5 * h, DISPLAY_BACKGROUND)
    probe("space above the display", x + 0.5 * w, y + h + 9 * scale, WINDOW_BACKGROUND)
    return findings

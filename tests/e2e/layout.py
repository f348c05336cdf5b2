# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Where the window's controls are and what colour they have, as a user sees them.

Positions are content points, origin at the content's bottom-left corner, y upward; every one
scales with the window's width (scale = width / 400). Colours are the 8-bit values the screen
shows. Both come from the program's own layout function and palette: the build writes them, at a
400-point-wide window, to the file that QUORVIN_LAYOUT_DATA names (CTest sets it), by default
build/generated/layout.json.
"""

import functools
import json
import os
from pathlib import Path

DEFAULT_DATA = Path(__file__).resolve().parents[2] / "build" / "generated" / "layout.json"
TOLERANCE = 3

# The palette's colours that the scenarios compare with, by the name the data gives them.
_NAMED = {
    "PRESSED": "pressedKey",
    "BASE_IDLE": "baseIdle",
    "BASE_SELECTED": "baseSelected",
    "DISPLAY_BACKGROUND": "displayBackground",
    "WINDOW_BACKGROUND": "windowBackground",
}


def rgb(red, green, blue, _alpha=1):
    return tuple(int(round(component * 255)) for component in (red, green, blue))


@functools.cache
def _data():
    path = Path(os.environ.get("QUORVIN_LAYOUT_DATA") or DEFAULT_DATA)
    try:
        data = json.loads(path.read_text(encoding="utf-8"))
    except FileNotFoundError:
        raise RuntimeError(f"no layout data at {path}: build the target quorvin_layout_data "
                           "(make test does), or set QUORVIN_LAYOUT_DATA to the "
                           "generated/layout.json of your build") from None
    scale = data["scale"]
    frames = {button["title"]: button["frame"] for button in data["baseRow"] + data["keys"]}
    return {
        "frames": {title: [value / scale for value in frame] for title, frame in frames.items()},
        "grid": {(key["row"], key["column"]): key["title"] for key in data["keys"]},
        "base_row": [button["title"] for button in data["baseRow"]],
        "keys": [key["title"] for key in data["keys"]],
        "panel": [value / scale for value in data["panel"]],
        "display": [value / scale for value in data["display"]],
        "palette": {name: rgb(*colour) for name, colour in data["palette"].items()},
        "resting": {title: rgb(*colour) for title, colour in data["restingColours"].items()},
    }


def _colour(name):
    return _data()["palette"][name]


def __getattr__(name):
    """The palette's colours, read from the data on first use."""
    if name in _NAMED:
        return _colour(_NAMED[name])
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")


def resting_colour(title):
    """The colour of the button titled `title` when it is neither pressed nor selected."""
    return _data()["resting"][title]


def key_class_colour(title):
    return resting_colour(title)


def close_to(colour, expected, tolerance=TOLERANCE):
    return colour is not None and all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def _scaled(frame, scale):
    return tuple(value * scale for value in frame)


def rect(title, scale):
    """(x, y, width, height) of the button titled `title`."""
    return _scaled(_data()["frames"][title], scale)


def keypad_titles():
    """The 29 keys, row by row from the top left."""
    return list(_data()["keys"])


def centre(title, scale):
    x, y, w, h = rect(title, scale)
    return x + w / 2, y + h / 2


def background_point(title, scale):
    """A point on the button's background, left of its centred title and clear of the corner."""
    x, y, w, h = rect(title, scale)
    return x + 0.1 * w, y + 0.5 * h


def display_rect(scale):
    return _scaled(_data()["display"], scale)


def panel_rect(scale):
    return _scaled(_data()["panel"], scale)


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

    data = _data()
    for title in keypad_titles() + data["base_row"]:
        x, y, w, h = rect(title, scale)
        expected = resting_colour(title)
        if title == selected_base:
            expected = _colour("baseSelected")
        for fx, fy in ((0.08, 0.3), (0.08, 0.7), (0.92, 0.3), (0.92, 0.7)):
            probe(f"{title!r}", x + fx * w, y + fy * h, expected)

    def key(row, column):
        return rect(data["grid"][row, column], scale)

    background = _colour("windowBackground")
    for c in range(4):
        for r, where in ((5, ""), (0, ", top row")):
            if (r, c) == (5, 3):  # the double-wide "=" covers the last gap of the bottom row
                continue
            left, right = key(r, c), key(r, c + 1)
            probe(f"gap after column {c}{where}", (left[0] + left[2] + right[0]) / 2,
                  left[1] + left[3] / 2, background)
    for r in range(5, 0, -1):
        below, above = key(r, 0), key(r - 1, 0)
        probe(f"gap above row {r}", below[0] + below[2] / 2, (below[1] + below[3] + above[1]) / 2,
              background)
    x, y, w, h = panel_rect(scale)
    probe("conversion panel", x + 0.99 * w, y + 0.5 * h, _colour("conversionPanel"))
    x, y, w, h = display_rect(scale)
    probe("display", x + 0.05 * w, y + 0.5 * h, _colour("displayBackground"))
    probe("space above the display", x + 0.5 * w, y + h + 9 * scale, background)
    return findings

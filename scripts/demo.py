#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Runs the calculator in a private Xvfb, performs a short calculation by clicks and keys, and
saves screenshots of the window at its smallest and largest size, and of a 64-digit binary
value.

    scripts/demo.py PROGRAM OUTPUT_FOLDER
"""

import os
import struct
import sys
import time
import zlib

TESTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests")
sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path[:0] = [os.path.join(TESTS, "support"), os.path.join(TESTS, "e2e")]  # e2e: the layout

from quorvin_testing.session import Session  # noqa: E402  (found through the path above)


def write_png(image, path):
    """Writes a screenshot (layout.Image, 32-bit pixels) as an 8-bit RGB PNG."""
    rows = bytearray()
    for y in range(image.height):
        rows.append(0)  # no filter
        start = y * image.width * 4
        for x in range(image.width):
            value = int.from_bytes(image.data[start + 4 * x:start + 4 * x + 4], image.order)
            rows += bytes(((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF))

    def chunk(kind, payload):
        body = kind + payload
        return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def main():
    program, folder = sys.argv[1], sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    session = Session(program).start()
    try:
        session.wait_ready()
        session.find_window()
        session.wait_painted()
        # 255 in hexadecimal by clicks, then "* 3 =" by keys: 765 (2FD).
        for title in ("HEX", "F", "F"):
            session.click(title)
        session.focus()
        session.key("asterisk", "3", "Return")
        session.output.until("DEBUG: Key pressed: \\r")
        session.expect_shown("2FD", "after FF * 3 =")
        time.sleep(0.3)  # the copy button's repaint
        small = os.path.join(folder, "quorvin-300x435.png")
        write_png(session.screenshot(), small)

        session.resize(600, 870)
        session.output.until("DEBUG: Live resize ended")
        session.output.until("DEBUG: UI setup complete")
        session.wait_layout("HEX")
        large = os.path.join(folder, "quorvin-600x870.png")
        write_png(session.screenshot(), large)

        # The most negative value, 7FFFFFFFFFFFFFFF + 1, shown in binary: all 64 digits.
        session.key("Escape", "7", *["F"] * 15, "plus", "1", "Return", "ctrl+b")
        session.output.until("DEBUG: System changed to: binary")
        session.expect_shown("-1" + "0" * 63, "after 7FFFFFFFFFFFFFFF + 1 = in binary")
        time.sleep(0.3)  # the repaint
        binary = os.path.join(folder, "quorvin-600x870-binary.png")
        write_png(session.screenshot(), binary)
        print(f"demo: saved {small}, {large} and {binary}")
        return 0
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main())

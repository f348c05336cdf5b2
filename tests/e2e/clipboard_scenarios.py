# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Copy and paste through the real X clipboard, with xclip or an owner of our own as the other
application."""

import dataclasses
import itertools
import select
import struct
import threading
import time
import zlib

from Xlib import X, Xatom, display
from Xlib.protocol import event as xevent

from keypad_scenarios import BIN, DEC, HEX, digit, select_base
from quorvin_testing.checks import LINE_TIMEOUT, wait_until
from quorvin_testing.scenarios import scenario

PASTED = "DEBUG: Pasted from clipboard: "

# (base, clipboard text, the text as the line shows it, the display afterwards). Before each
# paste the calculator shows 1 with an add pending, so the clear that paste starts with shows.
PASTE_CASES = [
    (HEX, "0x1F", "0x1F", "1F"),
    (HEX, "ff", "ff", "FF"),
    (DEC, "-5", "-5", "5"),
    (DEC, "1,234", "1,234", "1234"),
    (BIN, "102", "102", "10"),
    (DEC, "42\n", "42\\n", "42"),
    (DEC, "42\r\n", "42\\r\\n", "42"),
    (HEX, "12 34\t56", "12 34\\t56", "123456"),
    (DEC, "ff", "ff", "0"),
    # The entry stops at the signed 64-bit range; the rest is skipped.
    (DEC, "9" * 20, "9" * 20, "9" * 18),
    # One character is what a reader sees as one: 1 with a combining accent, a keycap.
    (DEC, "21\u03013", "21\u03013", "23"),
    (DEC, "1\ufe0f\u20e32", "1\ufe0f\u20e32", "2"),
]


@dataclasses.dataclass
class Answer:
    """How an owner answers a request for a text: the type it names, the format, the data (bytes,
    or a list of numbers for format 32), after `delay` seconds. With `pieces` (an iterable of
    bytes, endless if need be) the answer is incremental: INCR with `announced` as its size,
    then each piece `interval` seconds after the requestor took the one before, then an empty
    one."""
    type: str
    data: object = b""
    format: int = 8
    delay: float = 0.0
    pieces: object = None
    announced: int = 0
    interval: float = 0.0


class ClipboardOwner:
    """Another client that owns CLIPBOARD, offers TARGETS and `target`, and answers a request for
    `target` as `answer` says; it runs on a thread with its own connection until `stop()`."""

    def __init__(self, session, target, answer):
        self.conn = display.Display(session.display_name)
        self.atom = self.conn.get_atom
        self.target, self.answer = self.atom(target), answer
        self.window = self.conn.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        self.window.set_selection_owner(self.atom("CLIPBOARD"), X.CurrentTime)
        self.conn.sync()
        self.sent = 0  # bytes of pieces handed over
        self._stopping = threading.Event()
        self._incremental = None  # (requestor, property, pieces) while a transfer runs
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()
        session.clipboard_owners.append(self)

    def stop(self):
        self._stopping.set()
        self._thread.join(timeout=5)
        self.conn.close()

    # The session ends owners like processes.
    def poll(self):
        return None if self._thread.is_alive() else 0

    def send_signal(self, _signal):
        self.stop()

    wait = kill = lambda self, *args, **kwargs: None

    def _run(self):
        while not self._stopping.is_set():
            if not self.conn.pending_events():
                select.select([self.conn], [], [], 0.05)
                continue
            event = self.conn.next_event()
            if event.type == X.SelectionRequest:
                self._request(event)
            elif (event.type == X.PropertyNotify and event.state == X.PropertyDelete
                  and self._incremental and event.atom == self._incremental[1]):
                self._next_piece()

    def _request(self, request):
        requestor, prop = request.requestor, request.property
        if request.target == self.atom("TARGETS"):
            requestor.change_property(prop, Xatom.ATOM, 32, [self.atom("TARGETS"), self.target])
        elif request.target == self.target:
            answer = self.answer
            time.sleep(answer.delay)
            if answer.pieces is None:
                requestor.change_property(prop, self.atom(answer.type), answer.format,
                                          answer.data)
            else:
                requestor.change_attributes(event_mask=X.PropertyChangeMask)
                requestor.change_property(prop, self.atom("INCR"), 32, [answer.announced])
                self._incremental = (requestor, prop, iter(answer.pieces))
        else:
            prop = X.NONE
        requestor.send_event(xevent.SelectionNotify(
            time=request.time, requestor=requestor, selection=request.selection,
            target=request.target, property=prop))
        self.conn.flush()

    def _next_piece(self):
        requestor, prop, pieces = self._incremental
        piece = next(pieces, b"")
        if self.answer.interval:
            time.sleep(self.answer.interval)
        requestor.change_property(prop, self.atom(self.answer.type), 8, piece)
        self.sent += len(piece)
        if not piece:
            self._incremental = None
        self.conn.flush()


def clear_and_set_one_pending(session):
    session.click_key("CE", ["DEBUG: Clear"])
    session.click_key("1", digit("1"))
    session.click_key("+", ["DEBUG: Operation: add"])


def paste(session, text_as_logged):
    session.click("📋")
    session.output.expect([PASTED + text_as_logged])


@scenario()
def paste_types_the_clipboard_text_in_the_current_base(session):
    for base, text, logged, shown in PASTE_CASES:
        select_base(session, base)
        clear_and_set_one_pending(session)
        session.set_clipboard(text.encode())
        paste(session, logged)
        session.expect_shown(shown, f"pasting {text!r} in {base}")
        # Paste cleared the pending add: equals changes nothing.
        session.click_key("=", ["DEBUG: Equals pressed"])
        session.expect_shown(shown, f"= after pasting {text!r} in {base}")


@scenario()
def paste_discards_a_pending_operation(session):
    session.click_key("5", digit("5"))
    session.click_key("+", ["DEBUG: Operation: add"])
    session.set_clipboard(b"3")
    paste(session, "3")
    session.click_key("=", ["DEBUG: Equals pressed"])
    session.expect_shown("3")


# (the only target the owner offers, its bytes, the text as the line shows it, the display in
# decimal): each is read as the desktop's toolkit reads it.
TARGET_CASES = [
    ("UTF8_STRING", b"1\xff2\xed\xa0\x803", "1\ufffd2\ufffd\ufffd\ufffd3", "123"),
    # A leading byte-order mark and a final NUL are dropped.
    ("UTF8_STRING", b"\xef\xbb\xbf45\x00", "45", "45"),
    ("text/plain;charset=utf-8", b"6\xc3\x9f7\x00", "6\u00df7\\x00", "67"),
    ("STRING", b"8\xe99", "8\u00e99", "89"),
]


@scenario()
def paste_reads_each_text_target(session):
    for target, data, logged, shown in TARGET_CASES:
        session.set_clipboard(data, target=target)
        # The program's own copy offers UTF8_STRING too: wait for xclip's bytes.
        wait_until(lambda: session.read_clipboard(target) == data, LINE_TIMEOUT,
                   f"xclip to serve {data!r} as {target}")
        paste(session, logged)
        session.expect_shown(shown, f"pasting {data!r} as {target}")


# (the target the owner offers, its answer, the text as the line shows it or None when nothing is
# pasted, the display in decimal afterwards): the answer is read by the type the owner names.
OWNER_CASES = [
    ("TEXT", Answer("UTF8_STRING", "é5".encode()), "é5", "5"),
    ("TEXT", Answer("STRING", b"6\xe9"), "6é", "6"),
    ("COMPOUND_TEXT", Answer("COMPOUND_TEXT", b"57"), "57", "57"),
    # Compound text: Latin-1 at first, Greek after its escape.
    ("COMPOUND_TEXT", Answer("COMPOUND_TEXT", b"8\xe9\x1b-F\xe1"), "8éα", "8"),
    ("UTF8_STRING", Answer("INTEGER", [12], format=32), None, "8"),
    ("UTF8_STRING", Answer("image/png", b"12"), None, "8"),
    # An incremental answer whose announced size is no limit either way.
    ("UTF8_STRING", Answer("UTF8_STRING", pieces=[b"3" * 70000, b"4"], announced=5),
     "3" * 70000 + "4", "3" * 19),
]


@scenario()
def paste_reads_each_answer_by_its_type(session):
    for target, answer, logged, shown in OWNER_CASES:
        owner = ClipboardOwner(session, target, answer)
        session.click("📋")
        if logged is not None:
            session.output.expect([PASTED + logged])
        session.expect_shown(shown, f"pasting {answer} offered as {target}")
        owner.stop()


def tiny_png():
    """A valid 1 × 1 PNG."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", 1, 1, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(b"\x00\xff\x00\x00")) + chunk(b"IEND", b""))


@scenario()
def paste_of_an_image_does_nothing(session):
    session.click_key("4", digit("4"))
    session.click_key("2", digit("2"))
    session.set_clipboard(tiny_png(), target="image/png")
    session.click("📋")
    # The copy's line comes next: the paste wrote nothing and left the value.
    session.expect_shown("42")


# (base, keys that make the value, display, display after copy and paste).
ROUND_TRIPS = [
    (HEX, ["2", "5", "5"], "255", "255"),
    (HEX, ["CE", "F", "F"], "FF", "FF"),
    (DEC, [], "255", "255"),
    (BIN, [], "11111111", "11111111"),
    # Negative values lose their sign, and in hexadecimal their 16th digit.
    (DEC, ["+/−"], "-255", "255"),
    (BIN, ["+/−"], "-11111111", "11111111"),
    (HEX, ["+/−"], "FFFFFFFFFFFFFF01", "FFFFFFFFFFFFFF0"),
]

KEY_LINES = {"+/−": ["DEBUG: Toggle sign"], "CE": ["DEBUG: Clear"]}


@scenario()
def copy_then_paste_in_each_base(session):
    for base, keys, shown, pasted_back in ROUND_TRIPS:
        select_base(session, base)
        for title in keys:
            session.click_key(title, KEY_LINES.get(title, digit(title)))
        session.expect_shown(shown, f"before copying in {base}")
        paste(session, shown)
        session.expect_shown(pasted_back, f"after pasting {shown!r} back in {base}")


def reach_the_most_negative_value(session):
    """Pastes 7FFFFFFFFFFFFFFF in hexadecimal and adds 1 by clicks: it wraps to the lowest value."""
    select_base(session, HEX)
    session.set_clipboard(b"7FFFFFFFFFFFFFFF")
    paste(session, "7FFFFFFFFFFFFFFF")
    session.click_key("+", ["DEBUG: Operation: add"])
    session.click_key("1", digit("1"))
    session.click_key("=", ["DEBUG: Equals pressed"])


@scenario()
def copy_and_paste_of_the_most_negative_value(session):
    """The one value whose digits do not all come back in any base."""
    lowest = {HEX: "8000000000000000", DEC: "-9223372036854775808", BIN: "-1" + "0" * 63}
    back = {HEX: "8" + "0" * 14, DEC: "922337203685477580", BIN: "1" + "0" * 62}
    for base in (HEX, DEC, BIN):
        reach_the_most_negative_value(session)
        select_base(session, base)
        session.expect_shown(lowest[base])
        paste(session, lowest[base])
        session.expect_shown(back[base], f"pasting the most negative value back in {base}")

#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Latency benchmark: key-to-pixels and resize-step-to-pixels, the calculator against the floor.

Both programs run at once under one private Xvfb with no window manager, side by side, and are
measured in turns, round after round, so that whatever else the machine does hits both alike;
each goes first in every other round.
Every figure is taken through the X server, as a user sees it:
  key     an XTEST key press sent to the focused window, then the first XDamage notification on
          that window (the first changed pixels);
  resize  the window resized by a ConfigureWindow request (a live-resize step of 20 : 29, 20
          pixels wider or narrower), then the first XDamage notification.
Keys are grouped by the length of the value they leave: 1-9 and 10-19 decimal digits (typing
1234567890123456789), and a 62- or 63-digit binary value in BIN (1 and Backspace in turn after
typing 1 and 61 zeros). It prints median, 90th percentile and maximum in milliseconds for each program
and the calculator/floor ratios. It reports and does not judge: the exit status is non-zero only
when a program could not be measured.

Usage: /usr/bin/python3 bench/latency_bench.py [--quorvin PATH] [--floor PATH] [--rounds N]
"""

import argparse
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

REPO_ROOT = Path(__file__).resolve().parent.parent
sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, str(REPO_ROOT / "tests/support"))

try:
    from Xlib import X, XK
    from Xlib.ext import damage, xtest

    import startup_bench as startup  # the screen, the programs' environment, the machine's load
    from quorvin_testing.checks import Failure
    from quorvin_testing.processes import stop_process
    from quorvin_testing.windows import find_window
    from quorvin_testing.xserver import XServer, close_quietly
except ImportError:
    sys.exit("latency_bench: needs python3-xlib; run it with Debian's /usr/bin/python3")

DAMAGE_TIMEOUT = 2.0     # seconds for one key or step to reach the screen
SETTLE_SECONDS = 0.03    # nothing more drawn for this long: the frame is complete
QUIET_SECONDS = 0.15     # nothing drawn for this long: the window is idle
LIVE_RESIZE_END = 0.5    # the calculator ends a live resize after 150 ms without a change
TYPED = "1234567890123456789"
# In BIN: a 62-digit value, then 1 and Backspace in turn (63 and 62 digits; 63 is the most a
# positive value has, and the BIN line shows the same digits).
BINARY_START = "1" + "0" * 61
BINARY_TOGGLES = 8
RESIZE_WIDTHS = [*range(320, 601, 20), *range(580, 299, -20)]
CLASSES = ["1-9 digits", "10-19 digits", "BIN 62-63 digits", "resize step"]
KEYSYMS = {"+": "plus", "=": "equal", "\b": "BackSpace", "\x1b": "Escape"}


class Program:
    def __init__(self, name, command, title):
        self.name, self.command, self.title = name, command, title
        self.process = self.window = self.damage = None
        self.samples = {name: [] for name in CLASSES}


class Bench:
    def __init__(self, conn):
        self.conn = conn
        if not conn.has_extension("DAMAGE") or not conn.has_extension("XTEST"):
            raise startup.BenchError("the X server lacks the DAMAGE or XTEST extension")
        conn.damage_query_version()
        # Xlib registers a copy of the event class: events are told apart by their code.
        self.damage_code = conn.extension_event.DamageNotify
        self.keycodes = {}

    # --- events ---------------------------------------------------------------------------------

    def next_damage(self, program, deadline):
        """The time of the next damage notification on the program's window, or None."""
        while True:
            while self.conn.pending_events():
                event = self.conn.next_event()
                if event.type == self.damage_code and event.damage == program.damage:
                    return time.perf_counter()
            remaining = deadline - time.perf_counter()
            if remaining <= 0:
                return None
            select.select([self.conn.fileno()], [], [], remaining)

    def wait_quiet(self, program, seconds=QUIET_SECONDS, limit=10.0):
        """Waits until nothing has been drawn in the program's window for `seconds`."""
        give_up = time.perf_counter() + limit
        while time.perf_counter() < give_up:
            if self.next_damage(program, time.perf_counter() + seconds) is None:
                return
        raise startup.BenchError(f"{program.name}: never stops drawing")

    def timed(self, program, act, what):
        """Runs `act` and returns the milliseconds to the first damage it causes."""
        start = time.perf_counter()
        act()
        self.conn.flush()
        drawn = self.next_damage(program, start + DAMAGE_TIMEOUT)
        if drawn is None:
            raise startup.BenchError(
                f"{program.name}: nothing drawn within {DAMAGE_TIMEOUT} s of {what}")
        self.wait_quiet(program, SETTLE_SECONDS)  # the rest of the frame
        return (drawn - start) * 1000

    # --- keys -----------------------------------------------------------------------------------

    def keycode(self, character):
        if character not in self.keycodes:
            keysym = XK.string_to_keysym(KEYSYMS.get(character, character))
            self.keycodes[character] = self.conn.keysym_to_keycode(keysym)
        return self.keycodes[character]

    def shifted(self, character):
        keycode = self.keycode(character)
        return self.conn.keycode_to_keysym(keycode, 0) != XK.string_to_keysym(
            KEYSYMS.get(character, character))

    def release(self, character, modifiers):
        xtest.fake_input(self.conn, X.KeyRelease, self.keycode(character))
        for modifier in reversed(modifiers):
            xtest.fake_input(self.conn, X.KeyRelease, modifier)
        self.conn.flush()

    def key(self, program, character, control=False, timed=True):
        """Types one key and returns its key-to-pixels time in milliseconds. An untimed key may
        change nothing (Escape at 0): it is typed, and whatever it draws is waited out."""
        # Modifiers go down first, untimed: the program draws nothing for them.
        modifiers = [self.conn.keysym_to_keycode(XK.XK_Control_L)] if control else []
        if self.shifted(character):
            modifiers.append(self.conn.keysym_to_keycode(XK.XK_Shift_L))
        for modifier in modifiers:
            xtest.fake_input(self.conn, X.KeyPress, modifier)
        self.conn.flush()
        press = lambda: xtest.fake_input(self.conn, X.KeyPress, self.keycode(character))
        elapsed = None
        if timed:
            elapsed = self.timed(program, press, f"the key {character!r}")
        else:
            press()
        self.release(character, modifiers)
        if not timed:
            self.wait_quiet(program, SETTLE_SECONDS)
        return elapsed

    def type_round(self, program):
        self.conn.set_input_focus(program.window, X.RevertToParent, X.CurrentTime)
        self.conn.flush()
        self.wait_quiet(program)
        self.key(program, "\x1b", timed=False)
        self.key(program, "d", control=True, timed=False)
        for index, digit in enumerate(TYPED):
            program.samples[CLASSES[0 if index < 9 else 1]].append(self.key(program, digit))
        self.key(program, "\x1b", timed=False)
        self.key(program, "b", control=True, timed=False)
        for character in BINARY_START:
            self.key(program, character, timed=False)
        for _ in range(BINARY_TOGGLES):
            for character in ("1", "\b"):
                program.samples[CLASSES[2]].append(self.key(program, character))
        self.key(program, "d", control=True, timed=False)
        self.key(program, "\x1b", timed=False)

    # --- resizes --------------------------------------------------------------------------------

    def resize_round(self, program):
        self.wait_quiet(program)
        for width in RESIZE_WIDTHS:
            height = width * 29 // 20
            program.samples[CLASSES[3]].append(self.timed(
                program, lambda: program.window.configure(width=width, height=height),
                f"the resize to {width} x {height}"))
        time.sleep(LIVE_RESIZE_END)
        self.wait_quiet(program)


def start_program(program, env, conn, x):
    program.process = subprocess.Popen(program.command, env=env, stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    while program.window is None:
        if program.process.poll() is not None or time.monotonic() > deadline:
            raise startup.BenchError(f"{program.name}: no window within 10 s")
        program.window = find_window(conn, program.title, program.process.pid)
        time.sleep(0.01)
    program.window.configure(x=x, y=0)
    program.damage = program.window.damage_create(damage.DamageReportRawRectangles)
    conn.flush()


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, round(fraction * (len(ordered) - 1)))]


def figures(values):
    return statistics.median(values), percentile(values, 0.9), max(values)


def print_report(calculator, floor):
    print(f"{'':<18}{'runs':>5}  {'quorvin median / p90 / max':>28}  "
          f"{'floor median / p90 / max':>26}  {'ratio median / p90':>18}")
    for name in CLASSES:
        mine, base = figures(calculator.samples[name]), figures(floor.samples[name])
        print(f"{name:<18}{len(calculator.samples[name]):>5}  "
              f"{mine[0]:>8.2f} / {mine[1]:>6.2f} / {mine[2]:>6.2f} ms  "
              f"{base[0]:>6.2f} / {base[1]:>6.2f} / {base[2]:>6.2f} ms  "
              f"{mine[0] / base[0]:>9.2f}x / {mine[1] / base[1]:.2f}x")


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--quorvin", type=Path, default=REPO_ROOT / "build/bin/quorvin")
    parser.add_argument("--floor", type=Path, default=REPO_ROOT / "build/bin/startup_floor")
    # Twelve rounds give every group at least a hundred keys, enough for a 90th percentile that
    # does not swing with one slow key.
    parser.add_argument("--rounds", type=int, default=12, help="rounds of typing and resizing")
    args = parser.parse_args()
    if args.rounds < 1:
        parser.error("--rounds must be at least 1")
    return args


def main():
    args = parse_args()
    programs = [Program("quorvin", [str(args.quorvin)], "Quorvin - Programmer Calculator"),
                Program("floor", [str(args.floor)], "Quorvin floor")]
    try:
        for program in programs:
            if not os.access(program.command[0], os.X_OK):
                raise startup.BenchError(f"{program.name}: {program.command[0]} is not an"
                                         " executable; build it first")
        if shutil.which("Xvfb") is None:
            raise startup.BenchError("Xvfb is not installed (scripts/install-deps installs it)")
        runtime_dir = tempfile.mkdtemp(prefix="quorvin-bench-")
        server, conn = None, None
        try:
            server = XServer(startup.SCREEN)
            conn = server.connect()
            env = startup.child_environment(server.name, runtime_dir)
            bench = Bench(conn)  # asks for the extensions before any damage object is made
            for program, x in zip(programs, (0, 640)):
                start_program(program, env, conn, x)
            print(f"Xvfb {server.name}, no window manager, {args.rounds} rounds, programs in"
                  f" turns; {startup.machine_load()}", flush=True)
            for round_number in range(args.rounds):
                # Whichever program goes first in a round is measured differently from the one
                # that follows it, even when both are the same program (about 4 % on keys, 15 to
                # 35 % on resize steps here): they take turns at going first.
                order = programs if round_number % 2 == 0 else programs[::-1]
                for program in order:
                    bench.type_round(program)
                for program in order:
                    bench.resize_round(program)
        finally:
            for program in programs:
                stop_process(program.process)
            close_quietly(conn)
            if server is not None:
                server.stop()
            shutil.rmtree(runtime_dir, ignore_errors=True)
    except Failure as problem:
        print(f"latency_bench: {problem}", file=sys.stderr)
        return 1
    print_report(*programs)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Listens to what the Orca screen reader says while the calculator is used with the mouse.

Starts, all private to this check: Xvfb on a free display, a D-Bus session bus, the AT-SPI bus
launcher, Orca with its own settings folder and its debug output on a pseudo-terminal (Python
writes line by line to a terminal, so every line arrives as it is written), and the program.
Orca has no speech synthesizer here (the speech-dispatcher client is pointed at a socket nobody
serves, and its spawn command is /bin/false); what it hands to the synthesizer is in its debug
output as "SPEECH OUTPUT: '…'" lines, and those are what it speaks. The check then
  - waits until Orca has seen the program join the accessibility bus;
  - clicks 1 + 2 = on the keypad with XTEST and expects "3" to be spoken after the "=" click;
  - clicks BIN and expects the new display text "11" and the new base "Binary" to be spoken.
Everything it started is ended by process id, together with what those processes started.

Needs Debian's /usr/bin/python3 with python3-xlib, and Xvfb, xdotool, dbus-daemon,
at-spi2-core and orca.
Usage: /usr/bin/python3 tests/a11y/orca_speech.py --program build/bin/quorvin
"""

import argparse
import os
import re
import subprocess
import sys
import threading
import time
import tty
from pathlib import Path

sys.dont_write_bytecode = True  # nothing written into the source tree
TESTS = Path(__file__).resolve().parent.parent
sys.path[:0] = [str(TESTS / "support"), str(TESTS / "e2e")]  # e2e: the layout the session reads

try:
    from quorvin_testing.buses import start_accessibility_bus, start_session_bus
    from quorvin_testing.checks import Failure, check, fail, wait_until
    from quorvin_testing.processes import spawn, stop_process
    from quorvin_testing.session import Session
except ImportError as problem:  # python3-xlib lives in Debian's own interpreter
    sys.exit(f"orca_speech: {problem}; run it with /usr/bin/python3 (python3-xlib)")

ORCA_TIMEOUT = 30.0   # Orca up and listening to the registry
SPEECH_TIMEOUT = 10.0  # one click until Orca has said what it says about it
ORCA_READY = "ORCA: Starting registry"
# The utterance, then the voice Orca used: "SPEECH OUTPUT: '3.'{'established': False}".
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)' ?(?:\{|$)")


class SpeechLog:
    """Orca's debug output, read from a pseudo-terminal on a thread, and what it spoke."""

    def __init__(self):
        self.master, self.slave = os.openpty()
        tty.setraw(self.slave)  # no line discipline between Orca's lines and this reader
        self.lines = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()

    @property
    def path(self):
        return os.ttyname(self.slave)

    def _read(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self.master, 65536)
            except OSError:
                return  # closed
            if not chunk:
                return
            pending += chunk
            *complete, pending = pending.split(b"\n")
            with self.lock:
                self.lines.extend(line.decode(errors="replace").rstrip("\r") for line in complete)

    def has_line(self, text):
        with self.lock:
            return any(text in line for line in self.lines)

    def spoken(self):
        """Every utterance so far, without the full stop Orca ends a sentence with."""
        with self.lock:
            found = [SPOKEN.search(line) for line in self.lines]
        return [match.group(1).strip().rstrip(".").strip() for match in found if match]

    def close(self):
        for fd in (self.slave, self.master):
            try:
                os.close(fd)
            except OSError:
                pass


class OrcaSession(Session):
    """The e2e session (Xvfb, the program, XTEST clicks) with a session bus, the accessibility
    bus and Orca in it, all started before the program."""

    def start(self):
        self.start_display()
        # English speech from Orca and English names from the program, whatever the caller's
        # locale; settings and caches go to the session's own folder.
        for variable in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
            self.env.pop(variable, None)
        self.env.update(LANG="C.UTF-8", XDG_CONFIG_HOME=os.path.join(self.workdir, "config"),
                        XDG_CACHE_HOME=os.path.join(self.workdir, "cache"),
                        XDG_DATA_HOME=os.path.join(self.workdir, "data"),
                        GSETTINGS_BACKEND="memory")
        self.helpers = []
        self.speech = SpeechLog()
        self.env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(self.helpers, self.env,
                                                                 self.workdir)
        start_accessibility_bus(self.helpers, self.env, self.workdir)

        started = time.monotonic()
        orca_env = dict(self.env, SPEECHD_CMD="/bin/false",
                        SPEECHD_ADDRESS="unix_socket:" + os.path.join(self.workdir, "no-speech"))
        self.orca = spawn(["orca", "--debug-file", self.speech.path,
                           "--user-prefs", os.path.join(self.workdir, "orca")],
                          env=orca_env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, cwd=self.workdir)
        self.helpers.append(self.orca)
        wait_until(lambda: self._orca_alive() and self.speech.has_line(ORCA_READY),
                   ORCA_TIMEOUT, "Orca to start")
        self.figures.append(f"Orca up in {time.monotonic() - started:.1f} s")

        self.env.update(QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.start_program()
        return self

    def _orca_alive(self):
        check(self.orca.poll() is None, f"Orca exited with status {self.orca.returncode}")
        return True

    def close(self):
        super().close()  # the program and the X server
        for process in reversed(getattr(self, "helpers", [])):
            stop_process(process, descendants_too=True)
            if process.stdout:
                process.stdout.close()
        if hasattr(self, "speech"):
            self.speech.close()


def expect_spoken(session, since, wanted, what):
    """Waits until every utterance in `wanted` was spoken, in order, after the first `since`."""
    def heard():
        spoken = session.speech.spoken()[since:]
        position = 0
        for utterance in spoken:
            if position < len(wanted) and utterance == wanted[position]:
                position += 1
        return position == len(wanted)

    try:
        wait_until(heard, SPEECH_TIMEOUT, what, interval=0.05)
    except Failure:
        fail(f"{what}: Orca said {session.speech.spoken()[since:]}, expected {wanted} among it")


def click(session, title):
    """A click on a key, once the program has handled it (its "released" line)."""
    session.click(title)
    session.output.until(f"DEBUG: Button '{title}' released")


def check_speech(session):
    session.wait_ready()
    # Orca has seen the program join the accessibility bus, by its name (not its desktop id).
    program = "[application | Quorvin]"
    wait_until(lambda: session.speech.has_line(program), SPEECH_TIMEOUT, "Orca to see the program",
               interval=0.05)

    for title in ("1", "+", "2"):
        click(session, title)
    since = len(session.speech.spoken())
    click(session, "=")
    expect_spoken(session, since, ["3"], 'the result spoken after "="')

    since = len(session.speech.spoken())
    session.click("BIN")
    session.output.expect(["DEBUG: System changed to: binary"])
    expect_spoken(session, since, ["11", "Binary"], "the display and the base spoken after BIN")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the quorvin binary")
    args = parser.parse_args()

    started = time.monotonic()
    session = OrcaSession(args.program)
    try:
        session.start()
        check_speech(session)
    except Failure as failure:
        print(f"orca_speech: FAIL: {failure}", file=sys.stderr)
        return 1
    finally:
        session.close()
    print(f"orca_speech: Orca spoke the result and the base; {', '.join(session.figures)}, "
          f"{time.monotonic() - started:.1f} s in all")
    return 0


if __name__ == "__main__":
    sys.exit(main())

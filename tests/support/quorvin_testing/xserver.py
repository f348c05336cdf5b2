# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""A private Xvfb."""

import os
import subprocess

from Xlib import display, error

from .checks import START_TIMEOUT, Failure, fail
from .processes import LineReader, spawn, stop_process


class XServer:
    """Xvfb on a display number of its own, accepting connections once constructed.

    Xvfb picks the number itself (-displayfd): it takes the first one without a socket in
    /tmp/.X11-unix and a /tmp/.X<n>-lock, atomically, so parallel runs never share a server, and
    it writes the number once it accepts connections.
    """

    def __init__(self, screen, timeout=START_TIMEOUT):
        self.screen = screen  # "WIDTHxHEIGHTxDEPTH"
        self.process = None
        read_end, write_end = os.pipe()
        try:
            self.process = spawn(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten",
                 "tcp"],
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                pass_fds=(write_end,))
            os.close(write_end)
            write_end = None
            number = LineReader(read_end).next(timeout, "the X display number")
        except Failure as problem:
            self.stop()
            fail(f"Xvfb did not start: {problem}")
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        if not number.isdigit():
            self.stop()
            fail(f"Xvfb did not start: it gave {number!r} for its display number")
        self.name = f":{number}"  # what DISPLAY is set to

    def connect(self):
        """A new Xlib connection to the server."""
        return display.Display(self.name)

    def stop(self):
        stop_process(self.process)


def close_quietly(conn):
    """Closes an Xlib connection whose server may be gone already."""
    if conn is None:
        return
    try:
        conn.close()
    except (OSError, error.ConnectionClosedError):
        pass

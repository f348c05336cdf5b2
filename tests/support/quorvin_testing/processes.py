# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Starting and ending processes, what /proc tells about them, and reading their output."""

import os
import queue
import select
import signal
import subprocess
import threading
import time

from .checks import LINE_TIMEOUT, fail

QUIET_SECONDS = 0.2  # "nothing happens" checks
QUIET = object()     # what OutputLines.next_unless_quiet() gives when no line came


def spawn(command, **options):
    """Starts a process that gets SIGTERM when the runner dies (setpriv from util-linux sets
    the parent-death signal, then runs the command in its place, under the same process id), so
    that a runner killed by a test timeout leaves no X server, bus or program behind."""
    return subprocess.Popen(["setpriv", "--pdeathsig", "TERM", "--", *command], **options)


def stop_process(process, grace=2.0, descendants_too=False):
    """Ends one process that the caller started, by its id (with `descendants_too`, first what
    it started in turn, such as the buses a bus launcher starts)."""
    if process is None:
        return
    if process.poll() is None:
        if descendants_too:
            for pid in reversed(descendants(process.pid)):
                try:
                    os.kill(pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=grace)
        except subprocess.TimeoutExpired:
            process.kill()
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        pass


def descendants(pid):
    """The ids of the processes `pid` started, and theirs, from /proc."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat", encoding="ascii", errors="replace") as stat:
                # The command name is in parentheses and may hold spaces: split after it.
                parent = int(stat.read().rsplit(")", 1)[1].split()[1])
        except (OSError, IndexError, ValueError):
            continue
        children.setdefault(parent, []).append(int(entry))
    found, pending = [], [pid]
    while pending:
        for child in children.get(pending.pop(), []):
            found.append(child)
            pending.append(child)
    return found


def _status_kib(pid, field):
    with open(f"/proc/{pid}/status", encoding="ascii") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    fail(f"no {field} for process {pid}")


def resident_kib(pid):
    """The process's resident memory now, in KiB."""
    return _status_kib(pid, "VmRSS")


def peak_resident_kib(pid):
    """The most resident memory the process has had, in KiB."""
    return _status_kib(pid, "VmHWM")


def is_sanitized(pid):
    """Whether the process runs with AddressSanitizer, whose own memory counts in its figures."""
    with open(f"/proc/{pid}/maps", encoding="ascii", errors="replace") as maps:
        return "libasan" in maps.read()


def shorten(lines, length=300):
    """repr() of a list of lines, each cut to `length` characters (a paste can be megabytes)."""
    return "[" + ", ".join(repr(line) if line is None or len(line) <= length
                           else repr(line[:length]) + f"...({len(line)} characters)"
                           for line in lines) + "]"


class LineReader:
    """Lines from a pipe, each by a deadline, read on the caller's thread. It reads the
    descriptor itself: a buffered file object could hold lines already read that select() then
    no longer reports."""

    def __init__(self, fd):
        self.fd = fd
        self.pending = b""

    def next(self, timeout, what):
        deadline = time.monotonic() + timeout
        while b"\n" not in self.pending:
            ready, _, _ = select.select([self.fd], [], [], max(deadline - time.monotonic(), 0))
            if not ready:
                fail(f"timed out after {timeout:.1f} s waiting for {what}")
            chunk = os.read(self.fd, 4096)
            if not chunk:
                fail(f"{what}: the process closed its output")
            self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        return line.decode(errors="replace").strip()


class OutputLines:
    """A program's standard output, one decoded line at a time, read on a thread.

    Lines are decoded as UTF-8; bytes that are not are kept as surrogate escapes so that a
    comparison shows them. A None in the queue marks the end of the output.
    """

    def __init__(self, stream):
        self._lines = queue.Queue()
        self.history = []
        self._thread = threading.Thread(target=self._read, args=(stream,), daemon=True)
        self._thread.start()

    def _read(self, stream):
        try:
            for raw in iter(stream.readline, b""):
                self._lines.put(raw.rstrip(b"\n").decode("utf-8", "surrogateescape"))
        except (OSError, ValueError):
            pass  # the pipe was closed under us at the end of a session
        self._lines.put(None)

    def next(self, timeout=LINE_TIMEOUT):
        """The next line, or None at the end of the output; fails when none comes in time."""
        line = self.next_unless_quiet(timeout)
        if line is QUIET:
            fail(f"no output line within {timeout:.1f} s; last lines: {self.tail()}")
        return line

    def expect(self, expected, timeout=LINE_TIMEOUT):
        """The next lines are exactly `expected`, in order."""
        got = []
        for want in expected:
            line = self.next(timeout)
            got.append(line)
            if line != want:
                fail("output differs:\n  expected " + shorten(expected) + "\n  got      "
                     + shorten(got) + ("" if line is not None else " and the end of the output"))

    def next_unless_quiet(self, seconds):
        """The next line if one comes within `seconds` (None at the end), else QUIET."""
        try:
            line = self._lines.get(timeout=seconds)
        except queue.Empty:
            return QUIET
        if line is None:
            self._lines.put(None)  # stays at the end
        else:
            self.history.append(line)
        return line

    def expect_quiet(self, seconds=QUIET_SECONDS):
        """No line arrives for `seconds`."""
        line = self.next_unless_quiet(seconds)
        if line is not QUIET:
            fail(f"unexpected output {shorten([line])}" if line is not None
                 else "the output ended (the program exited)")

    def until(self, last, timeout=LINE_TIMEOUT, limit=10000):
        """Every line up to and including the first one equal to `last` (or, if `last` is a
        function, the first one for which it returns true)."""
        is_last = last if callable(last) else last.__eq__
        got = []
        while len(got) < limit:
            line = self.next(timeout)
            if line is None:
                fail(f"the output ended before {last!r}; lines: {shorten(got[-20:])}")
            got.append(line)
            if is_last(line):
                return got
        fail(f"no {last!r} within {limit} lines")

    def tail(self, count=8):
        return shorten(self.history[-count:])

#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Starts the calculator on Qt's Wayland platform under a private headless compositor, checks
its three launch lines and that it keeps running, then ends it.

It runs twice: on the compositor's desktop shell, where the window keeps its own size, and on its
kiosk shell, which makes every window full-screen. There the compositor forces a size outside the
window's limits: the window must take it without a protocol error, and whatever size it reports
must stay within the limits. Both times the protocol log (WAYLAND_DEBUG=client on standard error)
must show the window's app_id set to the desktop entry's name."""

import os
import queue
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

LAUNCH_LINES = ["DEBUG: Quorvin starting...", "DEBUG: UI setup complete", "DEBUG: App ready!"]
SOCKET = "quorvin-wayland-test"
FRAME_SIZE = re.compile(r"DEBUG: Frame size changed: \((\d+)\.0, (\d+)\.0\)")
MIN_SIZE, MAX_SIZE = (300, 435), (600, 870)
APP_ID = re.compile(r'xdg_toplevel@\d+\.set_app_id\("([^"]*)"\)')
DESKTOP_ENTRY_ID = "io.quorvin.Quorvin"


def wait_for(predicate, timeout, what):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if predicate():
            return
        time.sleep(0.02)
    raise AssertionError(f"timed out waiting for {what}")


def read_lines(stream, lines):
    for raw in stream:
        lines.put(raw.decode("utf-8", "replace").rstrip("\n"))
    lines.put(None)


def stop(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def collect_for(lines, seconds):
    """The lines the program writes within `seconds`."""
    collected = []
    deadline = time.monotonic() + seconds
    while (left := deadline - time.monotonic()) > 0:
        try:
            line = lines.get(timeout=left)
        except queue.Empty:
            break
        if line is None:
            break
        collected.append(line)
    return collected


def run(program, shell):
    runtime = tempfile.mkdtemp(prefix="quorvin-wayland-")
    os.chmod(runtime, 0o700)
    environment = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "XDG_RUNTIME_DIR": runtime}
    compositor = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", f"--shell={shell}", f"--socket={SOCKET}",
         "--idle-time=0"],
        env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    calculator = protocol_log = None
    try:
        socket_path = os.path.join(runtime, SOCKET)
        wait_for(lambda: os.path.exists(socket_path), 10, "the compositor's socket")
        # The protocol log goes to a file: a pipe nobody reads would stall the program.
        protocol_path = os.path.join(runtime, "wayland-debug.log")
        protocol_log = open(protocol_path, "wb")
        calculator = subprocess.Popen(
            [program], env=dict(environment, WAYLAND_DISPLAY=SOCKET, QT_QPA_PLATFORM="wayland",
                                WAYLAND_DEBUG="client"),
            stdout=subprocess.PIPE, stderr=protocol_log)
        lines = queue.Queue()
        threading.Thread(target=read_lines, args=(calculator.stdout, lines), daemon=True).start()
        seen = []
        while len(seen) < len(LAUNCH_LINES):
            line = lines.get(timeout=10)
            if line is None:
                raise AssertionError(f"the program ended after {seen}")
            seen.append(line)
        assert seen == LAUNCH_LINES, f"launch lines: {seen}"
        # Long enough for a compositor's resize to arrive and its live resize to end (150 ms).
        later = collect_for(lines, 1.5)
        assert calculator.poll() is None, (
            f"the program ended with status {calculator.returncode} after {later}")
        sizes = [tuple(map(int, m.groups())) for m in map(FRAME_SIZE.match, later) if m]
        for width, height in sizes:
            assert MIN_SIZE[0] <= width <= MAX_SIZE[0] and MIN_SIZE[1] <= height <= MAX_SIZE[1], (
                f"reported size {width} x {height} is outside the limits")
        if shell == "desktop-shell.so":
            assert later == [], f"unexpected lines after the launch: {later}"
        with open(protocol_path, "rb") as protocol:
            app_ids = APP_ID.findall(protocol.read().decode("utf-8", "replace"))
        assert app_ids == [DESKTOP_ENTRY_ID], f"app_id requests: {app_ids}"
        print(f"wayland ({shell}): launch lines as expected, still running, sizes {sizes}, "
              f"app_id {app_ids[0]}")
    finally:
        if calculator is not None:
            stop(calculator)
        if protocol_log is not None:
            protocol_log.close()
        stop(compositor)
        shutil.rmtree(runtime, ignore_errors=True)


def main():
    program = sys.argv[1]
    for shell in ("desktop-shell.so", "kiosk-shell.so"):
        run(program, shell)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (AssertionError, queue.Empty) as failure:
        print(f"wayland: FAILED: {failure or 'no line in time'}", file=sys.stderr)
        sys.exit(1)

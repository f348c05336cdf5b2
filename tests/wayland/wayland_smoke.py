#!/usr/bin/python3
"""Starts the calculator on Qt's Wayland platform under a private headless compositor, checks
its three launch lines and that it keeps running, then ends it."""

import os
import queue
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

LAUNCH_LINES = ["DEBUG: Quorvin starting...", "DEBUG: UI setup complete", "DEBUG: App ready!"]
SOCKET = "quorvin-wayland-test"


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


def main():
    program = sys.argv[1]
    runtime = tempfile.mkdtemp(prefix="quorvin-wayland-")
    os.chmod(runtime, 0o700)
    environment = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "XDG_RUNTIME_DIR": runtime}
    compositor = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", f"--socket={SOCKET}", "--idle-time=0"],
        env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    calculator = None
    try:
        socket_path = os.path.join(runtime, SOCKET)
        wait_for(lambda: os.path.exists(socket_path), 10, "the compositor's socket")
        calculator = subprocess.Popen(
            [program], env=dict(environment, WAYLAND_DISPLAY=SOCKET, QT_QPA_PLATFORM="wayland"),
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        lines = queue.Queue()
        threading.Thread(target=read_lines, args=(calculator.stdout, lines), daemon=True).start()
        seen = []
        while len(seen) < len(LAUNCH_LINES):
            line = lines.get(timeout=10)
            if line is None:
                raise AssertionError(f"the program ended after {seen}")
            seen.append(line)
        assert seen == LAUNCH_LINES, f"launch lines: {seen}"
        time.sleep(0.3)
        assert calculator.poll() is None, f"the program ended with status {calculator.returncode}"
        try:
            extra = lines.get_nowait()
        except queue.Empty:
            extra = None
        assert extra is None, f"unexpected line after the launch: {extra!r}"
        print("wayland: launch lines as expected")
        return 0
    finally:
        if calculator is not None:
            stop(calculator)
        stop(compositor)
        shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (AssertionError, queue.Empty) as failure:
        print(f"wayland: FAILED: {failure or 'no line in time'}", file=sys.stderr)
        sys.exit(1)

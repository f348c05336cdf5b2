#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Start-up and memory benchmark: the calculator against a bare Qt Widgets floor.

Both programs run under one private Xvfb, alternately, after one warm-up run each. For every run
it measures, from the moment the program is started:
  ready  the "DEBUG: App ready!" line on its standard output,
  frame  the first painted frame: the pixel at (150, 30) of the window's content, inside the
         display label, turns the display's background colour,
  RSS    the resident memory 300 ms after that frame.
Two floors are measured: the floor with the calculator's texts, emoji and display fonts, and the
same window plain (--plain: default fonts, no emoji).
It prints the median and minimum of each figure and the calculator/floor ratios. It reports and
does not judge: the exit status is 0 whatever the ratios, and non-zero only when a program could
not be measured (missing, exited early, or no frame within 10 s).

Usage: /usr/bin/python3 bench/startup_bench.py [--quorvin PATH] [--floor PATH] [--only NAME]
"""

import argparse
import dataclasses
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
    from quorvin_testing.checks import Failure
    from quorvin_testing.processes import resident_kib, stop_process
    from quorvin_testing.windows import find_window, pixel
    from quorvin_testing.xserver import XServer, close_quietly
except ImportError:
    sys.exit("startup_bench: needs python3-xlib; run it with Debian's /usr/bin/python3")

READY_LINE = b"DEBUG: App ready!"
# The display label's background, rgb(0.65, 0.75, 0.65), and the point probed inside it. The
# label's text is right-aligned, so the probe sees background only.
DISPLAY_COLOUR = (166, 191, 166)
COLOUR_TOLERANCE = 2
PROBE_POINT = (150, 30)
POLL_SECONDS = 0.0005
FRAME_TIMEOUT_SECONDS = 10.0
RSS_DELAY_SECONDS = 0.3
SCREEN = "1280x1024x24"


class BenchError(Failure):
    """A program could not be measured."""


@dataclasses.dataclass
class Program:
    name: str
    path: Path
    title: str
    arguments: tuple = ()


@dataclasses.dataclass
class Sample:
    ready_ms: float
    frame_ms: float
    rss_kib: int


# --- one run -----------------------------------------------------------------------------------


def is_display_colour(colour):
    return colour is not None and all(
        abs(a - b) <= COLOUR_TOLERANCE for a, b in zip(colour, DISPLAY_COLOUR))


def read_ready_line(fd, pending):
    """Reads what the program wrote; returns (pending bytes, ready seen, end of file)."""
    chunk = os.read(fd, 65536)
    if not chunk:
        return pending, False, True
    pending += chunk
    *lines, pending = pending.split(b"\n")
    return pending, any(line.rstrip(b"\r") == READY_LINE for line in lines), False


def start_failure(program, process, stderr_file, reason):
    stderr_file.seek(0)
    tail = stderr_file.read().decode("utf-8", "replace").strip().splitlines()[-10:]
    status = process.poll()
    detail = f" (exit status {status})" if status is not None else ""
    message = f"{program.name}: {reason}{detail}"
    return BenchError("\n  ".join([message] + tail))


def measure_once(program, env, conn):
    """Starts the program, waits for its ready line and first frame, samples RSS, closes it."""
    with tempfile.TemporaryFile() as stderr_file:
        start = time.perf_counter()
        process = subprocess.Popen([str(program.path), *program.arguments], env=env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.PIPE, stderr=stderr_file)
        try:
            ready, frame = wait_for_start(program, process, conn, start, stderr_file)
            time.sleep(max(0.0, frame + RSS_DELAY_SECONDS - time.perf_counter()))
            if process.poll() is not None:
                raise start_failure(program, process, stderr_file, "exited after its first frame")
            rss = resident_kib(process.pid)
        finally:
            stop_process(process)
            process.stdout.close()
    return Sample((ready - start) * 1000, (frame - start) * 1000, rss)


def wait_for_start(program, process, conn, start, stderr_file):
    """Returns the times of the ready line and of the first frame.

    The window is probed every POLL_SECONDS (or as fast as the probes go, if they take longer);
    standard output is watched in between, so the ready line is timed as soon as it arrives.
    """
    fd = process.stdout.fileno()
    pending, ready, frame, window, eof = b"", None, None, None, False
    next_probe = start
    while ready is None or frame is None:
        now = time.perf_counter()
        if now - start > FRAME_TIMEOUT_SECONDS:
            what = "no first frame" if frame is None else "no ready line"
            raise start_failure(program, process, stderr_file, f"{what} within 10 s")
        if frame is None and now >= next_probe:
            next_probe = now + POLL_SECONDS
            if window is None:
                window = find_window(conn, program.title, process.pid)
            if window is not None and is_display_colour(pixel(conn, window, *PROBE_POINT)):
                frame = time.perf_counter()
        wait = max(0.0, next_probe - time.perf_counter()) if frame is None else POLL_SECONDS
        if eof:
            time.sleep(wait)
        elif select.select([fd], [], [], wait)[0]:
            pending, seen, eof = read_ready_line(fd, pending)
            if seen and ready is None:
                ready = time.perf_counter()
        if process.poll() is not None:
            raise start_failure(program, process, stderr_file, "exited during start-up")
    return ready, frame


# --- the report --------------------------------------------------------------------------------


def summary(values):
    return statistics.median(values), min(values)


def print_report(programs, samples):
    print(f"{'program':<10}{'runs':>5}  {'ready median / min':>20}  {'frame median / min':>20}"
          f"  {'RSS median / min':>22}")
    for program in programs:
        runs = samples[program.name]
        ready = summary([s.ready_ms for s in runs])
        frame = summary([s.frame_ms for s in runs])
        rss = summary([s.rss_kib / 1024 for s in runs])
        print(f"{program.name:<10}{len(runs):>5}  {ready[0]:>9.1f} / {ready[1]:>5.1f} ms"
              f"  {frame[0]:>9.1f} / {frame[1]:>5.1f} ms  {rss[0]:>9.1f} / {rss[1]:>5.1f} MiB")
    for floor in ("floor", "plain"):
        if {"quorvin", floor} <= samples.keys():
            print_ratios(samples["quorvin"], samples[floor], floor)


def ratio(calculator, floor, field, pick):
    return (pick([getattr(s, field) for s in calculator])
            / pick([getattr(s, field) for s in floor]))


def print_ratios(calculator, floor, name):
    """The target is on the medians; the minimums show how much of a gap is run-to-run noise."""
    for label, pick in (("medians:", statistics.median), ("minimums:", min)):
        ready, frame, rss = (ratio(calculator, floor, field, pick)
                             for field in ("ready_ms", "frame_ms", "rss_kib"))
        print(f"quorvin / {name}, {label:<10} ready {ready:.2f}x  frame {frame:.2f}x"
              f"  RSS {rss:.2f}x  (target <= 1.20x)")


# --- driver ------------------------------------------------------------------------------------


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--quorvin", type=Path, default=REPO_ROOT / "build/bin/quorvin",
                        help="the calculator (default: build/bin/quorvin)")
    parser.add_argument("--floor", type=Path, default=REPO_ROOT / "build/bin/startup_floor",
                        help="the floor program (default: build/bin/startup_floor)")
    parser.add_argument("--only", choices=["quorvin", "floor", "plain"],
                        help="measure one program alone (no ratios)")
    parser.add_argument("--runs", type=int, default=25, help="measured runs per program")
    parser.add_argument("--warmup", type=int, default=1, help="unmeasured runs per program first")
    args = parser.parse_args()
    if args.runs < 1 or args.warmup < 0:
        parser.error("--runs must be at least 1 and --warmup at least 0")
    return args


def selected_programs(args):
    programs = [Program("quorvin", args.quorvin, "Quorvin - Programmer Calculator"),
                Program("floor", args.floor, "Quorvin floor"),
                Program("plain", args.floor, "Quorvin floor", ("--plain",))]
    programs = [p for p in programs if args.only in (None, p.name)]
    for program in programs:
        if not os.access(program.path, os.X_OK):
            raise BenchError(f"{program.name}: {program.path} is not an executable; build it first"
                             " (or measure the other alone with --only)")
    return programs


def child_environment(display_name, runtime_dir):
    env = dict(os.environ)
    env.update(DISPLAY=display_name, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime_dir)
    return env


def machine_load():
    """Other work on the machine skews start-up times: say how busy it was."""
    return f"load average {os.getloadavg()[0]:.2f} on {os.cpu_count()} CPUs"


def run_all(programs, args, env, conn):
    """Warm-up runs first, then the measured runs, alternating programs so drift hits both."""
    for _ in range(args.warmup):
        for program in programs:
            measure_once(program, env, conn)
    samples = {program.name: [] for program in programs}
    for _ in range(args.runs):
        for program in programs:
            samples[program.name].append(measure_once(program, env, conn))
    return samples


def main():
    args = parse_args()
    try:
        programs = selected_programs(args)
        if shutil.which("Xvfb") is None:
            raise BenchError("Xvfb is not installed (scripts/install-deps installs it)")
        runtime_dir = tempfile.mkdtemp(prefix="quorvin-bench-")  # mode 0700
        server, conn = None, None
        try:
            server = XServer(SCREEN)
            conn = server.connect()
            env = child_environment(server.name, runtime_dir)
            print(f"Xvfb {server.name} {SCREEN}, {args.warmup} warm-up and {args.runs} measured"
                  f" runs per program, times from exec; {machine_load()}", flush=True)
            samples = run_all(programs, args, env, conn)
        finally:
            close_quietly(conn)
            if server is not None:
                server.stop()
            shutil.rmtree(runtime_dir, ignore_errors=True)
    except Failure as problem:
        print(f"startup_bench: {problem}", file=sys.stderr)
        return 1
    print_report(programs, samples)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Runs one group of end-to-end scenarios against the real calculator under a private Xvfb.

Every scenario gets its own X server (and openbox with --wm openbox) and its own run of the
program. Unless a scenario ends the program itself, it is closed afterwards through
WM_DELETE_WINDOW, and it must then write "DEBUG: App closing" as its next line and exit with
status 0: a scenario that leaves an unexpected line behind, or a program that crashed, fails.

Usage: /usr/bin/python3 tests/e2e/run_e2e.py --program build/bin/quorvin --group keypad
           [--wm none|openbox] [-k SUBSTRING] [--list]
The exit status is 0 when every selected scenario passed. The window's layout and colours come
from the file QUORVIN_LAYOUT_DATA names (CTest sets it), by default build/generated/layout.json.
"""

import argparse
import importlib
import os
import shutil
import sys
import time
import traceback
from pathlib import Path

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "support"))

try:
    from quorvin_testing.checks import Failure, check
    from quorvin_testing.scenarios import scenarios_of
    from quorvin_testing.session import Session
except ImportError as problem:  # python3-xlib lives in Debian's own interpreter
    sys.exit(f"run_e2e: {problem}; run it with /usr/bin/python3 (python3-xlib)")

GROUPS = ("launch", "keypad", "keyboard", "clipboard", "resize", "robustness", "resilience",
          "desktops")
TOOLS = ("Xvfb", "xdotool", "xclip")
# The window managers a group starts itself.
GROUP_TOOLS = {"desktops": ("dbus-run-session", "dbus-daemon", "mutter", "metacity", "i3")}


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--program", required=True, type=Path, help="the quorvin executable")
    parser.add_argument("--group", required=True, choices=GROUPS)
    parser.add_argument("--wm", choices=("none", "openbox"), default="none",
                        help="run under the openbox window manager, or none (default)")
    parser.add_argument("-k", dest="only", default="", help="run scenarios whose name has this")
    parser.add_argument("--list", action="store_true", help="list the scenarios and stop")
    return parser.parse_args()


def selected_scenarios(group, wm, only):
    module = importlib.import_module(f"{group}_scenarios")
    return [s for s in scenarios_of(module) if wm in s.modes and only in s.name]


def run_one(entry, program, wm):
    """Runs one scenario; returns (None when it passed, else a report; its figures)."""
    session = Session(program, window_manager=(wm == "openbox"), screen=entry.screen)
    try:
        session.start(entry.prepare)
        if entry.ready:
            session.wait_ready()
        entry.function(session)
        if session.alive():
            session.send_delete()
            session.output.expect(["DEBUG: App closing"])
            status = session.wait_exit()
            check(status == 0, f"exit status {status} after closing the window")
            check(session.output.next() is None, "output after the closing line")
        return None, session.figures
    except Failure as failure:
        report = [str(failure)]
    except Exception:  # a broken scenario or harness: report it like a failure
        report = [traceback.format_exc().rstrip()]
    finally:
        process = session.process
        crashed = process is not None and process.poll() not in (None, 0)
        status = process.poll() if process is not None else None
        history = session.output.tail(12) if session.output else "[]"
        stderr = session.stderr_tail()
        session.close()
    if crashed:
        report.append(f"the program ended with status {status}")
    report.append("last output lines: " + history)
    if stderr:
        report.append("standard error:\n    " + "\n    ".join(stderr))
    return "\n  ".join(report), session.figures


def main():
    args = parse_args()
    missing = [tool for tool in TOOLS + (("openbox",) if args.wm == "openbox" else ())
               + GROUP_TOOLS.get(args.group, ()) if shutil.which(tool) is None]
    if missing:
        print(f"run_e2e: missing {', '.join(missing)} (scripts/install-deps installs them)",
              file=sys.stderr)
        return 2
    if not os.access(args.program, os.X_OK):
        print(f"run_e2e: {args.program} is not an executable; build it first", file=sys.stderr)
        return 2
    scenarios = selected_scenarios(args.group, args.wm, args.only)
    if args.list:
        for entry in scenarios:
            print(entry.name)
        return 0
    if not scenarios:
        print(f"run_e2e: no scenario of group {args.group} matches", file=sys.stderr)
        return 2
    failures = 0
    started = time.monotonic()
    for entry in scenarios:
        begin = time.monotonic()
        report, figures = run_one(entry, args.program, args.wm)
        took = time.monotonic() - begin
        if report is None:
            print(f"PASS {args.group}.{entry.name} ({took:.1f} s)", flush=True)
        else:
            failures += 1
            print(f"FAIL {args.group}.{entry.name} ({took:.1f} s)\n  {report}", flush=True)
        for line in figures:
            print(f"     {line}", flush=True)
    print(f"{len(scenarios) - failures} of {len(scenarios)} scenarios passed"
          f" (window manager: {args.wm}, {time.monotonic() - started:.1f} s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

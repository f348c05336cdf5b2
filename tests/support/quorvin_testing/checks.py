# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Failing a check, and waiting for a condition with a time limit."""

import time

LINE_TIMEOUT = 5.0      # an answer to one action
START_TIMEOUT = 15.0    # an X server, a bus, a window manager, a program's first frame


class Failure(Exception):
    """What a program or a helper did differs from what a check expects."""


def fail(message):
    raise Failure(message)


def check(condition, message):
    if not condition:
        fail(message)


def wait_until(predicate, timeout, what, interval=0.005, between=None):
    """Polls `predicate` until it returns a true value, which is returned; `between`, if given,
    runs before each poll."""
    deadline = time.monotonic() + timeout
    while True:
        if between:
            between()
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            fail(f"timed out after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)

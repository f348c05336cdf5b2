# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""A private D-Bus session bus and the AT-SPI accessibility bus on it."""

import os
import subprocess

from .checks import START_TIMEOUT, check, wait_until
from .processes import LineReader, spawn

BUS_LAUNCHER_PATHS = [
    "/usr/libexec/at-spi-bus-launcher",
    "/usr/lib/at-spi2-core/at-spi-bus-launcher",
]


def start_session_bus(started, env=None, cwd=None, timeout=START_TIMEOUT):
    """Starts dbus-daemon as a session bus and returns its address. The process is appended to
    `started` at once, for the caller to end."""
    bus = spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env=env, cwd=cwd,
                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    started.append(bus)
    address = LineReader(bus.stdout.fileno()).next(timeout, "the session bus address")
    check(address.startswith("unix:"), f"dbus-daemon gave no address: {address!r}")
    return address


def start_accessibility_bus(started, env, cwd=None, timeout=START_TIMEOUT):
    """Starts the AT-SPI bus launcher (which brings up the accessibility bus and its registry) on
    the session bus named in `env`, and waits until it owns its name. It is started here rather
    than activated by the session bus on first use, so that it is one of the caller's processes,
    appended to `started` at once."""
    launcher = next((path for path in BUS_LAUNCHER_PATHS if os.access(path, os.X_OK)), None)
    check(launcher, "at-spi-bus-launcher not found; install at-spi2-core")
    started.append(spawn([launcher, "--launch-immediately", "--a11y=1"], env=env, cwd=cwd,
                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL))
    wait_until(lambda: _owns_accessibility_bus(env), timeout, "the AT-SPI bus launcher",
               interval=0.05)


def _owns_accessibility_bus(env):
    answer = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
         "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
        env=env, stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=5)
    return answer.returncode == 0 and "boolean true" in answer.stdout

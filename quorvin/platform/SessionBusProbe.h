// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// A check of the D-Bus session bus, made before the window system starts, and what the program does
// about a bus that does not answer or cannot be found.

#include <chrono>
#include <string_view>

namespace quorvin::toolkit {

// True when the D-Bus session bus the environment names (or the default one) takes a connection
// but does not answer the first step of its handshake within `timeout`: Qt's accessibility
// bridge would then wait for it at start-up. False when it answers, refuses at once, or no bus
// that a plain socket can reach is configured.
bool sessionBusIsSilent(std::chrono::milliseconds timeout);

// A session bus that takes connections and never answers (a stopped daemon) would hold the start
// in Qt's accessibility bridge for minutes. Asked first (for at most `timeout`), a silent bus gets
// one line on standard error, and DBUS_SESSION_BUS_ADDRESS then names a bus that fails at once, so
// that the program starts without accessibility. True when it did so.
bool avoidSilentSessionBus(std::chrono::milliseconds timeout);

// Where libdbus looks for dbus-launch before it searches PATH: the folder it was built for, and
// the one a bus built from source goes to. Separated by colons, as in PATH.
inline constexpr std::string_view kBusLauncherFolders = "/usr/bin:/usr/local/bin";

// True when there is no session bus to be found and none that can be started: no address is
// configured, nothing is in the runtime folder's "bus", and dbus-launch, with which libdbus
// would start a bus for the X display, is in none of `launcherFolders` and nowhere on PATH.
bool sessionBusIsMissing(std::string_view launcherFolders = kBusLauncherFolders);

// Without a bus, libdbus still forks to run dbus-launch and searches PATH for it, and Qt's
// accessibility bridge waits for that failure at start-up. When the session bus is missing,
// DBUS_SESSION_BUS_ADDRESS names a bus that fails at once, with the same outcome: the program
// runs without accessibility, and says nothing. True when it did so.
bool avoidMissingSessionBus();

}  // namespace quorvin::toolkit

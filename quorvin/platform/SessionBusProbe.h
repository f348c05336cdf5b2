// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// A check of the D-Bus session bus, made before the window system starts, and what the program does
// about a bus that does not answer.

#include <chrono>

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

}  // namespace quorvin::toolkit

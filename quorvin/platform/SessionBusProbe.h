// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: a check of the D-Bus session bus, made before Qt starts.

#include <chrono>

namespace quorvin::toolkit {

// True when the D-Bus session bus the environment names (or the default one) takes a connection
// but does not answer the first step of its handshake within `timeout`: Qt's accessibility
// bridge would then wait for it at start-up. False when it answers, refuses at once, or no bus
// that a plain socket can reach is configured.
bool sessionBusIsSilent(std::chrono::milliseconds timeout);

}  // namespace quorvin::toolkit

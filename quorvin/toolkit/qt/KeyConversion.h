// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: Qt's key presses as the toolkit's key events.

#include <QKeyEvent>

#include <optional>

#include "quorvin/toolkit/KeyEvent.h"

namespace quorvin::toolkit {

// The key-down event a Qt key press stands for, or none for a modifier key pressed alone. Dead
// keys and the compose key combine as the locale's compose table says.
std::optional<KeyEvent> toKeyEvent(const QKeyEvent& event);

}  // namespace quorvin::toolkit

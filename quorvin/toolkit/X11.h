// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: what the toolkit asks of X11 directly, beside Qt.

#include <QWidget>

#include <optional>
#include <string>

#include "quorvin/toolkit/Geometry.h"

namespace quorvin::toolkit {

// Window-manager hints on X11; both do nothing on other platforms or before the native window
// exists.
struct SizeLimits {
    Size minSize;
    Size maxSize;
    Size aspectRatio;  // zero: none
};
void setX11SizeHints(QWidget& window, const SizeLimits& limits);
// True when a mouse button is held anywhere on the X11 screen (the window manager grabs the
// pointer during an edge drag, so the window itself sees no button events).
bool x11PointerButtonHeld();

// True on X11 once the toolkit's own connection for reading the clipboard is open.
bool x11ClipboardReadable();
// The CLIPBOARD selection's text as UTF-8, read from another client over that connection, or
// nothing when it holds no text or its owner does not answer in time (one wait for a silent
// owner). Its bytes arrive once, without a UTF-16 copy.
std::optional<std::string> x11ClipboardText();

}  // namespace quorvin::toolkit

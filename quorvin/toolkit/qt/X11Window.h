// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: what a window asks of X11 directly, beside Qt (the X11
// library handed Qt's display connection and the window's id, in device pixels).

#include <QMargins>
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
// Asks the window manager (or, without one, the X server) for a new size of the window's content
// in points, without Qt taking the size as granted: the answer arrives as an outside size change,
// and a window manager that keeps its own size sends none. False where this is not X11 or the
// native window does not exist yet.
bool requestX11WindowSize(QWidget& window, const Size& size);
// Where the frame the window manager will draw around the window is known before the window is
// shown (it answers _NET_REQUEST_FRAME_EXTENTS), its left, top, right and bottom widths in
// logical pixels.
std::optional<QMargins> x11FrameExtents(QWidget& window);
// Once per application on X11: the size in a ConfigureNotify for one of the program's windows is
// checked before Qt acts on it. A size another client sent (a synthetic event) that the window
// does not have is replaced by the window's real size, and a size of more than twice the screen's
// area reaches Qt cut to the screen (or the window's maximum, where larger), so that no client can
// make the program allocate a buffer for a window of 65535 × 65535.
void installX11ConfigureGuard();
// True when a mouse button is held anywhere on the X11 screen (the window manager grabs the
// pointer during an edge drag, so the window itself sees no button events).
bool x11PointerButtonHeld();

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// What the program asks of the X server and the window manager about one of its windows, beside
// what the window system's toolkit does. Every length is in device pixels; every function is handed
// the display connection and the window's id.

#include <optional>

typedef struct _XDisplay Display;

namespace quorvin::x11 {

// WM_NORMAL_HINTS limits: the sizes are rounded inwards (the minimum up, the maximum down), so that
// every size the window manager allows is within them; a zero minimum or an infinite maximum is
// none. The proportion is a ratio of any two positive numbers; zero: none.
struct SizeLimits {
    double minWidth = 0, minHeight = 0;
    double maxWidth = 0, maxHeight = 0;
    double aspectWidth = 0, aspectHeight = 0;
};
// The window's hints as they are, with these limits and this proportion in place of theirs.
void setSizeLimits(Display* display, unsigned long window, const SizeLimits& limits);

// Asks the window manager (or, without one, the X server) for a new size of the window, at least
// one pixel each way.
void requestWindowSize(Display* display, unsigned long window, double width, double height);

struct FrameExtents {
    int left = 0, top = 0, right = 0, bottom = 0;
};
// True when the running window manager answers _NET_REQUEST_FRAME_EXTENTS: it tells the frame it
// will draw around a window before the window is shown.
bool canRequestFrameExtents(Display* display);
// That frame, asked for and waited for up to 200 ms; none when the window manager does not answer
// in time.
std::optional<FrameExtents> requestFrameExtents(Display* display, unsigned long window);

struct PixelSize {
    unsigned width = 0, height = 0;
};
// The window's size as the X server has it; none when the window is gone.
std::optional<PixelSize> windowSize(Display* display, unsigned long window);

// True when a mouse button is held anywhere on the display's screen (the window manager grabs the
// pointer during an edge drag, so the window itself sees no button events).
bool pointerButtonHeld(Display* display);

}  // namespace quorvin::x11

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/x11/WindowHints.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace quorvin::x11 {

namespace {

int hintLength(double pixels) {
    if (!(pixels > 0)) return 0;
    return static_cast<int>(std::lround(std::min(pixels, 32767.0)));
}

// X11 states the proportion as a fraction of two ints.
void setAspect(XSizeHints& hints, double width, double height) {
    while ((width != std::floor(width) || height != std::floor(height)) && width < 1e5 &&
           height < 1e5) {
        width *= 10;
        height *= 10;
    }
    const int x = static_cast<int>(std::lround(std::min(width, 1e9)));
    const int y = static_cast<int>(std::lround(std::min(height, 1e9)));
    if (x <= 0 || y <= 0) return;
    hints.flags |= PAspect;
    hints.min_aspect.x = hints.max_aspect.x = x;
    hints.min_aspect.y = hints.max_aspect.y = y;
}

// True when the running window manager lists `feature` in _NET_SUPPORTED.
bool windowManagerSupports(Display* display, const char* feature) {
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    const Atom wanted = XInternAtom(display, feature, False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 4096, False, XA_ATOM,
                           &type, &format, &count, &remaining, &data) != Success) {
        return false;
    }
    bool found = false;
    if (data && type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        found = std::find(atoms, atoms + count, wanted) != atoms + count;
    }
    if (data) XFree(data);
    return found;
}

// _NET_FRAME_EXTENTS of `window` in device pixels, when the window manager has set it.
std::optional<FrameExtents> readFrameExtents(Display* display, ::Window window) {
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, extents, 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) != Success) {
        return std::nullopt;
    }
    std::optional<FrameExtents> margins;
    if (data && type == XA_CARDINAL && format == 32 && count == 4) {
        const auto* values = reinterpret_cast<const long*>(data);
        const auto side = [](long value) { return static_cast<int>(std::clamp(value, 0L, 4096L)); };
        margins = FrameExtents{side(values[0]), side(values[2]), side(values[1]), side(values[3])};
    }
    if (data) XFree(data);
    return margins;
}

}  // namespace

void requestWindowSize(Display* display, unsigned long window, double width, double height) {
    XResizeWindow(display, window, static_cast<unsigned>(std::max(1, hintLength(width))),
                  static_cast<unsigned>(std::max(1, hintLength(height))));
    XFlush(display);
}

bool canRequestFrameExtents(Display* display) {
    return windowManagerSupports(display, "_NET_REQUEST_FRAME_EXTENTS");
}

std::optional<FrameExtents> requestFrameExtents(Display* display, unsigned long window) {
    XEvent request;
    std::memset(&request, 0, sizeof request);
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XFlush(display);
    // The window manager answers by setting the property; it takes a few milliseconds.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto extents = readFrameExtents(display, window)) return extents;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}

std::optional<PixelSize> windowSize(Display* display, unsigned long window) {
    ::Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth))
        return std::nullopt;
    return PixelSize{width, height};
}

void setSizeLimits(Display* display, unsigned long window, const SizeLimits& limits) {
    XSizeHints* hints = XAllocSizeHints();
    if (!hints) return;
    long supplied = 0;
    if (!XGetWMNormalHints(display, window, hints, &supplied)) hints->flags = 0;
    const auto atLeast = [](double pixels) { return hintLength(std::ceil(pixels)); };
    const auto atMost = [](double pixels) {
        return std::isfinite(pixels) ? hintLength(std::floor(pixels)) : 32767;
    };
    if (limits.minWidth > 0 || limits.minHeight > 0) {
        hints->flags |= PMinSize;
        hints->min_width = atLeast(limits.minWidth);
        hints->min_height = atLeast(limits.minHeight);
    }
    if (std::isfinite(limits.maxWidth) || std::isfinite(limits.maxHeight)) {
        hints->flags |= PMaxSize;
        hints->max_width = atMost(limits.maxWidth);
        hints->max_height = atMost(limits.maxHeight);
    }
    hints->flags &= ~PAspect;
    if (limits.aspectWidth > 0 && limits.aspectHeight > 0)
        setAspect(*hints, limits.aspectWidth, limits.aspectHeight);
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
    XFlush(display);
}

bool pointerButtonHeld(Display* display) {
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                       &windowY, &mask)) {
        return false;
    }
    return (mask & (Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask)) != 0;
}

}  // namespace quorvin::x11

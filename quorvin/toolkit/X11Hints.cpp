// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Window-manager hints and pointer state through Xlib. Xlib's macros (None, Bool, Status, …)
// clash with Qt's names, so its headers come last and stay in this file.

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "quorvin/toolkit/X11.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace quorvin::toolkit {

namespace {

Display* x11Display() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

int hintLength(double pixels) {
    if (!(pixels > 0)) return 0;
    return static_cast<int>(std::lround(std::min(pixels, 32767.0)));
}

// X11 states the proportion as a fraction of two ints.
void setAspect(XSizeHints& hints, Size ratio) {
    double width = ratio.width, height = ratio.height;
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

}  // namespace

void setX11SizeHints(QWidget& window, const SizeLimits& limits) {
    // Qt writes WM_NORMAL_HINTS from scratch on its own geometry calls and knows no proportion,
    // so the hints are read back, completed and written again after each of them.
    if (!window.testAttribute(Qt::WA_WState_Created)) return;
    Display* display = x11Display();
    if (!display) return;
    const auto native = static_cast<::Window>(window.winId());
    XSizeHints* hints = XAllocSizeHints();
    if (!hints) return;
    long supplied = 0;
    if (!XGetWMNormalHints(display, native, hints, &supplied)) hints->flags = 0;
    // The window manager reads device pixels; the limits are points. Rounded inwards, so that
    // every size the window manager allows is within the limits in points too.
    const double ratio = window.devicePixelRatioF() > 0 ? window.devicePixelRatioF() : 1.0;
    const auto atLeast = [ratio](double points) { return hintLength(std::ceil(points * ratio)); };
    const auto atMost = [ratio](double points) {
        return std::isfinite(points) ? hintLength(std::floor(points * ratio)) : 32767;
    };
    if (limits.minSize.width > 0 || limits.minSize.height > 0) {
        hints->flags |= PMinSize;
        hints->min_width = atLeast(limits.minSize.width);
        hints->min_height = atLeast(limits.minSize.height);
    }
    if (std::isfinite(limits.maxSize.width) || std::isfinite(limits.maxSize.height)) {
        hints->flags |= PMaxSize;
        hints->max_width = atMost(limits.maxSize.width);
        hints->max_height = atMost(limits.maxSize.height);
    }
    hints->flags &= ~PAspect;
    if (limits.aspectRatio.width > 0 && limits.aspectRatio.height > 0)
        setAspect(*hints, limits.aspectRatio);
    XSetWMNormalHints(display, native, hints);
    XFree(hints);
    XFlush(display);
}

bool x11PointerButtonHeld() {
    Display* display = x11Display();
    if (!display) return false;
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                       &windowY, &mask)) {
        return false;
    }
    return (mask & (Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask)) != 0;
}

}  // namespace quorvin::toolkit

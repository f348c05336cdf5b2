// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Window-manager hints and pointer state through Xlib. Xlib's macros (None, Bool, Status, …)
// clash with Qt's names, so its headers come last and stay in this file.

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

#include "quorvin/toolkit/WindowWidget.h"
#include "quorvin/toolkit/X11.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <xcb/xcb.h>

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

double pixelRatio(const QWidget& window) {
    return window.devicePixelRatioF() > 0 ? window.devicePixelRatioF() : 1.0;
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
std::optional<QMargins> readFrameExtents(Display* display, ::Window window) {
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, extents, 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) != Success) {
        return std::nullopt;
    }
    std::optional<QMargins> margins;
    if (data && type == XA_CARDINAL && format == 32 && count == 4) {
        const auto* values = reinterpret_cast<const long*>(data);
        const auto side = [](long value) { return static_cast<int>(std::clamp(value, 0L, 4096L)); };
        margins = QMargins(side(values[0]), side(values[2]), side(values[1]), side(values[3]));
    }
    if (data) XFree(data);
    return margins;
}

// Checks the size of every ConfigureNotify for a program window before Qt's xcb plugin sees it.
class ConfigureGuard : public QObject, public QAbstractNativeEventFilter {
public:
    explicit ConfigureGuard(Display* connection)
        : QObject(QCoreApplication::instance()), display(connection) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~ConfigureGuard() override {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CONFIGURE_NOTIFY) return false;
        auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event);
        QWidget* widget = QWidget::find(configure->window);
        if (!widget || !isWindowWidget(widget)) return false;
        const double ratio = pixelRatio(*widget);
        const bool synthetic = (event->response_type & 0x80) != 0;
        const int knownWidth = static_cast<int>(std::lround(widget->width() * ratio));
        const int knownHeight = static_cast<int>(std::lround(widget->height() * ratio));
        if (synthetic && (configure->width != knownWidth || configure->height != knownHeight)) {
            // Window managers send these to report a move, with the real size; any other size
            // comes from another client, and the server knows the truth.
            ::Window root = 0;
            int x = 0, y = 0;
            unsigned width = 0, height = 0, border = 0, depth = 0;
            if (!XGetGeometry(display, configure->window, &root, &x, &y, &width, &height, &border,
                              &depth)) {
                return true;  // the window is gone: nothing to act on
            }
            configure->width = static_cast<uint16_t>(std::min(width, 65535u));
            configure->height = static_cast<uint16_t>(std::min(height, 65535u));
        }
        // Qt keeps a buffer of the size it believes the window has. A window of more than twice
        // the screen's area is taken at no more than the screen's size (or its own maximum):
        // no more of it can be seen at once.
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return false;
        const QSize visible = screen->virtualSize() * screen->devicePixelRatio();
        const double area = double(configure->width) * double(configure->height);
        if (area > 2.0 * visible.width() * visible.height()) {
            const QSize bound = visible.expandedTo(widget->maximumSize() * ratio);
            configure->width =
                static_cast<uint16_t>(std::min<int>(configure->width, bound.width()));
            configure->height =
                static_cast<uint16_t>(std::min<int>(configure->height, bound.height()));
        }
        return false;
    }

private:
    Display* display;
};

}  // namespace

bool requestX11WindowSize(QWidget& window, const Size& size) {
    if (!window.testAttribute(Qt::WA_WState_Created)) return false;
    Display* display = x11Display();
    if (!display) return false;
    const double ratio = pixelRatio(window);
    XResizeWindow(display, static_cast<::Window>(window.winId()),
                  static_cast<unsigned>(std::max(1, hintLength(size.width * ratio))),
                  static_cast<unsigned>(std::max(1, hintLength(size.height * ratio))));
    XFlush(display);
    return true;
}

std::optional<QMargins> x11FrameExtents(QWidget& window) {
    Display* display = x11Display();
    if (!display || !windowManagerSupports(display, "_NET_REQUEST_FRAME_EXTENTS"))
        return std::nullopt;
    const auto native = static_cast<::Window>(window.winId());  // creates the native window
    XEvent request;
    std::memset(&request, 0, sizeof request);
    request.xclient.type = ClientMessage;
    request.xclient.window = native;
    request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XFlush(display);
    // The window manager answers by setting the property; it takes a few milliseconds.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto extents = readFrameExtents(display, native)) {
            const double ratio = pixelRatio(window);
            const auto logical = [ratio](int pixels) {
                return static_cast<int>(std::lround(pixels / ratio));
            };
            return QMargins(logical(extents->left()), logical(extents->top()),
                            logical(extents->right()), logical(extents->bottom()));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}

void installX11ConfigureGuard() {
    // One per application; it dies with the application, which may be made again (in tests).
    static QPointer<ConfigureGuard> guard;
    Display* display = x11Display();
    if (!display || !QCoreApplication::instance() || guard) return;
    guard = new ConfigureGuard(display);
}

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
    const double ratio = pixelRatio(window);
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

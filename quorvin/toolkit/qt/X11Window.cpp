// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/qt/X11Window.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "quorvin/toolkit/qt/Windows.h"
#include "quorvin/x11/WindowHints.h"

#include <xcb/xcb.h>

namespace quorvin::toolkit {

namespace {

Display* x11Display() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

double pixelRatio(const QWidget& window) {
    return window.devicePixelRatioF() > 0 ? window.devicePixelRatioF() : 1.0;
}

unsigned long nativeId(QWidget& window) {
    return static_cast<unsigned long>(window.winId());
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
            const auto real = x11::windowSize(display, configure->window);
            if (!real) return true;  // the window is gone: nothing to act on
            configure->width = static_cast<uint16_t>(std::min(real->width, 65535u));
            configure->height = static_cast<uint16_t>(std::min(real->height, 65535u));
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
    x11::requestWindowSize(display, nativeId(window), size.width * ratio, size.height * ratio);
    return true;
}

std::optional<QMargins> x11FrameExtents(QWidget& window) {
    Display* display = x11Display();
    if (!display || !x11::canRequestFrameExtents(display)) return std::nullopt;
    // Asking for the id creates the native window.
    const auto extents = x11::requestFrameExtents(display, nativeId(window));
    if (!extents) return std::nullopt;
    const double ratio = pixelRatio(window);
    const auto logical = [ratio](int pixels) {
        return static_cast<int>(std::lround(pixels / ratio));
    };
    return QMargins(logical(extents->left), logical(extents->top), logical(extents->right),
                    logical(extents->bottom));
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
    // The window manager reads device pixels; the limits are points.
    const double ratio = pixelRatio(window);
    x11::setSizeLimits(display, nativeId(window),
                       x11::SizeLimits{limits.minSize.width * ratio, limits.minSize.height * ratio,
                                       limits.maxSize.width * ratio, limits.maxSize.height * ratio,
                                       limits.aspectRatio.width, limits.aspectRatio.height});
}

bool x11PointerButtonHeld() {
    Display* display = x11Display();
    return display && x11::pointerButtonHeld(display);
}

}  // namespace quorvin::toolkit

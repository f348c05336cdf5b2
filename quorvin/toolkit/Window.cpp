// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "quorvin/toolkit/Accessibility.h"
#include "quorvin/toolkit/QtConversions.h"
#include "quorvin/toolkit/ViewWidget.h"
#include "quorvin/toolkit/WindowWidget.h"
#include "quorvin/toolkit/X11.h"

namespace quorvin::toolkit {

namespace {

// The quiet time after the last size change that ends a live resize.
constexpr std::chrono::milliseconds kLiveResizeQuietPeriod{150};

constexpr double kUnlimited = std::numeric_limits<double>::infinity();

int toWidgetLength(double points) {
    if (!(points > 0)) return 0;
    return static_cast<int>(std::lround(std::min(points, double{QWIDGETSIZE_MAX})));
}

Size sizeOf(const QSize& size) {
    return Size{static_cast<double>(size.width()), static_cast<double>(size.height())};
}

Qt::WindowFlags windowFlags(unsigned styleMask) {
    const auto has = [styleMask](WindowStyle style) {
        return (styleMask & static_cast<unsigned>(style)) != 0;
    };
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if (has(WindowStyle::titled)) {
        flags |= Qt::WindowTitleHint;
    } else {
        flags |= Qt::FramelessWindowHint;
    }
    if (has(WindowStyle::closable)) flags |= Qt::WindowCloseButtonHint;
    if (has(WindowStyle::miniaturizable)) flags |= Qt::WindowMinimizeButtonHint;
    if (has(WindowStyle::resizable)) flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

// Clamps to the limits, then fits the proportion by deriving the height from the width (and the
// width from the height where that height would leave the limits).
Size constrain(const SizeLimits& limits, Size size) {
    const auto clampTo = [](double value, double low, double high) {
        if (std::isnan(value)) value = low;
        return std::max(low, std::min(value, high));
    };
    const double minWidth = limits.minSize.width, maxWidth = limits.maxSize.width;
    const double minHeight = limits.minSize.height, maxHeight = limits.maxSize.height;
    const Size ratio = limits.aspectRatio;
    double width = clampTo(size.width, minWidth, maxWidth);
    if (!(ratio.width > 0 && ratio.height > 0)) {
        return Size{width, clampTo(size.height, minHeight, maxHeight)};
    }
    double height = width * ratio.height / ratio.width;
    if (height < minHeight || height > maxHeight) {
        height = clampTo(height, minHeight, maxHeight);
        width = height * ratio.width / ratio.height;
    }
    return Size{width, height};
}

}  // namespace

struct Window::Impl {
    static Impl& of(const Window& window) { return *window.d; }

    Size currentSize() const { return sizeOf(widget->size()); }
    SizeLimits limits() const { return SizeLimits{minSize, maxSize, aspectRatio}; }
    void applyHints() const;
    void resizeWindow(Size size);
    void contentSizeChanged(Size size);
    void liveSizeChanged(Size size);
    void endLiveResize();
    // Forgets the content view's part in a live resize, before it leaves the window.
    void releaseContent();

    QPointer<QWidget> widget;
    QTimer* liveResizeEnd = nullptr;  // owned by the widget
    std::shared_ptr<View> content;
    Size minSize{0, 0};
    Size maxSize{kUnlimited, kUnlimited};
    Size aspectRatio{0, 0};
    // From the first outside size change to the end of the quiet period after the last one.
    bool liveResize = false;
    // The content view that heard this live resize start, and so hears its end; a view set
    // during a live resize takes no part in it.
    const View* liveResizeView = nullptr;
    // While the program sets a size itself, which is never live.
    bool programResize = false;
};

namespace {

// The top-level widget of a Window: the content view's widget fills it.
class WindowWidget : public QWidget {
public:
    WindowWidget(Window::Impl* window, Qt::WindowFlags flags)
        : QWidget(nullptr, flags), owner(window) {
        setFocusPolicy(Qt::NoFocus);
    }

    Window::Impl* owner;

protected:
    void resizeEvent(QResizeEvent* event) override {
        if (!owner) return;
        // The widget's own size, not the event's: when outside changes queue up, Qt hands on an
        // older event after it has already applied the newest size.
        const Size size = sizeOf(this->size());
        // Qt marks size changes that came from outside the program (the window manager, the
        // user's drag) spontaneous; the program's own resize() arrives here synchronously.
        if (event->spontaneous()) {
            owner->liveSizeChanged(size);
        } else {
            owner->contentSizeChanged(size);
        }
    }

    void closeEvent(QCloseEvent* event) override {
        event->accept();
        windowDidClose();
    }

    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::ActivationChange && isActiveWindow())
            accessibleWindowActivated(*this);
        QWidget::changeEvent(event);
    }
};

}  // namespace

void Window::Impl::applyHints() const {
    if (widget) setX11SizeHints(*widget, limits());
}

void Window::Impl::resizeWindow(Size size) {
    widget->resize(toWidgetLength(size.width), toWidgetLength(size.height));
    // Before the native window exists Qt defers the resize event; the content follows at once.
    contentSizeChanged(currentSize());
    applyHints();
}

void Window::Impl::contentSizeChanged(Size size) {
    const std::shared_ptr<View> view = content;
    if (!view || view->frame().size == size) return;
    // A size the program sets is never live, even when it happens during a live resize.
    const bool wasProgramResize = std::exchange(programResize, true);
    view->setFrameSize(size);
    programResize = wasProgramResize;
}

void Window::Impl::liveSizeChanged(Size size) {
    const std::shared_ptr<View> view = content;
    if (!liveResize) {
        liveResize = true;
        liveResizeView = view.get();
        if (view) view->viewWillStartLiveResize();
    }
    if (view && view->frame().size != size) view->setFrameSize(size);
    liveResizeEnd->start();
}

void Window::Impl::endLiveResize() {
    if (x11PointerButtonHeld()) {
        liveResizeEnd->start();  // the user still holds the edge
        return;
    }
    liveResize = false;
    const std::shared_ptr<View> view = content;
    const bool notify = view && view.get() == std::exchange(liveResizeView, nullptr);

    // Without a window manager nothing kept the limits during the drag: correct the size now, so
    // that the end is reported at the final size. A maximized or full-screen window has the size
    // its window manager or compositor gave it, which a Wayland compositor enforces: it ends the
    // connection of a client that grows beyond a full-screen size.
    const bool sizedByTheDesktop =
        widget->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    const Size current = currentSize();
    const Size allowed = constrain(limits(), current);
    if (!sizedByTheDesktop && (std::abs(allowed.width - current.width) >= 1 ||
                               std::abs(allowed.height - current.height) >= 1)) {
        resizeWindow(allowed);
    }
    applyHints();
    if (notify) view->viewDidEndLiveResize();
}

void Window::Impl::releaseContent() {
    if (!content) return;
    if (liveResizeView == content.get()) liveResizeView = nullptr;
    View::Impl::of(*content).detachWidget();
}

// Qt windows have one kind of backing store and exist at once; both choices are accepted only.
Window::Window(Rect contentRect, unsigned styleMask, [[maybe_unused]] BackingStore backing,
               [[maybe_unused]] bool defer)
    : d(std::make_unique<Impl>()) {
    auto* widget = new WindowWidget(d.get(), windowFlags(styleMask));
    d->widget = widget;
    d->liveResizeEnd = new QTimer(widget);
    d->liveResizeEnd->setSingleShot(true);
    d->liveResizeEnd->setInterval(kLiveResizeQuietPeriod);
    Impl* state = d.get();
    QObject::connect(d->liveResizeEnd, &QTimer::timeout, widget,
                     [state] { state->endLiveResize(); });

    widget->resize(toWidgetLength(contentRect.size.width), toWidgetLength(contentRect.size.height));
    // The origin is the window's bottom-left corner on the screen, y upward.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const double top = screen->geometry().height() - contentRect.maxY();
        widget->move(static_cast<int>(std::lround(std::clamp(contentRect.minX(), -1.0e6, 1.0e6))),
                     static_cast<int>(std::lround(std::clamp(top, -1.0e6, 1.0e6))));
    }
    setContentView(View::make<View>(Rect{Point{0, 0}, d->currentSize()}));
}

Window::~Window() {
    // The content view may be held elsewhere: its widget must not die with the window's, and a
    // live resize it was in ends without a report.
    d->releaseContent();
    if (QWidget* widget = d->widget) {
        static_cast<WindowWidget*>(widget)->owner = nullptr;
        delete widget;
    }
}

void Window::setTitle(std::string title) {
    d->widget->setWindowTitle(toQString(title));
}

std::string Window::title() const {
    return d->widget->windowTitle().toStdString();
}

void Window::setMinSize(Size size) {
    const auto lower = [](double points) {
        return std::isfinite(points) ? std::max(0.0, points) : 0.0;
    };
    d->minSize = Size{lower(size.width), lower(size.height)};
    d->widget->setMinimumSize(toWidgetLength(std::ceil(d->minSize.width)),
                              toWidgetLength(std::ceil(d->minSize.height)));
    d->contentSizeChanged(d->currentSize());
    d->applyHints();
}

void Window::setMaxSize(Size size) {
    const auto upper = [](double points) {
        return std::isnan(points) ? kUnlimited : std::max(0.0, points);
    };
    d->maxSize = Size{upper(size.width), upper(size.height)};
    const auto length = [](double points) {
        return points >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : toWidgetLength(std::floor(points));
    };
    d->widget->setMaximumSize(length(d->maxSize.width), length(d->maxSize.height));
    d->contentSizeChanged(d->currentSize());
    d->applyHints();
}

void Window::setContentAspectRatio(Size ratio) {
    const auto usable = [](double side) { return std::isfinite(side) && side > 0; };
    d->aspectRatio = usable(ratio.width) && usable(ratio.height) ? ratio : Size{0, 0};
    d->applyHints();
}

void Window::setBackgroundColor(Color color) {
    QPalette palette = d->widget->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    d->widget->setPalette(palette);
    d->widget->setAutoFillBackground(true);
}

void Window::center() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    // A window larger than the available area starts at its top or left edge instead, so that
    // the title bar and the display stay on screen.
    const auto start = [](int first, int room, int length) {
        return first + std::max(0, (room - length) / 2);
    };
    d->widget->move(start(available.x(), available.width(), d->widget->width()),
                    start(available.y(), available.height(), d->widget->height()));
    d->applyHints();
}

std::shared_ptr<View> Window::contentView() const {
    return d->content;
}

void Window::setContentView(std::shared_ptr<View> view) {
    if (view == d->content) return;
    d->releaseContent();
    d->content = nullptr;
    if (!view) return;
    view->removeFromSuperview();
    d->content = view;
    if (QWidget* contentWidget = widgetOf(*view)) {
        contentWidget->setParent(d->widget);
        contentWidget->show();
    }
    // Framed once the widget has its parent, so that it fills the window from the top.
    view->setFrame(Rect{Point{0, 0}, d->currentSize()});
}

Size Window::contentSize() const {
    return d->currentSize();
}

void Window::setContentSize(Size size) {
    d->resizeWindow(size);
}

void Window::makeKeyAndOrderFront() {
    d->widget->show();
    // Showing creates the native window and Qt writes its own size hints then.
    d->applyHints();
    d->widget->raise();
    d->widget->activateWindow();
}

bool Window::isVisible() const {
    return d->widget->isVisible();
}

void Window::close() {
    d->widget->close();
}

Size Window::constrainedContentSize(Size size) const {
    return constrain(d->limits(), size);
}

QWidget* widgetOf(const Window& window) {
    return Window::Impl::of(window).widget;
}

std::vector<QWidget*> windowWidgets() {
    std::vector<QWidget*> widgets;
    // Qt knows every top-level widget; a window's is one with its owner still set.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const auto* window = dynamic_cast<const WindowWidget*>(widget);
        if (window && window->owner) widgets.push_back(widget);
    }
    return widgets;
}

bool isWindowWidget(const QObject* object) {
    return dynamic_cast<const WindowWidget*>(object) != nullptr;
}

bool isInLiveResize(const View& root) {
    const QWidget* widget = widgetOf(root);
    const auto* window =
        widget ? dynamic_cast<const WindowWidget*>(widget->parentWidget()) : nullptr;
    const Window::Impl* state = window ? window->owner : nullptr;
    return state && state->liveResize && !state->programResize && state->liveResizeView == &root;
}

void setLiveResizeQuietPeriod(Window& window, std::chrono::milliseconds period) {
    Window::Impl::of(window).liveResizeEnd->setInterval(period);
}

bool endLiveResizeNow(Window& window) {
    Window::Impl& state = Window::Impl::of(window);
    if (!state.liveResizeEnd->isActive()) return false;
    state.liveResizeEnd->stop();
    state.endLiveResize();
    return true;
}

}  // namespace quorvin::toolkit

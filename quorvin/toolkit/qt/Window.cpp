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
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "quorvin/text/QtText.h"
#include "quorvin/toolkit/qt/Accessibility.h"
#include "quorvin/toolkit/qt/QtConversions.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "quorvin/toolkit/qt/Windows.h"
#include "quorvin/toolkit/qt/X11Window.h"

namespace quorvin::toolkit {

namespace {

// The quiet time after the last size change that ends a live resize.
constexpr std::chrono::milliseconds kLiveResizeQuietPeriod{150};
// How long the end of a live resize waits for the desktop's answer to the size the window asked
// for; a window manager that keeps its own size (a tiling one) does not answer at all.
constexpr std::chrono::milliseconds kSizeAnswerWait{300};

constexpr double kUnlimited = std::numeric_limits<double>::infinity();

std::function<void()>& lastWindowClosedHandler() {
    static std::function<void()> handler;
    return handler;
}

// Asked once the closing window is hidden, from the event loop: when no window is left visible,
// the handler hears it.
void afterClose() {
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        for (const QWidget* window : windowWidgets()) {
            if (window->isVisible()) return;
        }
        if (const auto& handler = lastWindowClosedHandler()) handler();
    });
}

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

Rect contentFrameIn(const SizeLimits& limits, Size window) {
    const Size allowed = constrain(limits, window);
    if (std::abs(allowed.width - window.width) < 1 && std::abs(allowed.height - window.height) < 1)
        return Rect{Point{0, 0}, window};
    Size inside = window;
    const Size ratio = limits.aspectRatio;
    if (ratio.width > 0 && ratio.height > 0 && std::isfinite(window.height))
        inside.width = std::min(window.width, window.height * ratio.width / ratio.height);
    const Size fitted = constrain(limits, inside);
    return Rect{Point{(window.width - fitted.width) / 2, (window.height - fitted.height) / 2},
                fitted};
}

}  // namespace

struct Window::Impl {
    static Impl& of(const Window& window) { return *window.d; }

    Size currentSize() const { return sizeOf(widget->size()); }
    SizeLimits limits() const { return SizeLimits{minSize, maxSize, aspectRatio}; }
    void applyHints() const;
    void resizeWindow(Size size);
    void contentSizeChanged(Size size);
    // Re-places the content after a change of the limits.
    void limitsChanged();
    void liveSizeChanged(Size size);
    void endLiveResize();
    void finishLiveResize();
    // Maximised or full screen: the desktop decides the size.
    bool sizedByTheDesktop() const {
        return widget && (widget->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    }
    // Gives Qt the limits, and the window manager its hints again. On Wayland, where Qt draws
    // the frame, the compositor applies the maximum to the frame and all: the maximum it hears
    // is the content's plus the frame.
    void applyLimits() const;
    // Forgets the content view's part in a live resize, before it leaves the window.
    void releaseContent();

    QPointer<QWidget> widget;
    QTimer* liveResizeEnd = nullptr;  // owned by the widget
    QTimer* sizeAnswerEnd = nullptr;  // owned by the widget
    std::shared_ptr<View> content;
    // The window size the content view was last placed for.
    std::optional<Size> placedFor;
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
    // The window has asked the desktop for an allowed size in this live resize, and so does not
    // ask again in it; the first size change after the question is the desktop's answer.
    bool sizeAsked = false;
    bool awaitingSizeAnswer = false;
    // Once the window has been painted, its state and its frame are known.
    bool framedLimits = false;
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

    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        if (owner && !owner->framedLimits) {
            owner->framedLimits = true;
            QTimer::singleShot(0, this, [this] {
                if (owner) owner->applyLimits();
            });
        }
    }

    void closeEvent(QCloseEvent* event) override {
        event->accept();
        afterClose();
    }

    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::ActivationChange && isActiveWindow())
            accessibleWindowActivated(*this);
        if (event->type() == QEvent::WindowStateChange && owner) owner->applyLimits();
        QWidget::changeEvent(event);
    }
};

}  // namespace

void Window::Impl::applyHints() const {
    if (widget) setX11SizeHints(*widget, limits());
}

void Window::Impl::applyLimits() const {
    if (!widget) return;
    // Qt sends its own limits as they are, and also holds the content within them. Only the
    // maximum grows by the frame: a larger minimum would grow the content itself, and at the
    // bottom of the range the compositor's smaller limit lets the window reach its own. Qt draws
    // no frame on a maximised or full-screen window, whose size the desktop decides, and the
    // frame is known once the window has been shown in its first state.
    QMargins frame;
    if (framedLimits && QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
        widget->windowHandle() && !sizedByTheDesktop())
        frame = widget->windowHandle()->frameMargins();
    const auto upper = [](double points, int extra) {
        return points >= QWIDGETSIZE_MAX
                   ? QWIDGETSIZE_MAX
                   : std::min(QWIDGETSIZE_MAX, toWidgetLength(std::floor(points)) + extra);
    };
    widget->setMinimumSize(toWidgetLength(std::ceil(minSize.width)),
                           toWidgetLength(std::ceil(minSize.height)));
    widget->setMaximumSize(upper(maxSize.width, frame.left() + frame.right()),
                           upper(maxSize.height, frame.top() + frame.bottom()));
    // Qt writes the X11 hints anew when its limits change, without the proportion.
    applyHints();
}

void Window::Impl::resizeWindow(Size size) {
    widget->resize(toWidgetLength(size.width), toWidgetLength(size.height));
    // Before the native window exists Qt defers the resize event; the content follows at once.
    contentSizeChanged(currentSize());
    applyHints();
}

void Window::Impl::limitsChanged() {
    const Size size = currentSize();
    // The same window size may give the content another place under the new limits.
    if (content && placedFor == size && content->frame() != contentFrameIn(limits(), size))
        placedFor.reset();
    contentSizeChanged(size);
    applyHints();
}

void Window::Impl::contentSizeChanged(Size size) {
    const std::shared_ptr<View> view = content;
    if (!view || placedFor == size) return;
    placedFor = size;
    // A size the program sets is never live, even when it happens during a live resize.
    const bool wasProgramResize = std::exchange(programResize, true);
    view->setFrameSize(size);
    programResize = wasProgramResize;
}

void Window::Impl::liveSizeChanged(Size size) {
    if (awaitingSizeAnswer) {
        // The desktop's answer to the size the window asked for, whatever it is: the window
        // takes it as its own and does not ask again.
        awaitingSizeAnswer = false;
        sizeAnswerEnd->stop();
        contentSizeChanged(size);
        finishLiveResize();
        return;
    }
    // A desktop repeating the size the window already has starts nothing.
    if (!liveResize && placedFor == size) return;
    const std::shared_ptr<View> view = content;
    if (!liveResize) {
        liveResize = true;
        sizeAsked = false;
        liveResizeView = view.get();
        if (view) view->viewWillStartLiveResize();
    }
    if (view && placedFor != size) {
        placedFor = size;
        view->setFrameSize(size);
    }
    liveResizeEnd->start();
}

void Window::Impl::endLiveResize() {
    if (x11PointerButtonHeld()) {
        liveResizeEnd->start();  // the user still holds the edge
        return;
    }
    // Where nothing kept the limits during the resize (no window manager, or one that applies a
    // client's request as it is), the window asks for the allowed size closest to its own, once,
    // so that the end is reported at the final size. A maximized or full-screen window has the
    // size its desktop gave it, which a Wayland compositor enforces: it ends the connection of a
    // client that grows beyond a full-screen size.
    const Size current = currentSize();
    const Size allowed = constrain(limits(), current);
    if (!sizedByTheDesktop() && !sizeAsked &&
        (std::abs(allowed.width - current.width) >= 1 ||
         std::abs(allowed.height - current.height) >= 1)) {
        sizeAsked = true;
        // On X11 the window manager decides: its answer, or its silence, ends the resize. A
        // Wayland client takes the size itself, within the limits the compositor also keeps.
        if (requestX11WindowSize(*widget, allowed)) {
            awaitingSizeAnswer = true;
            sizeAnswerEnd->start();
            return;
        }
        resizeWindow(allowed);
    }
    finishLiveResize();
}

void Window::Impl::finishLiveResize() {
    liveResize = false;
    awaitingSizeAnswer = false;
    const std::shared_ptr<View> view = content;
    const bool notify = view && view.get() == std::exchange(liveResizeView, nullptr);
    applyLimits();
    if (notify) view->viewDidEndLiveResize();
}

void Window::Impl::releaseContent() {
    if (!content) return;
    if (liveResizeView == content.get()) liveResizeView = nullptr;
    View::Impl& view = View::Impl::of(*content);
    view.placeInWindow = nullptr;
    view.detachWidget();
    placedFor.reset();
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
    d->sizeAnswerEnd = new QTimer(widget);
    d->sizeAnswerEnd->setSingleShot(true);
    d->sizeAnswerEnd->setInterval(kSizeAnswerWait);
    QObject::connect(d->sizeAnswerEnd, &QTimer::timeout, widget,
                     [state] { state->finishLiveResize(); });
    installX11ConfigureGuard();

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
    d->applyLimits();
    d->limitsChanged();
}

void Window::setMaxSize(Size size) {
    const auto upper = [](double points) {
        return std::isnan(points) ? kUnlimited : std::max(0.0, points);
    };
    d->maxSize = Size{upper(size.width), upper(size.height)};
    d->applyLimits();
    d->limitsChanged();
}

void Window::setContentAspectRatio(Size ratio) {
    const auto usable = [](double side) { return std::isfinite(side) && side > 0; };
    d->aspectRatio = usable(ratio.width) && usable(ratio.height) ? ratio : Size{0, 0};
    d->limitsChanged();
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
    // What the user sees is the frame: where the window manager tells its widths before the
    // window is shown, the frame is centred. Asking for them makes the native window, which
    // from then on is placed by its content's corner.
    const std::optional<QMargins> frame = x11FrameExtents(*d->widget);
    const QMargins margins = frame.value_or(QMargins());
    // A window larger than the available area starts at its top or left edge instead, so that
    // the title bar and the display stay on screen.
    const auto start = [](int first, int room, int length) {
        return first + std::max(0, (room - length) / 2);
    };
    d->widget->move(start(available.x(), available.width(),
                          d->widget->width() + margins.left() + margins.right()) +
                        margins.left(),
                    start(available.y(), available.height(),
                          d->widget->height() + margins.top() + margins.bottom()) +
                        margins.top());
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
    Impl* state = d.get();
    View::Impl::of(*view).placeInWindow = [state](Size size) {
        return contentFrameIn(state->limits(), size);
    };
    // Placed once the widget has its parent, so that it is measured from the window's top.
    d->placedFor = d->currentSize();
    view->setFrameSize(d->currentSize());
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

Rect Window::contentFrameForWindowSize(Size size) const {
    return contentFrameIn(d->limits(), size);
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

void setLastWindowClosedHandler(std::function<void()> handler) {
    lastWindowClosedHandler() = std::move(handler);
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

#include "quorvin/toolkit/InputRouter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include <utility>

#include "quorvin/toolkit/Button.h"
#include "quorvin/toolkit/QtConversions.h"
#include "quorvin/toolkit/ViewWidget.h"
#include "quorvin/toolkit/WindowWidget.h"

namespace quorvin::toolkit {

namespace {

// Keys held back behind one press. Nobody types that many with a mouse button held: a press that
// holds back more has lost its release, so the next key ends it and follows the ones that waited.
constexpr std::size_t kMaxWaitingKeys = 64;

// Where a release happened, in the pressed button's coordinates. A button that is no longer on
// screen is never under the pointer.
Point releaseLocation(const Button& button, QPointF globalPosition) {
    const QWidget* widget = widgetOf(button);
    if (!widget || !widget->isVisible()) return kNowhere;
    return viewLocation(*widget, widget->mapFromGlobal(globalPosition));
}

// True for the native window of one of the program's windows (not a tooltip's, say).
bool isProgramWindow(const QObject* receiver) {
    for (const QWidget* window : windowWidgets()) {
        if (window->windowHandle() == receiver) return true;
    }
    return false;
}

// True when the event takes the window off the screen, so that no release can reach it: it is
// hidden, minimised, or unmapped by someone else (which Qt reports as an empty exposure).
bool takesWindowAway(const QObject* receiver, const QEvent* event) {
    switch (event->type()) {
    case QEvent::Hide: return true;
    case QEvent::Expose: return !static_cast<const QWindow*>(receiver)->isExposed();
    case QEvent::WindowStateChange:
        return static_cast<const QWindow*>(receiver)->windowStates() & Qt::WindowMinimized;
    default: return false;
    }
}

bool isLeftPress(const QEvent* event) {
    // The second press of a double click arrives as a double-click event: every press counts.
    return (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) &&
           static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

// Owned by the QApplication, which outlives every window and view.
InputRouter* router = nullptr;

}  // namespace

InputRouter& InputRouter::shared() {
    if (!router) {
        router = new InputRouter;
        router->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(router);
    }
    return *router;
}

bool InputRouter::isHandlingPress() {
    return router && router->pressDepth > 0;
}

void InputRouter::addKeyMonitor(KeyEventMonitor monitor) {
    monitors.push_back(std::move(monitor));
}

void InputRouter::reset() {
    monitors.clear();
    waitingKeys.clear();
}

void InputRouter::pressBegan(std::shared_ptr<Button> button) {
    pressedButton = std::move(button);
}

// Qt shows an application filter each event twice, first for the native window and then for
// the widget it goes to. Presses are handled at the widget, where the view is known. Releases
// are handled at the window: Qt drops a release whose pressed widget has gone, and hands one
// outside the widget to it only while it exists. Keys are handled at the window, and both of
// their deliveries are swallowed, so no widget or shortcut sees them.
bool InputRouter::eventFilter(QObject* receiver, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (auto* widget = dynamic_cast<ViewWidget*>(receiver);
            widget && widget->view && isLeftPress(event)) {
            press(*widget, *static_cast<QMouseEvent*>(event));
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        // Returning false lets Qt finish its own release handling (the implicit grab).
        if (receiver->isWindowType() &&
            static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton)
            release(*static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::ShortcutOverride:
        // Accepting claims the key for the widget, so no shortcut fires on it.
        event->accept();
        return true;
    case QEvent::KeyPress: return !receiver->isWindowType() || key(*static_cast<QKeyEvent*>(event));
    default:
        if (pressedButton && receiver->isWindowType() && takesWindowAway(receiver, event) &&
            isProgramWindow(receiver))
            endPressWithoutRelease();
        return false;
    }
}

void InputRouter::press(ViewWidget& widget, const QMouseEvent& event) {
    // Counted first so that it ends last: if the handler dropped the last reference, the view
    // dies when `keep` goes, while its widget's deletion is still deferred.
    ++pressDepth;
    {
        const std::shared_ptr<View> keep = widget.view->weak_from_this().lock();
        // A press whose release never came (the window lost the pointer grab in between) ends
        // now, away from its button, so that button does not stay pressed. That may have removed
        // this view, or destroyed it if nothing shares it.
        if (pressedButton) endPressWithoutRelease();
        if (widget.view && widget.isVisible())
            widget.view->mouseDown(MouseEvent{viewLocation(widget, event.position())});
    }
    --pressDepth;
}

void InputRouter::release(const QMouseEvent& event) {
    if (const std::shared_ptr<Button> button = std::exchange(pressedButton, nullptr))
        button->mouseUp(MouseEvent{releaseLocation(*button, event.globalPosition())});
    deliverWaitingKeys();
}

bool InputRouter::key(const QKeyEvent& event) {
    const auto keyEvent = toKeyEvent(event);
    if (!keyEvent) return true;
    if (pressedButton) {
        if (waitingKeys.size() < kMaxWaitingKeys) {
            waitingKeys.push_back(*keyEvent);
            return true;
        }
        endPressWithoutRelease();
    }
    return !dispatch(*keyEvent);
}

void InputRouter::endPressWithoutRelease() {
    if (const std::shared_ptr<Button> button = std::exchange(pressedButton, nullptr))
        button->mouseUp(MouseEvent{kNowhere});
    deliverWaitingKeys();
}

// The keys that waited were swallowed when they came; whatever the monitors say now, there is
// no dispatch left to continue.
void InputRouter::deliverWaitingKeys() {
    const std::vector<KeyEvent> waiting = std::exchange(waitingKeys, {});
    for (const auto& event : waiting)
        dispatch(event);
}

bool InputRouter::dispatch(const KeyEvent& event) {
    std::optional<KeyEvent> current = event;
    // A copy: a monitor may add another while it runs.
    const std::vector<KeyEventMonitor> active = monitors;
    for (const auto& monitor : active) {
        current = monitor(*current);
        if (!current) return false;
    }
    return true;
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/qt/InputRouter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <utility>

#include "quorvin/toolkit/View.h"
#include "quorvin/toolkit/qt/KeyConversion.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "quorvin/toolkit/qt/Windows.h"

namespace quorvin::toolkit {

namespace {

// Keys held back behind one press. Nobody types that many with a mouse button held: a press that
// holds back more has lost its release, so the next key ends it and follows the ones that waited.
constexpr std::size_t kMaxWaitingKeys = 64;

// Owned by the QApplication, which outlives every window and view.
InputRouter* router = nullptr;

// Where a release happened, in the pressed button's coordinates. A button that is no longer on
// screen is never under the pointer.
Point releaseLocation(const View& button, QPointF globalPosition) {
    const QWidget* widget = widgetOf(button);
    if (!widget || !widget->isVisible()) return kNowhere;
    return viewLocation(*widget, widget->mapFromGlobal(globalPosition));
}

// True when the event takes one of the program's windows off the screen, so that no release can
// reach it: it is hidden, minimised, or unmapped by someone else (an empty exposure).
bool takesWindowAway(const QObject* receiver, const QEvent* event) {
    const auto* window = static_cast<const QWindow*>(receiver);
    const bool away = event->type() == QEvent::Hide ||
                      (event->type() == QEvent::Expose && !window->isExposed()) ||
                      (event->type() == QEvent::WindowStateChange &&
                       (window->windowStates() & Qt::WindowMinimized));
    if (!away) return false;
    for (const QWidget* programWindow : windowWidgets()) {
        if (programWindow->windowHandle() == window) return true;  // not a tooltip's, say
    }
    return false;
}

bool isLeftButton(const QEvent* event) {
    return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

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
    heldInputs.clear();
}

void InputRouter::pressBegan(std::shared_ptr<View> view) {
    pressedView = std::move(view);
}

// Qt shows an application filter each event twice, first for the native window and then for
// the widget it goes to. Presses are handled at the widget, where the view is known. Releases
// are handled at the window: Qt drops a release whose pressed widget has gone, and hands one
// outside the widget to it only while it exists. Keys are handled at the window, and both of
// their deliveries are swallowed, so no widget or shortcut sees them.
bool InputRouter::eventFilter(QObject* receiver, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {  // the second press of a double click
        auto* widget = dynamic_cast<ViewWidget*>(receiver);
        if (!widget || !widget->view || !isLeftButton(event)) return false;
        const QPointF position = static_cast<QMouseEvent*>(event)->position();
        if (holding()) {
            heldInputs.emplace_back(HeldPress{widget, position});
        } else {
            press(*widget, position);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        // Returning false lets Qt finish its own release handling (the implicit grab).
        if (receiver->isWindowType() && isLeftButton(event)) {
            const QPointF globalPosition = static_cast<QMouseEvent*>(event)->globalPosition();
            if (holding()) {
                heldInputs.emplace_back(HeldRelease{globalPosition});
            } else {
                release(globalPosition);
            }
        }
        return false;
    case QEvent::ShortcutOverride:
        // Accepting claims the key for the widget, so no shortcut fires on it.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        if (!receiver->isWindowType()) return true;
        const auto keyEvent = toKeyEvent(*static_cast<QKeyEvent*>(event));
        if (!keyEvent) return true;
        if (holding()) {
            heldInputs.emplace_back(*keyEvent);
            return true;
        }
        return !key(*keyEvent);
    }
    default:
        if (pressedView && receiver->isWindowType() && takesWindowAway(receiver, event))
            endPressWithoutRelease();
        return false;
    }
}

InputRouter::WaitEnd InputRouter::waitForReadable(int descriptor,
                                                  std::chrono::steady_clock::time_point deadline) {
    InputRouter& self = shared();
    constexpr int kReadable = 1, kDeadline = 2;
    QEventLoop loop;
    QSocketNotifier notifier(static_cast<qintptr>(descriptor), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop,
                     [&loop] { loop.exit(kReadable); });
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&loop] { loop.exit(kDeadline); });
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    timer.start(std::max(left, std::chrono::milliseconds{0}));

    ++self.waitDepth;
    // Any other code, including -1 when the application is already on its way out, means that
    // QCoreApplication::exit() ended every running loop.
    const int code = loop.exec();
    if (--self.waitDepth == 0 && !self.heldInputs.empty()) {
        // Queued, so that the held input acts after the action that waited, not inside it.
        QMetaObject::invokeMethod(
            &self, [&self] { self.actOnHeldInputs(); }, Qt::QueuedConnection);
    }
    switch (code) {
    case kReadable: return WaitEnd::readable;
    case kDeadline: return WaitEnd::deadline;
    default: return WaitEnd::quitting;
    }
}

// Each held input acts as it would have on arrival. One of them may start another wait; the rest
// then stay held behind it, and that wait's end brings them back here.
void InputRouter::actOnHeldInputs() {
    while (waitDepth == 0 && !heldInputs.empty()) {
        HeldInput input = std::move(heldInputs.front());
        heldInputs.pop_front();
        if (auto* held = std::get_if<HeldPress>(&input)) {
            if (held->widget && held->widget->view) press(*held->widget, held->position);
        } else if (auto* heldRelease = std::get_if<HeldRelease>(&input)) {
            release(heldRelease->globalPosition);
        } else {
            key(std::get<KeyEvent>(input));
        }
    }
}

void InputRouter::release(QPointF globalPosition) {
    if (const std::shared_ptr<View> button = std::exchange(pressedView, nullptr))
        button->mouseUp(MouseEvent{releaseLocation(*button, globalPosition)});
    deliverWaitingKeys();
}

bool InputRouter::key(const KeyEvent& event) {
    if (pressedView && waitingKeys.size() < kMaxWaitingKeys) {
        waitingKeys.push_back(event);
        return false;
    }
    if (pressedView) endPressWithoutRelease();
    return dispatch(event);
}

void InputRouter::press(ViewWidget& widget, QPointF position) {
    // Counted first so that it ends last: if the handler dropped the last reference, the view
    // dies when `keep` goes, while its widget's deletion is still deferred.
    ++pressDepth;
    {
        const std::shared_ptr<View> keep = widget.view->weak_from_this().lock();
        // A press whose release never came (the window lost the pointer grab in between) ends
        // now, away from its button, so that button does not stay pressed. That may have removed
        // this view, or destroyed it if nothing shares it.
        if (pressedView) endPressWithoutRelease();
        if (widget.view && widget.isVisible())
            widget.view->mouseDown(MouseEvent{viewLocation(widget, position)});
    }
    --pressDepth;
}

void InputRouter::endPressWithoutRelease() {
    if (const std::shared_ptr<View> button = std::exchange(pressedView, nullptr))
        button->mouseUp(MouseEvent{kNowhere});
    deliverWaitingKeys();
}

// The keys that waited were swallowed when they came; whatever the monitors say now, there is
// no dispatch left to continue.
void InputRouter::deliverWaitingKeys() {
    for (const KeyEvent& event : std::exchange(waitingKeys, {}))
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

// The monitors are the router's: a key reaches them only once no press holds it back.
void addLocalMonitorForEvents(EventMask mask, KeyEventMonitor monitor) {
    if (mask != EventMask::keyDown || !monitor) return;
    InputRouter::shared().addKeyMonitor(std::move(monitor));
}

}  // namespace quorvin::toolkit

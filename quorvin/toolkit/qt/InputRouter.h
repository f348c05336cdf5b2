// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit: the one place that decides when a press, a release or a key acts.

#include <QObject>
#include <QPointF>
#include <QPointer>

#include <chrono>
#include <deque>
#include <memory>
#include <variant>
#include <vector>

#include "quorvin/toolkit/Geometry.h"
#include "quorvin/toolkit/KeyEvent.h"

namespace quorvin::toolkit {

class View;
class ViewWidget;

// Where a release that happened nowhere over the pressed button is reported: outside the bounds
// of every view.
inline constexpr Point kNowhere{-1, -1};

// A click completes before the next event acts. The router is one application-wide event
// filter that sees every press, release and key before any widget does, and owns the state of
// the rule: the button whose press waits for its release, the keys that came in between, the
// key monitors, and whether a press is being handled (while it is, a view that dies hands its
// widget to deleteLater, because Qt still touches the widget afterwards).
//
// Example: hold the 1 key, type 2, release. The press makes 1 the pressed button and highlights
// it; the 2 key arrives while it is held, so it waits; the release over 1 sends its action
// ("1"), and only then does the 2 reach the key monitors: the display reads 12, as it would
// behind a blocking tracking loop.
//
// A press whose release cannot come (its window was hidden, minimised or unmapped, which ends
// the pointer grab) ends as a release away from its button, and the waiting keys follow at once.
// So does a press that has held back more keys than anyone types with a button held.
//
// The same rule covers an action that waits for another program (a paste waiting for the
// clipboard's owner): while it waits the event loop runs, so the windows repaint, answer the
// window manager and take close requests, but every press, release and key that arrives is held
// and acts, in its order, once the action has returned to the event loop. Example: click 📋
// against a slow owner and type 5 while it answers; the paste ends, then the 5 is typed.
class InputRouter : public QObject {
public:
    enum class WaitEnd { readable, deadline, quitting };
    // The application's router, installed on the running QApplication on first use.
    static InputRouter& shared();
    // True while a press is being handled; false before the router exists.
    static bool isHandlingPress();

    void addKeyMonitor(KeyEventMonitor monitor);
    // Forgets every monitor and waiting key, for tests that start the program's controller
    // again and again.
    void reset();

    // Called by a view (a button) that took a press: it hears the release, wherever that happens.
    // Held strongly until then, so that a view removed in between (a rebuild) still hears it.
    void pressBegan(std::shared_ptr<View> view);

    // Runs the event loop, holding input as above, until `descriptor` can be read, `deadline`
    // passes or the application is leaving its event loop (then at once, without waiting).
    static WaitEnd waitForReadable(int descriptor, std::chrono::steady_clock::time_point deadline);

    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    struct HeldPress {
        QPointer<ViewWidget> widget;
        QPointF position;
    };
    struct HeldRelease {
        QPointF globalPosition;
    };
    using HeldInput = std::variant<HeldPress, HeldRelease, KeyEvent>;

    InputRouter() = default;

    // True while input waits behind a wait; the inputs held keep their order until they have acted.
    bool holding() const { return waitDepth > 0 || !heldInputs.empty(); }
    void actOnHeldInputs();

    void press(ViewWidget& widget, QPointF position);
    void release(QPointF globalPosition);
    // True when every monitor passed the key on.
    bool key(const KeyEvent& event);
    void endPressWithoutRelease();
    void deliverWaitingKeys();
    // True when every monitor passed the event on.
    bool dispatch(const KeyEvent& event);

    std::shared_ptr<View> pressedView;
    std::vector<KeyEvent> waitingKeys;
    std::vector<KeyEventMonitor> monitors;
    int pressDepth = 0;
    std::deque<HeldInput> heldInputs;
    int waitDepth = 0;
};

}  // namespace quorvin::toolkit

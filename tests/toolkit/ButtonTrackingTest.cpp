// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quorvin/toolkit/Application.h"
#include "quorvin/toolkit/Button.h"
#include "quorvin/toolkit/KeyEvent.h"
#include "quorvin/toolkit/TextField.h"
#include "quorvin/toolkit/qt/InputRouter.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "quorvin/toolkit/qt/Windows.h"
#include "tests/support/TestDriver.h"

namespace quorvin::toolkit {
namespace {

using testing::liveViewCount;
using testing::makeShownWindow;
using testing::processDeferredDeletes;

using Log = std::vector<std::string>;

// A key in the way the keypad uses one: a callback before the press half and one after the
// release half, each called through a copy.
class TrackedButton : public Button {
public:
    using Button::Button;
    std::function<void()> onPress;
    std::function<void()> onRelease;
    std::vector<MouseEvent> releases;

    void mouseDown(const MouseEvent& event) override {
        if (auto press = onPress) press();
        Button::mouseDown(event);
    }
    void mouseUp(const MouseEvent& event) override {
        releases.push_back(event);
        Button::mouseUp(event);
        if (auto release = onRelease) release();
    }
};

struct Target {
    Log* log;
    std::function<void(Button&)> onAction;
    void buttonPressed(Button& sender) {
        log->push_back("action " + std::to_string(sender.tag()));
        if (auto action = onAction) action(sender);
    }
};

// A 200 × 200 window with one 100 × 40 button at (50, 50): in window pixels it spans x 50…149
// and y 110…149.
class ButtonTracking : public ::testing::Test {
protected:
    void SetUp() override {
        baseline = liveViewCount();
        window = makeShownWindow(Size{200, 200});
        button = View::make<TrackedButton>(makeRect(50, 50, 100, 40));
        button->setTag(7);
        button->setTarget(target);
        button->setAction(&Target::buttonPressed);
        button->onPress = [this] { log.push_back("press"); };
        button->onRelease = [this] { log.push_back("release"); };
        window->contentView()->addSubview(button);
    }

    void TearDown() override {
        button.reset();
        window.reset();
        processDeferredDeletes();
        EXPECT_EQ(liveViewCount(), baseline);
    }

    QWindow* handle() const { return widgetOf(*window)->windowHandle(); }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(handle(), b, {}, p);
    }
    void move(QPoint p) { QTest::mouseMove(handle(), p); }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(handle(), b, {}, p);
    }

    std::size_t baseline = 0;
    Log log;
    std::shared_ptr<Target> target = std::make_shared<Target>(Target{&log, {}});
    std::unique_ptr<Window> window;
    std::shared_ptr<TrackedButton> button;
};

const QPoint kInside(100, 130);
const QPoint kNearEdgeInside(149, 110);
const QPoint kOutside(10, 10);
const QPoint kJustOutside(150, 130);

struct ClickCase {
    const char* name;
    QPoint pressAt;
    std::vector<QPoint> movesTo;
    QPoint releaseAt;
    Log expected;
};
const ClickCase kClickCases[] = {
    {"click inside", kInside, {}, kInside, {"press", "action 7", "release"}},
    {"click on the last pixel",
     kNearEdgeInside,
     {},
     kNearEdgeInside,
     {"press", "action 7", "release"}},
    {"released outside", kInside, {kOutside}, kOutside, {"press", "release"}},
    {"released one pixel outside", kInside, {kJustOutside}, kJustOutside, {"press", "release"}},
    {"dragged out and back",
     kInside,
     {kOutside, kInside},
     kInside,
     {"press", "action 7", "release"}},
    {"pressed outside", kOutside, {kInside}, kInside, {}},
};

TEST_F(ButtonTracking, SendsTheActionOnlyWhenReleasedOverTheButton) {
    for (const auto& c : kClickCases) {
        log.clear();
        press(c.pressAt);
        EXPECT_EQ(button->isHighlighted(), !c.expected.empty()) << c.name;
        for (const QPoint p : c.movesTo)
            move(p);
        release(c.releaseAt);
        EXPECT_EQ(log, c.expected) << c.name;
        EXPECT_FALSE(button->isHighlighted()) << c.name;
    }
}

TEST_F(ButtonTracking, ReleaseAfterLeavingArrivesOnceInButtonCoordinates) {
    press(kInside);
    move(QPoint(20, 190));
    release(QPoint(20, 190));
    ASSERT_EQ(button->releases.size(), 1u);
    // The centre of the pixel 30 columns left of the button and 40 rows below its bottom edge
    // (the button's last row is y = 149 in window pixels).
    EXPECT_EQ(button->releases[0].location, (Point{-29.5, -40.5}));
}

TEST_F(ButtonTracking, DoubleClickIsTwoClicks) {
    QTest::mouseDClick(handle(), Qt::LeftButton, {}, kInside);
    EXPECT_EQ(log, (Log{"press", "action 7", "release", "press", "action 7", "release"}));
}

TEST_F(ButtonTracking, APressWhoseReleaseWasLostEndsAtTheNextPress) {
    auto other = View::make<TrackedButton>(makeRect(0, 0, 40, 40));
    other->onPress = [this] { log.push_back("other press"); };
    other->onRelease = [this] { log.push_back("other release"); };
    window->contentView()->addSubview(other);

    // Pressed, but the release never reaches the window (it lost the pointer grab meanwhile).
    button->mouseDown(MouseEvent{Point{50, 20}});
    press(QPoint(20, 180));
    release(QPoint(20, 180));
    EXPECT_EQ(log, (Log{"press", "release", "other press", "other release"}));
    EXPECT_FALSE(button->isHighlighted());
}

// Ways a window leaves the screen while one of its keys is held, so that the release never comes.
struct WindowAwayCase {
    const char* name;
    std::function<void(QWidget&)> takeAway;
};
const WindowAwayCase kWindowAwayCases[] = {
    {"hidden", [](QWidget& window) { window.hide(); }},
    {"minimised", [](QWidget& window) { window.showMinimized(); }},
};

// The press ends as a release away from the key, and the keys typed meanwhile are handed on
// right then, after it.
TEST_F(ButtonTracking, APressEndsWhenItsWindowLeavesTheScreen) {
    addLocalMonitorForEvents(EventMask::keyDown, [this](const KeyEvent& event) {
        log.push_back("key " + event.characters.value_or(""));
        return std::optional<KeyEvent>{};
    });
    for (const auto& c : kWindowAwayCases) {
        log.clear();
        QWidget& widget = *widgetOf(*window);
        widget.showNormal();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(handle())) << c.name;
        press(kInside);
        QTest::keyClick(handle(), Qt::Key_5);
        c.takeAway(widget);
        QCoreApplication::processEvents();
        EXPECT_EQ(log, (Log{"press", "release", "key 5"})) << c.name;
        EXPECT_FALSE(button->isHighlighted()) << c.name;
        ASSERT_EQ(button->releases.size(), 1u) << c.name;
        EXPECT_EQ(button->releases[0].location, kNowhere) << c.name;
        button->releases.clear();
    }
    InputRouter::shared().reset();
}

// Keys wait behind a press up to a bound; the first key past it ends the press and every key
// is handed on in order.
TEST_F(ButtonTracking, TooManyKeysBehindOnePressEndIt) {
    std::string typed;
    addLocalMonitorForEvents(EventMask::keyDown, [&typed](const KeyEvent& event) {
        typed += event.characters.value_or("?");
        return std::optional<KeyEvent>{};
    });
    press(kInside);
    const std::string keys = std::string(63, '1') + "23";
    for (const char key : keys)
        QTest::keyClick(handle(), key);
    EXPECT_EQ(typed, keys);
    EXPECT_EQ(log, (Log{"press", "release"}));
    EXPECT_FALSE(button->isHighlighted());
    release(kInside);  // the late release is no click
    EXPECT_EQ(log, (Log{"press", "release"}));
    InputRouter::shared().reset();
}

TEST_F(ButtonTracking, OtherMouseButtonsDoNothing) {
    for (const Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
        press(kInside, other);
        release(kInside, other);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(button->isHighlighted());
}

// A press holds its button until the release, as a blocking tracking loop would: a button that
// leaves the window meanwhile (a rebuild) still hears its release, away from it, and sends
// nothing; it dies once the release is done.
TEST_F(ButtonTracking, ButtonRemovedByItsOwnPressHearsItsReleaseAndSendsNothing) {
    button->onPress = [this] {
        log.push_back("press");
        button->removeFromSuperview();
        button.reset();
    };
    press(kInside);
    processDeferredDeletes();
    EXPECT_EQ(liveViewCount(), baseline + 2);  // the content view and the held button
    release(kInside);
    EXPECT_EQ(log, (Log{"press", "release"}));
    EXPECT_EQ(liveViewCount(), baseline + 1);
}

TEST_F(ButtonTracking, ButtonRemovedBetweenPressAndReleaseHearsItsReleaseAndSendsNothing) {
    press(kInside);
    button->removeFromSuperview();
    button.reset();
    release(kInside);
    EXPECT_EQ(log, (Log{"press", "release"}));

    // The next click elsewhere in the window is not taken for the old button's release.
    press(kOutside);
    release(kOutside);
    EXPECT_EQ(log, (Log{"press", "release"}));
}

TEST_F(ButtonTracking, ActionThatRebuildsTheWindowDestroysTheSenderSafely) {
    target->onAction = [this](Button&) {
        const auto snapshot = window->contentView()->subviews();
        for (const auto& view : snapshot)
            view->removeFromSuperview();
        button.reset();
        window->contentView()->addSubview(TextField::labelWithString("rebuilt"));
    };
    press(kInside);
    release(kInside);
    EXPECT_EQ(log, (Log{"press", "action 7", "release"}));
    EXPECT_EQ(window->contentView()->subviews().size(), 1u);
}

TEST_F(ButtonTracking, TargetThatIsGoneReceivesNothing) {
    target.reset();
    press(kInside);
    release(kInside);
    EXPECT_EQ(log, (Log{"press", "release"}));
}

TEST_F(ButtonTracking, ARemovedButtonHeldElsewhereNeverFires) {
    press(kInside);
    button->removeFromSuperview();
    release(kInside);
    EXPECT_EQ(log, (Log{"press", "release"}));
    EXPECT_FALSE(button->isHighlighted());
}

TEST_F(ButtonTracking, PressOnAViewOverTheButtonDoesNotPressIt) {
    window->contentView()->addSubview(View::make<TextField>(makeRect(50, 50, 100, 40)));
    press(kInside);
    release(kInside);
    EXPECT_TRUE(log.empty());
}

TEST(ButtonAction, SendActionCallsTheTargetWithTheSender) {
    Log log;
    auto target = std::make_shared<Target>(Target{&log, {}});
    auto button = View::make<Button>(makeRect(0, 0, 10, 10));
    button->sendAction();  // no target, no action: nothing
    button->setTag(3);
    button->setTarget(target);
    button->sendAction();  // a target but no action yet: nothing
    EXPECT_TRUE(log.empty());
    button->setAction(&Target::buttonPressed);
    button->sendAction();
    EXPECT_EQ(log, Log{"action 3"});
}

}  // namespace
}  // namespace quorvin::toolkit

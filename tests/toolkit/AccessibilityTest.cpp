// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <QAccessible>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quorvin/toolkit/Application.h"
#include "quorvin/toolkit/Button.h"
#include "quorvin/toolkit/TextField.h"
#include "quorvin/toolkit/qt/Accessibility.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "quorvin/toolkit/qt/Windows.h"
#include "tests/support/TestDriver.h"

namespace quorvin::toolkit {
namespace {

using testing::liveViewCount;
using testing::makeShownWindow;
using testing::processDeferredDeletes;

QAccessibleInterface* accessible(const View& view) {
    return QAccessible::queryAccessibleInterface(widgetOf(view));
}

std::string nameOf(const View& view) {
    return accessible(view)->text(QAccessible::Name).toStdString();
}

struct Target {
    std::function<void(Button&)> onAction;
    int actions = 0;
    void pressed(Button& sender) {
        ++actions;
        if (auto action = onAction) action(sender);
    }
};

// The name-change and checked-state events, as assistive technology would hear them.
struct Announcement {
    QObject* object;
    QAccessible::Event type;
    bool checkable = false;  // state changes only: what changed
    bool checked = false;
    bool operator==(const Announcement&) const = default;
};
std::vector<Announcement> announcements;

void recordAnnouncement(QAccessibleEvent& event) {
    if (event.type() == QAccessible::StateChanged) {
        const auto changed = static_cast<QAccessibleStateChangeEvent&>(event).changedStates();
        announcements.push_back(
            {event.object(), event.type(), changed.checkable != 0, changed.checked != 0});
    } else {
        announcements.push_back({event.object(), event.type()});
    }
}

// A window whose content view holds a panel with a text field, two buttons and a text field.
class Accessibility : public ::testing::Test {
protected:
    void SetUp() override {
        window = makeShownWindow(Size{300, 200});
        window->setTitle("Keypad");
        content = window->contentView();
        panel = View::make<View>(makeRect(10, 100, 280, 90));
        line = TextField::labelWithString("HEX  FF");
        line->setFrame(makeRect(5, 5, 200, 20));
        panel->addSubview(line);
        content->addSubview(panel);
        divide = View::make<Button>(makeRect(10, 10, 60, 40));
        divide->setTitle("÷");
        divide->setTarget(target);
        divide->setAction(&Target::pressed);
        content->addSubview(divide);
        seven = View::make<Button>(makeRect(80, 10, 60, 40));
        seven->setTitle("7");
        content->addSubview(seven);
        display = TextField::labelWithString("255");
        display->setFrame(makeRect(150, 10, 140, 40));
        content->addSubview(display);
    }

    void TearDown() override {
        setAccessibleEventSink({});
        announcements.clear();
    }

    // Each event assistive technology would hear is recorded from here on.
    void listen() {
        setAccessibleEventSink(recordAnnouncement);
        announcements.clear();
    }

    std::unique_ptr<Window> window;
    std::shared_ptr<View> content, panel;
    std::shared_ptr<TextField> line, display;
    std::shared_ptr<Button> divide, seven;
    std::shared_ptr<Target> target = std::make_shared<Target>();
};

TEST_F(Accessibility, RoleAndNameFollowTheKindOfView) {
    divide->setAccessibilityLabel("Divide");
    struct Case {
        QAccessibleInterface* element;
        QAccessible::Role role;
        std::string name;
    };
    const Case cases[] = {
        {QAccessible::queryAccessibleInterface(widgetOf(*window)), QAccessible::Window, "Keypad"},
        {accessible(*content), QAccessible::Client, ""},
        {accessible(*panel), QAccessible::Grouping, ""},
        {accessible(*line), QAccessible::StaticText, "HEX  FF"},
        {accessible(*divide), QAccessible::PushButton, "Divide"},  // the label, not the title
        {accessible(*seven), QAccessible::PushButton, "7"},
        {accessible(*display), QAccessible::StaticText, "255"},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.element, nullptr) << c.name;
        EXPECT_EQ(c.element->role(), c.role) << c.name;
        EXPECT_EQ(c.element->text(QAccessible::Name).toStdString(), c.name) << c.role;
        // Keys go to the application's key monitor only: no control takes the focus.
        EXPECT_FALSE(c.element->state().focusable) << c.name;
    }
    EXPECT_EQ(accessible(*display)->text(QAccessible::Value).toStdString(), "255");
    // A view taken out of its window is no longer a window's content.
    content->removeFromSuperview();
    window->setContentView(View::make<View>(makeRect(0, 0, 300, 200)));
    EXPECT_EQ(accessible(*content)->role(), QAccessible::Grouping);
}

TEST_F(Accessibility, NameFollowsTextAndTitleAndEveryChangeIsAnnounced) {
    listen();
    struct Step {
        std::function<void()> change;
        std::shared_ptr<View> view;
        std::string name;
        bool announced;
    };
    const Step steps[] = {
        {[&] { display->setStringValue("-1"); }, display, "-1", true},
        {[&] { display->setStringValue("-1"); }, display, "-1", false},  // no change, no event
        {[&] { display->setAccessibilityLabel("Result"); }, display, "Result", true},
        {[&] { display->setStringValue("0"); }, display, "Result", false},  // the label stays
        {[&] { display->setAccessibilityLabel(""); }, display, "0", true},
        {[&] { seven->setTitle("8"); }, seven, "8", true},
        {[&] {
             seven->setAttributedTitle({"8", Font::systemFont(30), std::nullopt});
         },
         seven, "8", false},
    };
    for (std::size_t index = 0; index < std::size(steps); ++index) {
        const Step& step = steps[index];
        announcements.clear();
        step.change();
        EXPECT_EQ(nameOf(*step.view), step.name) << "step " << index;
        const std::vector<Announcement> expected =
            step.announced
                ? std::vector<Announcement>{{widgetOf(*step.view), QAccessible::NameChanged}}
                : std::vector<Announcement>{};
        EXPECT_EQ(announcements, expected) << "step " << index;
    }
    EXPECT_EQ(accessible(*display)->text(QAccessible::Value).toStdString(), "0");
}

TEST_F(Accessibility, SelectionMakesAButtonCheckableAndFollowsIt) {
    EXPECT_FALSE(accessible(*seven)->state().checkable);  // never given a selection
    listen();
    struct Step {
        bool selected;
        std::vector<Announcement> announced;
    };
    QObject* widget = widgetOf(*divide);
    const Step steps[] = {
        {false, {{widget, QAccessible::StateChanged, true, true}}},
        {true, {{widget, QAccessible::StateChanged, false, true}}},
        {true, {}},
        {false, {{widget, QAccessible::StateChanged, false, true}}},
    };
    for (const auto& step : steps) {
        announcements.clear();
        divide->setAccessibilitySelected(step.selected);
        const QAccessible::State state = accessible(*divide)->state();
        EXPECT_TRUE(state.checkable) << step.selected;
        EXPECT_EQ(static_cast<bool>(state.checked), step.selected);
        EXPECT_EQ(accessible(*divide)->role(), QAccessible::RadioButton);  // one of a set
        EXPECT_EQ(divide->isAccessibilitySelected(), step.selected);
        EXPECT_EQ(announcements, step.announced) << step.selected;
    }
    EXPECT_FALSE(accessible(*seven)->state().checkable);
}

// A screen reader speaks a notification when it shows, wherever its focus is: a status field
// announces through one, once per handled event, with its final text and a changed description.
TEST_F(Accessibility, StatusFieldAnnouncesEachSettledChangeOnce) {
    struct Spoken {
        std::string name, description;
        bool operator==(const Spoken&) const = default;
    };
    std::vector<Spoken> spoken;
    int hidden = 0;
    setAccessibleEventSink([&](QAccessibleEvent& event) {
        QAccessibleInterface* element = event.accessibleInterface();
        if (event.type() == QAccessible::ObjectShow && element->role() == QAccessible::Notification)
            spoken.push_back({element->text(QAccessible::Name).toStdString(),
                              element->text(QAccessible::Description).toStdString()});
        if (event.type() == QAccessible::ObjectHide) ++hidden;
    });
    display->setAccessibilityStatus(true);
    EXPECT_EQ(accessible(*display)->role(), QAccessible::StatusBar);
    EXPECT_TRUE(accessible(*display)->state().focusable);
    struct Step {
        std::function<void()> change;
        std::vector<Spoken> spoken;
    };
    const Step steps[] = {
        {[] {}, {}},  // what a new status field shows is not news
        {[&] {
             display->setStringValue("1");
             display->setStringValue("12");
         },
         {{"12", ""}}},
        {[&] {
             display->setAccessibilityDescription("Binary");
             display->setStringValue("1100");
         },
         {{"1100", "Binary"}}},
        {[&] { display->setStringValue("1101"); }, {{"1101", ""}}},
        {[&] { display->setStringValue("1101"); }, {}},
        {[&] { display->setAccessibilityDescription("Binary"); }, {}},
        {[&] { display->setAccessibilityDescription("Decimal"); }, {{"1101", "Decimal"}}},
        {[&] { line->setStringValue("HEX  D"); }, {}},  // not a status field
    };
    for (std::size_t index = 0; index < std::size(steps); ++index) {
        spoken.clear();
        hidden = 0;
        steps[index].change();
        EXPECT_TRUE(spoken.empty()) << "step " << index;  // not before the event is handled
        QCoreApplication::processEvents();
        EXPECT_EQ(spoken, steps[index].spoken) << "step " << index;
        EXPECT_EQ(hidden, static_cast<int>(steps[index].spoken.size())) << "step " << index;
    }
    EXPECT_EQ(accessible(*display)->text(QAccessible::Description).toStdString(), "Decimal");
    display->setAccessibilityStatus(false);
    display->setStringValue("0");
    QCoreApplication::processEvents();
    EXPECT_TRUE(spoken.empty());
    EXPECT_EQ(accessible(*display)->role(), QAccessible::StaticText);
}

TEST_F(Accessibility, ToolTipIsShownOnHoverAndReadAsDescription) {
    divide->setToolTip("Divide the value by the next one");
    EXPECT_EQ(accessible(*divide)->text(QAccessible::Description).toStdString(),
              "Divide the value by the next one");
    EXPECT_EQ(accessible(*seven)->text(QAccessible::Description).toStdString(), "");

    // The event Qt sends when the pointer has rested on the button.
    QWidget* widget = widgetOf(*divide);
    const QPoint inside(30, 20);
    QHelpEvent hover(QEvent::ToolTip, inside, widget->mapToGlobal(inside));
    QCoreApplication::sendEvent(widget, &hover);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(), "Divide the value by the next one");
    QToolTip::hideText();

    divide->setToolTip("");
    EXPECT_TRUE(widget->toolTip().isEmpty());
    EXPECT_EQ(accessible(*divide)->text(QAccessible::Description).toStdString(), "");
}

TEST_F(Accessibility, PressActionSendsTheButtonsAction) {
    const QString press = QAccessibleActionInterface::pressAction();
    QAccessibleActionInterface* actions = accessible(*divide)->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames(), QStringList{press});
    actions->doAction(press);
    EXPECT_EQ(target->actions, 1);
    actions->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(target->actions, 1);

    // Labels and groups offer nothing to press.
    for (const View* view : {static_cast<View*>(display.get()), panel.get()}) {
        QAccessibleActionInterface* none = accessible(*view)->actionInterface();
        EXPECT_TRUE(!none || !none->actionNames().contains(press));
    }

    // The pressed state is the highlight of a mouse press.
    QWindow* handle = widgetOf(*window)->windowHandle();
    const QPoint center(40, 200 - 30);
    QTest::mousePress(handle, Qt::LeftButton, {}, center);
    EXPECT_TRUE(accessible(*divide)->state().pressed);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, center);
    EXPECT_FALSE(accessible(*divide)->state().pressed);
    EXPECT_EQ(target->actions, 2);
}

TEST_F(Accessibility, PressingAButtonWhoseActionDestroysItIsSafe) {
    const std::size_t before = liveViewCount();
    target->onAction = [this](Button& sender) {
        sender.removeFromSuperview();
        divide.reset();
    };
    QAccessibleInterface* element = accessible(*divide);
    element->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(target->actions, 1);
    processDeferredDeletes();
    EXPECT_EQ(liveViewCount(), before - 1);
    EXPECT_EQ(accessible(*content)->childCount(), 3);
}

}  // namespace
}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "quorvin/toolkit/Window.h"
#include "quorvin/views/CalcButton.h"
#include "tests/support/TestDriver.h"

namespace quorvin {
namespace {

using toolkit::makeRect;

// Records what reaches it, in order.
struct Recorder {
    std::vector<std::string> events;
    void clicked() { events.push_back("action"); }
};

class CalcButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<toolkit::Window>(makeRect(0, 0, 200, 100), 15u,
                                                   toolkit::BackingStore::buffered, false);
        window->makeKeyAndOrderFront();
        key = toolkit::View::make<CalcButton>(makeRect(10, 10, 80, 40));
        key->setTarget(recorder);
        key->setAction(&Recorder::clicked);
        window->contentView()->addSubview(key);
    }

    void pressAndRelease(toolkit::Point releaseAt) {
        toolkit::testing::mousePress(*window, toolkit::testing::centerInWindow(*key));
        toolkit::testing::mouseRelease(*window, releaseAt);
    }

    std::unique_ptr<toolkit::Window> window;
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
    std::shared_ptr<CalcButton> key;
};

TEST_F(CalcButtonTest, ClickRunsPressThenActionThenRelease) {
    key->onPress = [this] { recorder->events.push_back("press"); };
    key->onRelease = [this] { recorder->events.push_back("release"); };
    pressAndRelease(toolkit::testing::centerInWindow(*key));
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"press", "action", "release"}));
}

TEST_F(CalcButtonTest, ReleaseElsewhereRunsBothCallbacksButNoAction) {
    key->onPress = [this] { recorder->events.push_back("press"); };
    key->onRelease = [this] { recorder->events.push_back("release"); };
    pressAndRelease({150, 80});
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"press", "release"}));
}

TEST_F(CalcButtonTest, WithoutCallbacksItIsAPlainButton) {
    pressAndRelease(toolkit::testing::centerInWindow(*key));
    EXPECT_EQ(recorder->events, std::vector<std::string>{"action"});
}

TEST_F(CalcButtonTest, CallbackMayRemoveItsOwnKey) {
    key->onPress = [this] {
        key->removeFromSuperview();
        key.reset();
    };
    const auto center = toolkit::testing::centerInWindow(*key);
    const auto before = toolkit::testing::liveViewCount();
    toolkit::testing::mousePress(*window, center);
    toolkit::testing::mouseRelease(*window, center);
    EXPECT_TRUE(recorder->events.empty()) << "no action reaches a key that is gone";
    EXPECT_EQ(toolkit::testing::liveViewCount(), before - 1);
}

}  // namespace
}  // namespace quorvin

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <string>
#include <vector>

#include "tests/controller/ControllerFixture.h"

namespace quorvin::testing {
namespace {

using LaunchTest = ControllerTest;

TEST_F(LaunchTest, WritesThreeLinesAndShowsTheWindow) {
    delegate = std::make_shared<AppDelegate>();
    delegate->applicationDidFinishLaunching();
    EXPECT_EQ(takeLines(),
              (std::vector<std::string>{"DEBUG: Quorvin starting...", "DEBUG: UI setup complete",
                                        "DEBUG: App ready!"}));
    EXPECT_EQ(window().title(), "Quorvin - Programmer Calculator");
    EXPECT_EQ(window().contentSize(), (toolkit::Size{300, 435}));
    EXPECT_TRUE(window().isVisible());
    EXPECT_DOUBLE_EQ(delegate->scale, 0.75);
    EXPECT_FALSE(toolkit::testing::finishLiveResize(window()))
        << "no live resize waits for its end";
    EXPECT_TRUE(takeLines().empty()) << "showing the window is not a resize";
}

TEST_F(LaunchTest, ClosingAsksToTerminateAndLogs) {
    launch();
    EXPECT_TRUE(delegate->applicationShouldTerminateAfterLastWindowClosed());
    EXPECT_EQ(takeLines(), std::vector<std::string>{"DEBUG: App closing"});
}

}  // namespace
}  // namespace quorvin::testing

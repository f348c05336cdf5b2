// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/platform/DebugLog.h"
#include "tests/support/TestDriver.h"

namespace quorvin::testing {

// A launched controller with its window, and the diagnostic lines it has written since the last
// takeLines().
class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        toolkit::setDebugSink([this](std::string_view line) { lines.emplace_back(line); });
    }

    void TearDown() override {
        delegate.reset();
        toolkit::testing::resetInput();
        toolkit::setDebugSink({});
    }

    void launch() {
        delegate = std::make_shared<AppDelegate>();
        delegate->applicationDidFinishLaunching();
        lines.clear();
    }

    std::vector<std::string> takeLines() { return std::exchange(lines, {}); }

    toolkit::Window& window() { return *delegate->window; }
    toolkit::View& contentView() { return *delegate->window->contentView(); }

    // The button of the content view with this title (the first "=", the only one there is).
    std::shared_ptr<toolkit::Button> button(std::string_view title) {
        for (const auto& view : contentView().subviews()) {
            auto candidate = std::dynamic_pointer_cast<toolkit::Button>(view);
            if (candidate && candidate->title() == title) return candidate;
        }
        ADD_FAILURE() << "no button titled " << title;
        return nullptr;
    }

    void click(std::string_view title) {
        const auto target = button(title);
        ASSERT_TRUE(target);
        toolkit::testing::click(window(), toolkit::testing::centerInWindow(*target));
    }

    std::string display() const { return delegate->displayLabel->stringValue(); }

    std::shared_ptr<AppDelegate> delegate;
    std::vector<std::string> lines;
};

}  // namespace quorvin::testing

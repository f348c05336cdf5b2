// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/controller/Palette.h"
#include "tests/controller/ControllerFixture.h"

namespace quorvin::testing {
namespace {

// Run with QT_SCALE_FACTOR=2 (see CMakeLists.txt): geometry stays in points while the window
// renders at twice the pixels.
using HiDpiTest = ControllerTest;

TEST_F(HiDpiTest, KeepsPointGeometryAndRendersAtDoubleResolution) {
    launch();
    EXPECT_EQ(window().contentSize(), (toolkit::Size{300, 435}));
    EXPECT_DOUBLE_EQ(delegate->scale, 0.75);
    EXPECT_EQ(toolkit::testing::renderedPixelSize(window()), (toolkit::Size{600, 870}));

    struct Probe {
        const char* what;
        toolkit::Point point;
        toolkit::Color color;
    };
    const auto keyPoint = [this](const char* title) {
        const auto center = toolkit::testing::centerInWindow(*button(title));
        return toolkit::Point{center.x - 15, center.y};
    };
    const Probe probes[] = {
        {"display", {20, 400}, palette::displayBackground},
        {"panel", {12, 350}, palette::conversionPanel},
        {"DEC", {70, 294}, palette::baseSelected},
        {"digit key", keyPoint("7"), palette::digitKey},
        {"operator key", keyPoint("+"), palette::operatorKey},
        {"clear key", keyPoint("CE"), palette::clearKey},
        {"window", {150, 432}, palette::windowBackground},
    };
    for (const auto& probe : probes) {
        const auto actual = toolkit::testing::pixelAt(window(), probe.point);
        constexpr double kStep = 1.5 / 255;
        EXPECT_NEAR(actual.red, probe.color.red, kStep) << probe.what;
        EXPECT_NEAR(actual.green, probe.color.green, kStep) << probe.what;
        EXPECT_NEAR(actual.blue, probe.color.blue, kStep) << probe.what;
    }
}

}  // namespace
}  // namespace quorvin::testing

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <cmath>
#include <string>
#include <vector>

#include "quorvin/controller/Palette.h"
#include "quorvin/toolkit/View.h"
#include "tests/controller/ControllerFixture.h"

namespace quorvin::testing {
namespace {

using Lines = std::vector<std::string>;
using ResizeTest = ControllerTest;

constexpr double kHeightPerWidth = 29.0 / 20.0;

TEST_F(ResizeTest, RebuildKeepsValueAndBaseAndTheNewControlsWork) {
    launch();
    for (const char* title : {"HEX", "F", "F"})
        click(title);
    const auto oldKey = button("7");
    takeLines();

    toolkit::testing::userResize(window(), {500, 500 * kHeightPerWidth});
    toolkit::testing::finishLiveResize(window());
    EXPECT_EQ(takeLines(), (Lines{
                               "DEBUG: Live resize started",
                               "DEBUG: Frame size changed: (500.0, 725.0)",
                               "DEBUG: Handling resize, updating UI...",
                               "DEBUG: UI setup complete",
                               "DEBUG: Live resize ended",
                               "DEBUG: Handling resize, updating UI...",
                               "DEBUG: UI setup complete",
                           }));
    EXPECT_DOUBLE_EQ(delegate->scale, 1.25);
    EXPECT_NE(button("7"), oldKey);
    EXPECT_EQ(display(), "FF");
    EXPECT_EQ(delegate->decLabel->stringValue(), "DEC  255");
    EXPECT_EQ(delegate->hexButton->layer()->backgroundColor(), palette::baseSelected);

    click("1");
    EXPECT_EQ(display(), "FF1");
}

// Widths reached one after another in one drag, and the reports they give.
struct DragCase {
    std::string name;
    std::vector<double> widths;
    Lines reports;
};

TEST_F(ResizeTest, ReportsOnlyWidthChangesOfMoreThanFivePoints) {
    const DragCase cases[] = {
        {"one-point steps",
         {301, 302, 303, 304, 305, 306, 307, 311, 312},
         {"DEBUG: Frame size changed: (306.0, 444.0)",
          "DEBUG: Frame size changed: (312.0, 452.0)"}},
        {"exactly five points", {305}, {}},
        {"back and forth", {304, 301, 305, 300, 302}, {}},
    };
    for (const auto& c : cases) {
        launch();
        for (const double width : c.widths) {
            // Window sizes are whole pixels.
            toolkit::testing::userResize(window(), {width, std::round(width * kHeightPerWidth)});
        }
        toolkit::testing::finishLiveResize(window());
        Lines reports;
        int rebuilds = 0;
        for (const auto& line : takeLines()) {
            if (line.starts_with("DEBUG: Frame size changed: ")) reports.push_back(line);
            if (line == "DEBUG: UI setup complete") ++rebuilds;
        }
        EXPECT_EQ(reports, c.reports) << c.name;
        EXPECT_EQ(rebuilds, static_cast<int>(c.reports.size()) + 1) << c.name;
    }
}

TEST_F(ResizeTest, HeightAloneNeverReports) {
    launch();
    toolkit::testing::userResize(window(), {300, 470});
    toolkit::testing::finishLiveResize(window());
    for (const auto& line : takeLines()) {
        EXPECT_FALSE(line.starts_with("DEBUG: Frame size changed: ")) << line;
    }
}

TEST_F(ResizeTest, ProgramSizeChangesNeverRebuild) {
    launch();
    window().setContentSize({500, 725});
    EXPECT_FALSE(toolkit::testing::finishLiveResize(window()))
        << "no live resize waits for its end";
    EXPECT_TRUE(takeLines().empty());
    EXPECT_DOUBLE_EQ(delegate->scale, 0.75);
}

TEST_F(ResizeTest, SizesOutsideTheLimitsEndWithinThemAtTheProportion) {
    const toolkit::Size attempts[] = {{100, 100}, {2000, 900}, {450, 500}, {900, 2000}};
    for (const auto size : attempts) {
        launch();
        toolkit::testing::userResize(window(), size);
        toolkit::testing::finishLiveResize(window());
        const auto final = window().contentSize();
        EXPECT_GE(final.width, 300);
        EXPECT_LE(final.width, 600);
        EXPECT_NEAR(final.height, final.width * kHeightPerWidth, 1.0);
        EXPECT_DOUBLE_EQ(delegate->scale, contentView().bounds().size.width / 400)
            << "the last rebuild is made at the final width";
    }
}

TEST_F(ResizeTest, RebuildsFreeEveryControlOfThePreviousBuild) {
    launch();
    const std::size_t oneBuild = toolkit::testing::liveViewCount();
    for (int i = 0; i < 1000; ++i)
        delegate->handleResize();
    EXPECT_EQ(toolkit::testing::liveViewCount(), oneBuild);
    for (const char* title : {"7", "8"})
        click(title);  // the keys of the last build still work
    EXPECT_EQ(toolkit::testing::liveViewCount(), oneBuild);
    EXPECT_EQ(display(), "78");
}

}  // namespace
}  // namespace quorvin::testing

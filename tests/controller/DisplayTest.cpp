// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <cstdint>
#include <string_view>

#include "quorvin/controller/Palette.h"
#include "tests/controller/ControllerFixture.h"

namespace quorvin::testing {
namespace {

TEST(AppDelegateState, StartsInDecimalAtScaleOneWithNoWindow) {
    const auto delegate = std::make_shared<AppDelegate>();
    EXPECT_EQ(delegate->currentSystem, NumberSystem::decimal);
    EXPECT_EQ(delegate->scale, 1.0);
    EXPECT_EQ(delegate->calculator.value(), 0);
    EXPECT_FALSE(delegate->window);
    EXPECT_FALSE(delegate->displayLabel || delegate->hexLabel || delegate->decLabel ||
                 delegate->binLabel);
    EXPECT_FALSE(delegate->hexButton || delegate->decButton || delegate->binButton);
}

using DisplayTest = ControllerTest;

TEST_F(DisplayTest, StartsShowingZeroWithDecimalSelected) {
    launch();
    EXPECT_EQ(display(), "0");
    EXPECT_EQ(delegate->hexLabel->stringValue(), "HEX  0");
    EXPECT_EQ(delegate->decLabel->stringValue(), "DEC  0");
    EXPECT_EQ(delegate->binLabel->stringValue(), "BIN  0");
    EXPECT_EQ(delegate->decButton->layer()->backgroundColor(), palette::baseSelected);
    EXPECT_EQ(delegate->hexButton->layer()->backgroundColor(), palette::baseIdle);
    EXPECT_EQ(delegate->binButton->layer()->backgroundColor(), palette::baseIdle);
}

struct TextsCase {
    std::int64_t value;
    NumberSystem system;
    std::string_view display, hex, dec, bin;
};

constexpr TextsCase kTextsCases[] = {
    {10, NumberSystem::hexadecimal, "A", "HEX  A", "DEC  10", "BIN  1010"},
    {6, NumberSystem::binary, "110", "HEX  6", "DEC  6", "BIN  110"},
    {-5, NumberSystem::decimal, "-5", "HEX  FFFFFFFFFFFFFFFB", "DEC  -5", "BIN  -101"},
    {INT64_MIN, NumberSystem::hexadecimal, "8000000000000000", "HEX  8000000000000000",
     "DEC  -9223372036854775808",
     "BIN  -1000000000000000000000000000000000000000000000000000000000000000"},
};

TEST_F(DisplayTest, ShowsTheValueInTheBaseAndAllThreeConversionLines) {
    launch();
    for (const auto& c : kTextsCases) {
        delegate->calculator.setValue(c.value);
        delegate->currentSystem = c.system;
        delegate->updateDisplay();
        EXPECT_EQ(display(), c.display) << c.value;
        EXPECT_EQ(delegate->hexLabel->stringValue(), c.hex) << c.value;
        EXPECT_EQ(delegate->decLabel->stringValue(), c.dec) << c.value;
        EXPECT_EQ(delegate->binLabel->stringValue(), c.bin) << c.value;
    }
    EXPECT_TRUE(takeLines().empty()) << "a refresh logs nothing";
}

TEST_F(DisplayTest, SwitchingBaseChangesOnlyTheMainDisplayAndTheHighlight) {
    launch();
    delegate->calculator.setValue(6);
    delegate->updateDisplay();

    click("BIN");
    EXPECT_EQ(takeLines(), std::vector<std::string>{"DEBUG: System changed to: binary"});
    EXPECT_EQ(delegate->currentSystem, NumberSystem::binary);
    EXPECT_EQ(display(), "110");
    EXPECT_EQ(delegate->decLabel->stringValue(), "DEC  6");
    EXPECT_EQ(delegate->binButton->layer()->backgroundColor(), palette::baseSelected);
    EXPECT_EQ(delegate->decButton->layer()->backgroundColor(), palette::baseIdle);

    click("BIN");  // the selected base again: logged again, nothing else changes
    EXPECT_EQ(takeLines(), std::vector<std::string>{"DEBUG: System changed to: binary"});
    EXPECT_EQ(display(), "110");

    click("HEX");
    EXPECT_EQ(takeLines(), std::vector<std::string>{"DEBUG: System changed to: hexadecimal"});
    EXPECT_EQ(delegate->hexButton->layer()->backgroundColor(), palette::baseSelected);
    EXPECT_EQ(delegate->calculator.value(), 6) << "the value never changes with the base";
}

TEST_F(DisplayTest, UnknownTagLogsTheUnchangedBaseAndRefreshes) {
    launch();
    auto stray = toolkit::View::make<toolkit::Button>(toolkit::makeRect(0, 0, 10, 10));
    stray->setTag(8);
    delegate->systemChanged(*stray);
    EXPECT_EQ(takeLines(), std::vector<std::string>{"DEBUG: System changed to: decimal"});
    EXPECT_EQ(delegate->currentSystem, NumberSystem::decimal);
}

TEST_F(DisplayTest, BaseButtonsHaveRadiusFourAfterEveryRefresh) {
    launch();
    for (const double width : {600.0, 300.0}) {
        toolkit::testing::userResize(window(), {width, width * 29 / 20});
        toolkit::testing::finishLiveResize(window());
        ASSERT_DOUBLE_EQ(delegate->scale, width / 400);
        for (const auto& base : {delegate->hexButton, delegate->decButton, delegate->binButton}) {
            EXPECT_EQ(base->layer()->cornerRadius(), 4.0) << base->title() << " at " << width;
        }
    }
}

}  // namespace
}  // namespace quorvin::testing

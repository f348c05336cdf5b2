// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <array>
#include <cmath>
#include <ranges>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quorvin/controller/KeyRows.h"
#include "quorvin/controller/Layout.h"
#include "quorvin/controller/Palette.h"
#include "quorvin/views/CalcButton.h"
#include "tests/controller/ControllerFixture.h"

namespace quorvin::testing {
namespace {

using toolkit::Color;
using toolkit::Font;
using toolkit::FontWeight;
using toolkit::Rect;

void expectFrame(const Rect& actual, const Rect& atScaleOne, double scale,
                 const std::string& what) {
    constexpr double kTolerance = 1e-9;
    EXPECT_NEAR(actual.origin.x, atScaleOne.origin.x * scale, kTolerance) << what;
    EXPECT_NEAR(actual.origin.y, atScaleOne.origin.y * scale, kTolerance) << what;
    EXPECT_NEAR(actual.size.width, atScaleOne.size.width * scale, kTolerance) << what;
    EXPECT_NEAR(actual.size.height, atScaleOne.size.height * scale, kTolerance) << what;
}

class LayoutTest : public ControllerTest, public ::testing::WithParamInterface<double> {
protected:
    // A launched window whose content is `width` wide.
    void launchAtWidth(double width) {
        launch();
        if (width != window().contentSize().width) {
            toolkit::testing::userResize(window(), {width, width * 29 / 20});
            toolkit::testing::finishLiveResize(window());
        }
        ASSERT_EQ(contentView().bounds().size.width, width);
        takeLines();
    }
};

// The layout at 400 points wide; at any other width every number is scaled by width / 400.
TEST(LayoutFor, ScalesTheLayoutOf400PointsToEveryWidth) {
    constexpr std::string_view kBaseRow[] = {"HEX", "DEC", "BIN", "📄", "📋"};
    // The keypad's 29 keys row by row from the top left (the double-wide "=" fills the last two
    // cells of the bottom row).
    constexpr std::array<std::array<std::string_view, 5>, 6> kKeypad{{
        {"A", "<<", ">>", "CE", "⌫"},
        {"B", "(", ")", "%", "÷"},
        {"C", "7", "8", "9", "×"},
        {"D", "4", "5", "6", "−"},
        {"E", "1", "2", "3", "+"},
        {"F", "+/−", "0", "="},
    }};
    for (const double width : {300.0, 400.0, 600.0}) {
        const double scale = width / 400;
        const Layout layout = layoutFor(width);
        const std::string at = " at " + std::to_string(width);
        EXPECT_DOUBLE_EQ(layout.scale, scale) << at;
        for (int i = 0; i < 5; ++i) {
            const auto& [title, frame] = layout.baseRow[std::size_t(i)];
            EXPECT_EQ(title, kBaseRow[i]) << i << at;
            expectFrame(frame, toolkit::makeRect(10 + 77.2 * i, 378, 71.2, 27.5), scale,
                        std::string(title) + at);
        }
        expectFrame(layout.panel, toolkit::makeRect(10, 413.5, 380, 85), scale, "panel" + at);
        expectFrame(layout.conversionLines[0], toolkit::makeRect(10, 60, 360, 22), scale,
                    "HEX" + at);
        expectFrame(layout.conversionLines[1], toolkit::makeRect(10, 35, 360, 22), scale,
                    "DEC" + at);
        expectFrame(layout.conversionLines[2], toolkit::makeRect(10, 10, 360, 22), scale,
                    "BIN" + at);
        expectFrame(layout.display, toolkit::makeRect(10, 506.5, 380, 55), scale, "display" + at);
        for (int i = 0; i < 29; ++i) {
            const int row = i / 5;
            const int column = i % 5;
            const auto& key = layout.keys[std::size_t(i)];
            EXPECT_EQ(key.title, kKeypad[std::size_t(row)][std::size_t(column)]) << i << at;
            EXPECT_EQ(key.row, row) << i << at;
            EXPECT_EQ(key.column, column) << i << at;
            const double keyWidth = row == 5 && column == 3 ? 148.4 : 71.2;
            expectFrame(key.frame,
                        toolkit::makeRect(10 + 77.2 * column, 10 + 61 * (5 - row), keyWidth, 55),
                        scale, std::string(key.title) + at);
        }
        // The keypad's right edge lies on the right margin.
        EXPECT_NEAR(layout.keys.back().frame.maxX(), width - 10 * scale, 1e-9) << at;
    }
}

TEST_P(LayoutTest, PlacesEveryControlAtTheScaledGeometry) {
    const double width = GetParam();
    launchAtWidth(width);
    const Layout layout = layoutFor(width);
    EXPECT_EQ(delegate->scale, layout.scale);

    const auto& views = contentView().subviews();
    ASSERT_EQ(views.size(), 5u + 1 + 1 + 29);
    for (std::size_t i = 0; i < 5; ++i) {
        const auto item = std::dynamic_pointer_cast<toolkit::Button>(views[i]);
        ASSERT_TRUE(item);
        EXPECT_EQ(item->title(), layout.baseRow[i].title);
        EXPECT_EQ(item->frame(), layout.baseRow[i].frame) << item->title();
    }
    EXPECT_EQ(views[0], delegate->hexButton);
    EXPECT_EQ(views[1], delegate->decButton);
    EXPECT_EQ(views[2], delegate->binButton);

    const auto& panel = views[5];
    EXPECT_EQ(panel->frame(), layout.panel);
    ASSERT_EQ(panel->subviews().size(), 3u);
    EXPECT_EQ(panel->subviews()[0], delegate->hexLabel);
    EXPECT_EQ(delegate->hexLabel->frame(), layout.conversionLines[0]);
    EXPECT_EQ(delegate->decLabel->frame(), layout.conversionLines[1]);
    EXPECT_EQ(delegate->binLabel->frame(), layout.conversionLines[2]);

    EXPECT_EQ(views[6], delegate->displayLabel);
    EXPECT_EQ(delegate->displayLabel->frame(), layout.display);

    for (std::size_t i = 0; i < 29; ++i) {
        const auto key = std::dynamic_pointer_cast<CalcButton>(views[7 + i]);
        ASSERT_TRUE(key) << i;
        EXPECT_EQ(key->title(), layout.keys[i].title);
        EXPECT_EQ(key->frame(), layout.keys[i].frame) << key->title();
    }
}

TEST_P(LayoutTest, UsesTheFontsAndFixedDisplayBorderAtEveryScale) {
    const double width = GetParam();
    launchAtWidth(width);
    const double scale = width / 400;
    const auto& display = *delegate->displayLabel;
    EXPECT_EQ(display.font(), Font::monospacedSystemFont(38 * scale, FontWeight::bold));
    EXPECT_EQ(display.alignment(), toolkit::TextAlignment::right);
    EXPECT_EQ(display.layer()->cornerRadius(), 4);
    EXPECT_EQ(display.layer()->borderWidth(), 2);
    EXPECT_EQ(display.layer()->borderColor(), palette::displayBorder);
    EXPECT_EQ(delegate->binLabel->font(),
              Font::monospacedSystemFont(14 * scale, FontWeight::medium));
    EXPECT_EQ(delegate->hexButton->attributedTitle().font,
              Font::systemFont(13 * scale, FontWeight::semibold));
    EXPECT_EQ(button("📋")->attributedTitle().font, Font::systemFont(18 * scale));
    EXPECT_EQ(button("📋")->attributedTitle().foregroundColor, std::nullopt);
    EXPECT_EQ(button("5")->attributedTitle().font, Font::systemFont(20 * scale, FontWeight::bold));
    EXPECT_EQ(button("<<")->attributedTitle().font, Font::systemFont(18 * scale, FontWeight::bold));
    EXPECT_EQ(button("5")->layer()->cornerRadius(), 4 * scale);
}

INSTANTIATE_TEST_SUITE_P(Widths, LayoutTest, ::testing::Values(300.0, 400.0, 600.0));

// The keypad table: class colour, title size, tag and the command a key sends.
struct KeyStyleCase {
    const char* title;
    Color background;
    double titleSize;
    int tag;
    const char* commandLine;
};

constexpr KeyStyleCase kKeyStyles[] = {
    {"0", palette::digitKey, 20, 0, "DEBUG: Digit pressed: 0"},
    {"F", palette::digitKey, 20, 0, "DEBUG: Digit pressed: F"},
    {"C", palette::digitKey, 20, 0, "DEBUG: Digit pressed: C"},
    {"+", palette::operatorKey, 20, 1, "DEBUG: Operation: add"},
    {"−", palette::operatorKey, 20, 2, "DEBUG: Operation: subtract"},
    {"×", palette::operatorKey, 20, 3, "DEBUG: Operation: multiply"},
    {"÷", palette::operatorKey, 20, 4, "DEBUG: Operation: divide"},
    {"%", palette::operatorKey, 20, 5, "DEBUG: Operation: modulo"},
    {"=", palette::operatorKey, 20, 0, "DEBUG: Equals pressed"},
    {"<<", palette::shiftKey, 18, 0, "DEBUG: Shift left"},
    {">>", palette::shiftKey, 18, 0, "DEBUG: Shift right"},
    {"CE", palette::clearKey, 18, 0, "DEBUG: Clear"},
    {"⌫", palette::clearKey, 18, 0, "DEBUG: Backspace"},
    {"(", palette::auxiliaryKey, 18, 0, "DEBUG: Digit pressed: ("},
    {")", palette::auxiliaryKey, 18, 0, "DEBUG: Digit pressed: )"},
    {"+/−", palette::auxiliaryKey, 18, 0, "DEBUG: Toggle sign"},
};

using FactoryTest = ControllerTest;

TEST_F(FactoryTest, ClassifiesEveryKeyByItsTitle) {
    launch();
    for (const auto& c : kKeyStyles) {
        const auto key = std::dynamic_pointer_cast<CalcButton>(button(c.title));
        ASSERT_TRUE(key) << c.title;
        EXPECT_EQ(key->layer()->backgroundColor(), c.background) << c.title;
        EXPECT_EQ(key->originalColor, c.background) << c.title;
        EXPECT_EQ(key->attributedTitle().font,
                  Font::systemFont(c.titleSize * 0.75, FontWeight::bold))
            << c.title;
        EXPECT_EQ(key->attributedTitle().foregroundColor, palette::keyTitle) << c.title;
        EXPECT_EQ(key->tag(), c.tag) << c.title;
        key->sendAction();
        EXPECT_EQ(takeLines(), std::vector<std::string>{c.commandLine}) << c.title;
    }
}

// A title no button has still makes a key: it enters its title like a digit, is called by its
// title, and is styled as a digit only when the title is a run of consecutive digits.
TEST_F(FactoryTest, KeyWithAnUnknownTitleEntersItAsADigit) {
    launch();
    constexpr KeyStyleCase kUnknown[] = {
        {"AB", palette::digitKey, 20, 0, "DEBUG: Digit pressed: AB"},
        {"G", palette::auxiliaryKey, 18, 0, "DEBUG: Digit pressed: G"},
        {"", palette::auxiliaryKey, 18, 0, "DEBUG: Digit pressed: "},
    };
    for (const auto& c : kUnknown) {
        const auto key = std::dynamic_pointer_cast<CalcButton>(
            delegate->createCalcButton(c.title, 0, 0, 40, 40));
        ASSERT_TRUE(key) << c.title;
        EXPECT_EQ(key->originalColor, c.background) << c.title;
        EXPECT_EQ(key->attributedTitle().font,
                  Font::systemFont(c.titleSize * 0.75, FontWeight::bold))
            << c.title;
        EXPECT_EQ(key->tag(), c.tag) << c.title;
        EXPECT_EQ(key->accessibilityLabel(), c.title) << c.title;
        EXPECT_EQ(key->toolTip(), "") << c.title;
        key->sendAction();
        EXPECT_EQ(takeLines(), std::vector<std::string>{c.commandLine}) << c.title;
    }
}

TEST_F(FactoryTest, ConversionLineAsMadeIsNarrowerThanAsLaidOut) {
    launch();
    const auto label = delegate->createConvLabel("HEX  0", 3);
    expectFrame(label->frame(), toolkit::makeRect(10, 3 / 0.75, 340, 22), 0.75, "as made");
    EXPECT_EQ(label->stringValue(), "HEX  0");
}

TEST_F(FactoryTest, SetupAloneLeavesZeroAndNoHighlight) {
    launch();
    delegate->calculator.setValue(99);
    delegate->updateDisplay();
    for (const auto& child : std::vector(contentView().subviews()))
        child->removeFromSuperview();
    delegate->setupUI();
    EXPECT_EQ(takeLines(), std::vector<std::string>{"DEBUG: UI setup complete"});
    EXPECT_EQ(display(), "0");
    for (const auto& base : {delegate->hexButton, delegate->decButton, delegate->binButton}) {
        EXPECT_EQ(base->layer()->backgroundColor(), palette::baseIdle);
        EXPECT_EQ(base->layer()->cornerRadius(), 4 * 0.75);
    }
}

// Rendered colours, read back from the window within one step of 8-bit rounding.
void expectPixel(toolkit::Window& window, toolkit::Point point, Color expected,
                 const std::string& what) {
    const Color actual = toolkit::testing::pixelAt(window, point);
    constexpr double kStep = 1.5 / 255;
    EXPECT_NEAR(actual.red, expected.red, kStep) << what;
    EXPECT_NEAR(actual.green, expected.green, kStep) << what;
    EXPECT_NEAR(actual.blue, expected.blue, kStep) << what;
}

// A point just inside the left edge, half way up: clear of rounded corners and centred titles.
toolkit::Point leftInside(const toolkit::View& view) {
    const auto center = toolkit::testing::centerInWindow(view);
    return {center.x - view.frame().size.width / 2 + 4, center.y};
}

TEST_F(FactoryTest, RendersThePaletteColours) {
    launch();
    expectPixel(window(), leftInside(*delegate->displayLabel), palette::displayBackground,
                "display");
    expectPixel(window(), leftInside(*contentView().subviews()[5]), palette::conversionPanel,
                "panel");
    expectPixel(window(), leftInside(*delegate->decButton), palette::baseSelected, "DEC");
    expectPixel(window(), leftInside(*delegate->hexButton), palette::baseIdle, "HEX");
    expectPixel(window(), leftInside(*button("📄")), palette::clipboardButton, "copy");
    for (const auto& c : kKeyStyles) {
        expectPixel(window(), leftInside(*button(c.title)), c.background, c.title);
    }
    expectPixel(window(), {150, 432}, palette::windowBackground, "above the display");
}

// The end-to-end harness takes the palette by name and each button's resting colour from the
// data made of these tables: they must say what the program does.
TEST_F(FactoryTest, HarnessDataHoldsTheProgramsColours) {
    const std::pair<std::string_view, Color> kPalette[] = {
        {"digitKey", palette::digitKey},
        {"operatorKey", palette::operatorKey},
        {"shiftKey", palette::shiftKey},
        {"clearKey", palette::clearKey},
        {"auxiliaryKey", palette::auxiliaryKey},
        {"pressedKey", palette::pressedKey},
        {"keyTitle", palette::keyTitle},
        {"baseIdle", palette::baseIdle},
        {"baseSelected", palette::baseSelected},
        {"clipboardButton", palette::clipboardButton},
        {"conversionPanel", palette::conversionPanel},
        {"displayBackground", palette::displayBackground},
        {"displayText", palette::displayText},
        {"displayBorder", palette::displayBorder},
        {"windowBackground", palette::windowBackground},
    };
    ASSERT_EQ(std::size(kPalette), palette::kNamedColours.size());
    for (std::size_t i = 0; i < std::size(kPalette); ++i) {
        EXPECT_EQ(palette::kNamedColours[i].name, kPalette[i].first);
        EXPECT_EQ(palette::kNamedColours[i].colour, kPalette[i].second) << kPalette[i].first;
    }

    // Each button's colour at rest, the titles split at spaces.
    const std::pair<Color, std::string_view> kResting[] = {
        {palette::digitKey, "0 1 2 3 4 5 6 7 8 9 A B C D E F"},
        {palette::operatorKey, "+ − × ÷ % ="},
        {palette::shiftKey, "<< >>"},
        {palette::clearKey, "CE ⌫"},
        {palette::auxiliaryKey, "( ) +/−"},
        {palette::baseIdle, "HEX DEC BIN"},
        {palette::clipboardButton, "📄 📋"},
    };
    launch();
    std::size_t count = 0;
    for (const auto& [colour, titles] : kResting) {
        for (const auto part : std::views::split(titles, ' ')) {
            const std::string title(part.begin(), part.end());
            ++count;
            EXPECT_EQ(restingColour(keyRowFor(title).keyClass), colour) << title;
            const auto target = button(title);
            ASSERT_TRUE(target) << title;
            // DEC is the base selected at start.
            EXPECT_EQ(target->layer()->backgroundColor(),
                      title == "DEC" ? palette::baseSelected : colour)
                << title;
        }
    }
    EXPECT_EQ(count, 29u + 5);
}

}  // namespace
}  // namespace quorvin::testing

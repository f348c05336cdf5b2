// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <string>
#include <vector>

#include "quorvin/controller/Palette.h"
#include "tests/controller/ControllerFixture.h"

namespace quorvin::testing {
namespace {

using Lines = std::vector<std::string>;
using CommandTest = ControllerTest;

Lines clickLines(const std::string& title, const Lines& commandLines) {
    Lines lines{"DEBUG: Button '" + title + "' pressed"};
    lines.insert(lines.end(), commandLines.begin(), commandLines.end());
    lines.push_back("DEBUG: Button '" + title + "' released");
    return lines;
}

TEST_F(CommandTest, OneTwoPlusThreeEqualsShowsFifteenWithEveryLineInOrder) {
    launch();
    struct Step {
        std::string title, display;
        Lines commandLines;
    };
    const Step steps[] = {
        {"1", "1", {"DEBUG: Digit pressed: 1"}}, {"2", "12", {"DEBUG: Digit pressed: 2"}},
        {"+", "12", {"DEBUG: Operation: add"}},  {"3", "3", {"DEBUG: Digit pressed: 3"}},
        {"=", "15", {"DEBUG: Equals pressed"}},
    };
    for (const auto& step : steps) {
        click(step.title);
        EXPECT_EQ(takeLines(), clickLines(step.title, step.commandLines)) << step.title;
        EXPECT_EQ(display(), step.display) << step.title;
    }
    EXPECT_EQ(delegate->hexLabel->stringValue(), "HEX  F");
    EXPECT_EQ(delegate->decLabel->stringValue(), "DEC  15");
    EXPECT_EQ(delegate->binLabel->stringValue(), "BIN  1111");
}

// Each key from a starting value: its command line and the value it leaves.
struct KeyCase {
    std::string title;
    std::int64_t before;
    std::string line;
    std::int64_t after;
};

TEST_F(CommandTest, EveryKeyLogsItsLineOnceAndActsOnTheEngine) {
    const KeyCase cases[] = {
        {"7", 1, "DEBUG: Digit pressed: 7", 17},
        {"A", 1, "DEBUG: Digit pressed: A", 1},  // rejected in decimal, refreshed all the same
        {"(", 5, "DEBUG: Digit pressed: (", 5},
        {")", 5, "DEBUG: Digit pressed: )", 5},
        {"<<", 3, "DEBUG: Shift left", 6},
        {">>", -3, "DEBUG: Shift right", -2},
        {"CE", 42, "DEBUG: Clear", 0},
        {"⌫", 123, "DEBUG: Backspace", 12},
        {"+/−", 9, "DEBUG: Toggle sign", -9},
        {"=", 4, "DEBUG: Equals pressed", 4},  // nothing pending: unchanged
        {"−", 4, "DEBUG: Operation: subtract", 4},
        {"×", 4, "DEBUG: Operation: multiply", 4},
        {"÷", 4, "DEBUG: Operation: divide", 4},
        {"%", 4, "DEBUG: Operation: modulo", 4},
    };
    launch();
    for (const auto& c : cases) {
        delegate->calculator.clear();
        delegate->calculator.setValue(c.before);
        click(c.title);
        EXPECT_EQ(takeLines(), clickLines(c.title, {c.line})) << c.title;
        EXPECT_EQ(delegate->calculator.value(), c.after) << c.title;
        EXPECT_EQ(display(), std::to_string(c.after)) << c.title;
    }
}

TEST_F(CommandTest, OperatorsChainLeftToRight) {
    launch();
    for (const char* title : {"2", "+", "3", "×", "4", "="})
        click(title);
    EXPECT_EQ(display(), "20");
}

TEST_F(CommandTest, RejectedDigitAfterAnOperationStillRestartsTheEntry) {
    launch();
    for (const char* title : {"5", "+", "("})
        click(title);
    EXPECT_EQ(display(), "0");
    click("BIN");
    click("7");
    EXPECT_EQ(display(), "0");
    click("1");
    EXPECT_EQ(display(), "1");
}

TEST_F(CommandTest, PressShowsRedAndReleaseRestoresTheClassColour) {
    launch();
    const auto key = button("7");
    const auto center = toolkit::testing::centerInWindow(*key);
    toolkit::testing::mousePress(window(), center);
    EXPECT_EQ(takeLines(), Lines{"DEBUG: Button '7' pressed"});
    EXPECT_EQ(key->layer()->backgroundColor(), palette::pressedKey);
    toolkit::testing::mouseRelease(window(), center);
    EXPECT_EQ(takeLines(), (Lines{"DEBUG: Digit pressed: 7", "DEBUG: Button '7' released"}));
    EXPECT_EQ(key->layer()->backgroundColor(), palette::digitKey);
}

TEST_F(CommandTest, ReleaseOutsideTheKeyRunsBothCallbacksAndNoCommand) {
    launch();
    const auto key = button("9");
    toolkit::testing::mousePress(window(), toolkit::testing::centerInWindow(*key));
    // Released over another key: neither key sends its command.
    toolkit::testing::mouseRelease(window(), toolkit::testing::centerInWindow(*button("CE")));
    EXPECT_EQ(takeLines(), (Lines{"DEBUG: Button '9' pressed", "DEBUG: Button '9' released"}));
    EXPECT_EQ(key->layer()->backgroundColor(), palette::digitKey);
    EXPECT_EQ(display(), "0");
}

TEST_F(CommandTest, ReleaseOutsideTheWindowStillRestoresTheKey) {
    launch();
    const auto key = button("=");
    toolkit::testing::mousePress(window(), toolkit::testing::centerInWindow(*key));
    toolkit::testing::mouseRelease(window(), {-40, -40});
    EXPECT_EQ(takeLines(), (Lines{"DEBUG: Button '=' pressed", "DEBUG: Button '=' released"}));
    EXPECT_EQ(key->layer()->backgroundColor(), palette::operatorKey);
}

// A click completes before the next event acts: a key typed while a key is held waits for the
// release.
TEST_F(CommandTest, KeyTypedDuringAClickActsAfterIt) {
    launch();
    const auto center = toolkit::testing::centerInWindow(*button("1"));
    toolkit::testing::mousePress(window(), center);
    toolkit::testing::typeKeys(window(), "2");
    toolkit::testing::mouseRelease(window(), center);
    EXPECT_EQ(takeLines(), (Lines{"DEBUG: Button '1' pressed", "DEBUG: Digit pressed: 1",
                                  "DEBUG: Button '1' released", "DEBUG: Key pressed: 2"}));
    EXPECT_EQ(display(), "12");
}

// Every press gets its released line, even when a rebuild has replaced the key meanwhile; the
// replaced key sends no command.
TEST_F(CommandTest, KeyRebuiltAwayDuringAPressStillReportsItsRelease) {
    launch();
    const auto center = toolkit::testing::centerInWindow(*button("7"));
    toolkit::testing::mousePress(window(), center);
    delegate->handleResize();
    const std::size_t oneBuild = toolkit::testing::liveViewCount() - 1;  // the held key
    takeLines();
    toolkit::testing::mouseRelease(window(), center);
    EXPECT_EQ(takeLines(), Lines{"DEBUG: Button '7' released"});
    EXPECT_EQ(display(), "0");
    EXPECT_EQ(toolkit::testing::liveViewCount(), oneBuild);
}

}  // namespace
}  // namespace quorvin::testing

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/controller/ControllerFixture.h"

namespace quorvin::testing {
namespace {

using toolkit::testing::AccessibleElement;
using toolkit::testing::accessibleTree;
using toolkit::testing::pressAccessible;
using AccessibilityTest = ControllerTest;

// Every button: the title drawn on it, what a screen reader calls it, and its tooltip.
struct Control {
    std::string_view title, name, toolTip;
};
constexpr Control kControls[] = {
    {"HEX", "Hexadecimal", ""},
    {"DEC", "Decimal", ""},
    {"BIN", "Binary", ""},
    {"📄", "Copy", "Copy the shown value"},
    {"📋", "Paste", "Paste: type the clipboard's text in the current base"},
    {"A", "A", ""},
    {"<<", "Shift left", "Shift left by one bit"},
    {">>", "Shift right", "Shift right by one bit (keeps the sign)"},
    {"CE", "Clear", ""},
    {"⌫", "Backspace", ""},
    {"B", "B", ""},
    {"(", "Left parenthesis", ""},
    {")", "Right parenthesis", ""},
    {"%", "Modulo", ""},
    {"÷", "Divide", ""},
    {"C", "C", ""},
    {"7", "7", ""},
    {"8", "8", ""},
    {"9", "9", ""},
    {"×", "Multiply", ""},
    {"D", "D", ""},
    {"4", "4", ""},
    {"5", "5", ""},
    {"6", "6", ""},
    {"−", "Subtract", ""},
    {"E", "E", ""},
    {"1", "1", ""},
    {"2", "2", ""},
    {"3", "3", ""},
    {"+", "Add", ""},
    {"F", "F", ""},
    {"+/−", "Toggle sign", "Toggle the sign"},
    {"0", "0", ""},
    {"=", "Equals", ""},
};

std::vector<AccessibleElement> withRole(const std::vector<AccessibleElement>& tree,
                                        std::initializer_list<std::string_view> roles) {
    std::vector<AccessibleElement> found;
    std::copy_if(tree.begin(), tree.end(), std::back_inserter(found),
                 [roles](const AccessibleElement& element) {
                     return std::find(roles.begin(), roles.end(), element.role) != roles.end();
                 });
    return found;
}

// The buttons: the base buttons are radio buttons (one of them is selected), the others push
// buttons.
std::vector<AccessibleElement> buttonsOf(const std::vector<AccessibleElement>& tree) {
    return withRole(tree, {"PushButton", "RadioButton"});
}

// The names of the text elements in reading order: the conversion lines, then the display (a
// status bar).
std::vector<std::string> texts(toolkit::Window& window) {
    std::vector<std::string> names;
    for (const auto& element : withRole(accessibleTree(window), {"StaticText", "StatusBar"}))
        names.push_back(element.name);
    return names;
}

std::vector<std::string> checkedButtons(toolkit::Window& window) {
    std::vector<std::string> names;
    for (const auto& element : buttonsOf(accessibleTree(window))) {
        if (element.checked) names.push_back(element.name);
    }
    return names;
}

TEST_F(AccessibilityTest, TreeHoldsTheWindowItsContentAndEveryControlOnce) {
    launch();
    const auto tree = accessibleTree(window());
    ASSERT_FALSE(tree.empty());
    EXPECT_EQ(tree[0].name, "Quorvin - Programmer Calculator");
    std::map<std::pair<std::string, int>, int> shape;
    for (const auto& element : tree)
        ++shape[{element.role, element.depth}];
    const std::map<std::pair<std::string, int>, int> expected{
        {{"Window", 0}, 1},       {{"Client", 1}, 1},
        {{"PushButton", 2}, 31},  {{"RadioButton", 2}, 3},  // the bases
        {{"Grouping", 2}, 1},                               // the conversion panel…
        {{"StaticText", 3}, 3},                             // …with its three lines
        {{"StatusBar", 2}, 1},                              // the display…
        {{"Notification", 3}, 1},                           // …and what it announces
    };
    EXPECT_EQ(shape, expected);
}

TEST_F(AccessibilityTest, EveryButtonIsReadByNameWithItsTooltipAndCanBePressed) {
    launch();
    const auto buttons = buttonsOf(accessibleTree(window()));
    ASSERT_EQ(buttons.size(), std::size(kControls));
    for (const auto& control : kControls) {
        const auto isNamed = [&](const AccessibleElement& candidate) {
            return candidate.name == control.name;
        };
        ASSERT_EQ(std::count_if(buttons.begin(), buttons.end(), isNamed), 1) << control.name;
        const auto& element = *std::find_if(buttons.begin(), buttons.end(), isNamed);
        EXPECT_EQ(element.description, control.toolTip) << control.name;
        EXPECT_TRUE(element.pressable) << control.name;
        // The name belongs to the key with this title, and the title drawn is unchanged.
        const auto key = button(control.title);
        ASSERT_TRUE(key) << control.title;
        EXPECT_EQ(key->accessibilityLabel(), control.name) << control.title;
        EXPECT_EQ(key->toolTip(), control.toolTip) << control.title;
    }
}

// A screen reader user calculates by pressing buttons by name and reading the display back.
TEST_F(AccessibilityTest, PressingByNameCalculatesAndTheTextsFollowTheValue) {
    launch();
    EXPECT_EQ(texts(window()), (std::vector<std::string>{"HEX  0", "DEC  0", "BIN  0", "0"}));
    struct Step {
        std::string_view name, display;
    };
    const Step steps[] = {
        {"1", "1"},
        {"2", "12"},
        {"Shift left", "24"},
        {"Add", "24"},
        {"3", "3"},
        {"Equals", "27"},
        {"Toggle sign", "-27"},
        {"Shift right", "-14"},
        {"Clear", "0"},
        {"9", "9"},
        {"Multiply", "9"},
        {"7", "7"},
        {"Divide", "63"},
        {"2", "2"},
        {"Modulo", "31"},
        {"5", "5"},
        {"Subtract", "1"},
        {"Left parenthesis", "0"},  // rejected, but it starts the entry after an operator
        {"Right parenthesis", "0"},
        {"4", "4"},
        {"Backspace", "0"},
        {"4", "4"},
        {"2", "42"},
        {"Copy", "42"},
        {"Clear", "0"},
        {"Paste", "42"},
        {"Hexadecimal", "2A"},
        {"F", "2AF"},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(pressAccessible(window(), step.name)) << step.name;
        EXPECT_EQ(display(), step.display) << step.name;
        EXPECT_EQ(texts(window()).back(), step.display) << step.name;
    }
    EXPECT_EQ(texts(window()),
              (std::vector<std::string>{"HEX  2AF", "DEC  687", "BIN  1010101111", "2AF"}));
    EXPECT_FALSE(pressAccessible(window(), "2AF"));  // the display is read, not pressed
    EXPECT_FALSE(pressAccessible(window(), "Percent"));
}

TEST_F(AccessibilityTest, TheCurrentBaseIsTheCheckedOneThroughClicksPressesAndRebuilds) {
    launch();
    const auto tree = accessibleTree(window());
    for (const std::string_view base : {"Hexadecimal", "Decimal", "Binary"}) {
        const auto element = std::find_if(tree.begin(), tree.end(), [&](const auto& candidate) {
            return candidate.name == base;
        });
        ASSERT_NE(element, tree.end()) << base;
        EXPECT_TRUE(element->checkable) << base;
    }
    EXPECT_EQ(checkedButtons(window()), std::vector<std::string>{"Decimal"});

    click("BIN");
    EXPECT_EQ(checkedButtons(window()), std::vector<std::string>{"Binary"});
    ASSERT_TRUE(pressAccessible(window(), "Hexadecimal"));
    EXPECT_EQ(checkedButtons(window()), std::vector<std::string>{"Hexadecimal"});

    // A rebuild makes every button again; the new ones report the same base, and the old ones
    // are gone from the tree.
    toolkit::testing::userResize(window(), {500, 725});
    toolkit::testing::finishLiveResize(window());
    EXPECT_EQ(checkedButtons(window()), std::vector<std::string>{"Hexadecimal"});
    EXPECT_EQ(buttonsOf(accessibleTree(window())).size(), std::size(kControls));
    // Only the base buttons are checkable, and they are the radio buttons.
    for (const auto& element : buttonsOf(accessibleTree(window()))) {
        const bool isBase =
            element.name == "Hexadecimal" || element.name == "Decimal" || element.name == "Binary";
        EXPECT_EQ(element.checkable, isBase) << element.name;
        EXPECT_EQ(element.role == "RadioButton", isBase) << element.name;
    }
}

// Run with LANGUAGE=de and LANG=C.UTF-8 (controller.de in CMakeLists.txt): what assistive
// technology reads is German, what the keys show and every diagnostic line stay as they are.
using TranslationTest = ControllerTest;

TEST_F(TranslationTest, NamesAndTooltipsFollowTheLanguageTitlesAndLinesDoNot) {
    launch();
    const auto tree = accessibleTree(window());
    ASSERT_FALSE(tree.empty());
    EXPECT_EQ(tree[0].name, "Quorvin - Programmer Calculator");
    const Control german[] = {
        {"+", "Addieren", ""},
        {"<<", "Nach links schieben", "Um ein Bit nach links schieben"},
        {"+/−", "Vorzeichen wechseln", "Das Vorzeichen wechseln"},
        {"📋", "Einfügen", "Einfügen: den Text der Zwischenablage in der aktuellen Basis eingeben"},
        {"BIN", "Binär", ""},
        {"7", "7", ""},
    };
    const auto buttons = buttonsOf(tree);
    for (const auto& control : german) {
        const auto element = std::find_if(buttons.begin(), buttons.end(),
                                          [&](const auto& b) { return b.name == control.name; });
        ASSERT_NE(element, buttons.end()) << control.name;
        EXPECT_EQ(element->description, control.toolTip) << control.name;
        EXPECT_TRUE(button(control.title)) << control.title;  // the title drawn is unchanged
    }
    takeLines();
    ASSERT_TRUE(pressAccessible(window(), "Binär"));
    EXPECT_EQ(takeLines(), std::vector<std::string>{"DEBUG: System changed to: binary"});
    const auto status = withRole(accessibleTree(window()), {"StatusBar"});
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].description, "Binär");  // the base a screen reader names with the value
    click("1");
    EXPECT_EQ(takeLines(),
              (std::vector<std::string>{"DEBUG: Button '1' pressed", "DEBUG: Digit pressed: 1",
                                        "DEBUG: Button '1' released"}));
}

}  // namespace
}  // namespace quorvin::testing

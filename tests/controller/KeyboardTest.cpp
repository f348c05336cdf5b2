// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <cstdint>
#include <string>
#include <vector>

#include "tests/controller/ControllerFixture.h"

namespace quorvin::testing {
namespace {

using Lines = std::vector<std::string>;
using toolkit::KeyEvent;

// One key on a calculator showing `before` in `system` (with nothing pending): the value and base
// it leaves. Every key writes its "Key pressed" line whatever it does.
struct KeyCase {
    NumberSystem system;
    std::string characters;
    bool command;
    std::int64_t before;
    std::int64_t after;
    NumberSystem systemAfter;
};

constexpr auto hex = NumberSystem::hexadecimal;
constexpr auto dec = NumberSystem::decimal;
constexpr auto bin = NumberSystem::binary;

const KeyCase kKeyCases[] = {
    // Digits in every base; the base decides whether they fit.
    {dec, "7", false, 1, 17, dec},
    {hex, "7", false, 1, 0x17, hex},
    {bin, "1", false, 1, 3, bin},
    {bin, "2", false, 1, 1, bin},
    {dec, "1", true, 1, 11, dec},  // Command-1 still enters 1
    // Letter digits only in hexadecimal, either case.
    {hex, "a", false, 1, 0x1A, hex},
    {hex, "E", false, 1, 0x1E, hex},
    {hex, "f", false, 1, 0x1F, hex},
    {dec, "a", false, 1, 1, dec},
    {dec, "f", false, 1, 1, dec},
    {hex, "d", false, 1, 0x1D, hex},
    {hex, "b", false, 1, 0x1B, hex},
    {dec, "d", false, 1, 1, dec},
    {bin, "b", false, 1, 1, bin},
    // "C" enters the digit in hexadecimal and clears elsewhere; Escape clears everywhere.
    {hex, "c", false, 1, 0x1C, hex},
    {hex, "C", true, 1, 0x1C, hex},  // Command-C does not copy
    {dec, "c", false, 5, 0, dec},
    {bin, "C", false, 5, 0, bin},
    {hex, "\x1B", false, 5, 0, hex},
    {dec, "\x1B", false, 5, 0, dec},
    // Backspace edits the value's text in the base.
    {dec, "\x7F", false, 123, 12, dec},
    {hex, "\x7F", false, 255, 15, hex},
    // Base shortcuts work in every base and enter nothing.
    {dec, "h", true, 10, 10, hex},
    {hex, "d", true, 10, 10, dec},
    {hex, "b", true, 10, 10, bin},
    {dec, "H", true, 10, 10, hex},
    {dec, "h", false, 10, 10, dec},
    {hex, "h", false, 10, 10, hex},
    // Keys the table does not know: only the line.
    {dec, "\x03", false, 5, 5, dec},  // the keypad's Enter
    {dec, "v", true, 5, 5, dec},      // no paste key
    {dec, "\t", false, 5, 5, dec},
    {dec, " ", false, 5, 5, dec},
    {dec, "\xEF\x9C\x80", false, 5, 5, dec},  // the up arrow
    {dec, "", false, 5, 5, dec},
    {dec, "12", false, 5, 5, dec},
    {dec, "g", false, 5, 5, dec},
};

using KeyboardTest = ControllerTest;

TEST_F(KeyboardTest, EachKeyActsAsTheKeyTableSays) {
    launch();
    for (const auto& c : kKeyCases) {
        delegate->calculator.clear();
        delegate->calculator.setValue(c.before);
        delegate->currentSystem = c.system;
        delegate->updateDisplay();
        delegate->keyDown(KeyEvent{c.characters, c.command ? std::uint64_t{KeyEvent::command} : 0});
        const std::string what = "'" + toolkit::escapeControlCharacters(c.characters) + "' in " +
                                 std::string(toString(c.system));
        EXPECT_EQ(delegate->calculator.value(), c.after) << what;
        EXPECT_EQ(delegate->currentSystem, c.systemAfter) << what;
        EXPECT_EQ(display(), delegate->calculator.convertToString(c.after, c.systemAfter)) << what;
        const Lines logged = takeLines();
        ASSERT_FALSE(logged.empty()) << what;
        EXPECT_EQ(logged[0],
                  "DEBUG: Key pressed: " + toolkit::escapeControlCharacters(c.characters))
            << what;
        const bool switchesBase = c.system != c.systemAfter || (c.command && c.characters == "h");
        EXPECT_EQ(logged.size(), switchesBase ? 2u : 1u) << what;
    }
}

// Operators, evaluation and the multiplication and division signs of other layouts.
TEST_F(KeyboardTest, OperatorKeysChainLikeTheKeypad) {
    struct Sequence {
        std::vector<std::string> keys;
        std::int64_t result;
    };
    const Sequence sequences[] = {
        {{"1", "2", "+", "3", "\r"}, 15}, {{"9", "-", "4", "\n"}, 5},
        {{"6", "*", "7", "="}, 42},       {{"6", "×", "7", "="}, 42},
        {{"8", "/", "3", "="}, 2},        {{"8", "÷", "3", "="}, 2},
        {{"8", "%", "3", "="}, 2},        {{"2", "+", "3", "*", "4", "="}, 20},
        {{"7", "/", "0", "="}, 0},
    };
    launch();
    for (const auto& sequence : sequences) {
        delegate->keyDown(KeyEvent{"\x1B", 0});
        for (const auto& key : sequence.keys)
            delegate->keyDown(KeyEvent{key, 0});
        EXPECT_EQ(delegate->calculator.value(), sequence.result) << sequence.keys.front();
    }
}

TEST_F(KeyboardTest, EventWithoutCharactersIsIgnoredSilently) {
    launch();
    delegate->keyDown(KeyEvent{std::nullopt, 0});
    EXPECT_TRUE(takeLines().empty());
}

TEST_F(KeyboardTest, KeysThroughTheWindowReachTheControllerAndNoControl) {
    launch();
    struct Typed {
        const char* sequence;
        Lines lines;
    };
    const Typed typed[] = {
        {"4", {"DEBUG: Key pressed: 4"}},
        {"2", {"DEBUG: Key pressed: 2"}},
        {"Ctrl+H", {"DEBUG: Key pressed: h", "DEBUG: System changed to: hexadecimal"}},
        {"Backspace", {"DEBUG: Key pressed: \\x7F"}},
        {"Ctrl+B", {"DEBUG: Key pressed: b", "DEBUG: System changed to: binary"}},
        {"Return", {"DEBUG: Key pressed: \\r"}},
        {"Enter", {"DEBUG: Key pressed: \\x03"}},
        {"Ctrl+D", {"DEBUG: Key pressed: d", "DEBUG: System changed to: decimal"}},
        {"Shift", {}},  // a modifier alone is no key-down event
        {"Space", {"DEBUG: Key pressed:  "}},
    };
    for (const auto& t : typed) {
        toolkit::testing::typeKeys(window(), t.sequence);
        EXPECT_EQ(takeLines(), t.lines) << t.sequence;
    }
    EXPECT_EQ(display(), "2") << "4, 2, then backspace in hexadecimal";
}

}  // namespace
}  // namespace quorvin::testing

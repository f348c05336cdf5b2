// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <string>
#include <vector>

#include "quorvin/toolkit/Pasteboard.h"
#include "tests/controller/ControllerFixture.h"

namespace quorvin::testing {
namespace {

using Lines = std::vector<std::string>;
using ClipboardTest = ControllerTest;

toolkit::Pasteboard& pasteboard() {
    return toolkit::Pasteboard::generalPasteboard();
}

void putOnClipboard(const std::string& text) {
    pasteboard().clearContents();
    pasteboard().setString(text, toolkit::PasteboardType::string);
}

TEST_F(ClipboardTest, CopyPutsTheShownTextOnTheClipboard) {
    launch();
    delegate->calculator.setValue(255);
    struct {
        const char* base;
        const char* text;
    } const cases[] = {{"HEX", "FF"}, {"DEC", "255"}, {"BIN", "11111111"}};
    for (const auto& c : cases) {
        click(c.base);
        takeLines();
        delegate->copyValue();
        EXPECT_EQ(pasteboard().stringForType(toolkit::PasteboardType::string), c.text);
        EXPECT_EQ(takeLines(), Lines{std::string("DEBUG: Copied to clipboard: ") + c.text});
    }
}

struct PasteCase {
    NumberSystem system;
    std::string text;
    std::string display;
};

TEST_F(ClipboardTest, PasteTypesEachCharacterInTheCurrentBase) {
    const PasteCase cases[] = {
        {NumberSystem::hexadecimal, "0x1F", "1F"},
        {NumberSystem::decimal, "-5", "5"},
        {NumberSystem::decimal, "1,234", "1234"},
        {NumberSystem::binary, "102", "10"},
        {NumberSystem::decimal, "42\n", "42"},
        {NumberSystem::decimal, "42\r\n", "42"},
        {NumberSystem::decimal, "no digits here", "0"},
        {NumberSystem::decimal, "99999999999999999999", "999999999999999999"},
        // One user-perceived character each: none of them is a digit, and neither is the
        // keycap "1" followed by U+FE0F U+20E3.
        {NumberSystem::hexadecimal, "e\u0301A", "A"},
        {NumberSystem::decimal,
         "1\xEF\xB8\x8F\xE2\x83\xA3"
         "2",
         "2"},
        {NumberSystem::decimal,
         "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA"
         "7",
         "7"},
        {NumberSystem::decimal,
         std::string("3\0"
                     "4",
                     3),
         "34"},
        {NumberSystem::decimal, "\x1B[31m5\x07", "315"},
    };
    launch();
    for (const auto& c : cases) {
        delegate->currentSystem = c.system;
        putOnClipboard(c.text);
        delegate->pasteValue();
        EXPECT_EQ(display(), c.display) << c.text;
        const Lines logged = takeLines();
        ASSERT_EQ(logged.size(), 1u) << c.text;
        EXPECT_EQ(logged[0],
                  "DEBUG: Pasted from clipboard: " + toolkit::escapeControlCharacters(c.text));
    }
}

TEST_F(ClipboardTest, PasteDiscardsAPendingOperation) {
    launch();
    for (const char* title : {"5", "+"})
        click(title);
    putOnClipboard("3");
    delegate->pasteValue();
    click("=");
    EXPECT_EQ(display(), "3");
}

TEST_F(ClipboardTest, ClipboardWithoutTextChangesNothing) {
    launch();
    delegate->calculator.setValue(77);
    delegate->updateDisplay();
    for (const char* text : {""}) {
        putOnClipboard(text);
        delegate->pasteValue();
        EXPECT_TRUE(takeLines().empty());
        EXPECT_EQ(display(), "77");
    }
    pasteboard().clearContents();
    delegate->pasteValue();
    EXPECT_TRUE(takeLines().empty());
    EXPECT_EQ(display(), "77");
}

TEST_F(ClipboardTest, CopyThenPasteGivesNonNegativeValuesBack) {
    struct RoundTrip {
        NumberSystem system;
        std::int64_t value;
        std::int64_t back;
    };
    const RoundTrip cases[] = {
        {NumberSystem::decimal, 0, 0},
        {NumberSystem::decimal, INT64_MAX, INT64_MAX},
        {NumberSystem::binary, INT64_MAX, INT64_MAX},
        {NumberSystem::hexadecimal, INT64_MAX, INT64_MAX},
        {NumberSystem::decimal, -5, 5},
        {NumberSystem::binary, -5, 5},
        {NumberSystem::hexadecimal, -5, 0xFFFFFFFFFFFFFFF},
        {NumberSystem::decimal, INT64_MIN, 922337203685477580},
    };
    launch();
    for (const auto& c : cases) {
        delegate->currentSystem = c.system;
        delegate->calculator.setValue(c.value);
        delegate->updateDisplay();
        delegate->copyValue();
        delegate->pasteValue();
        EXPECT_EQ(delegate->calculator.value(), c.back) << c.value;
    }
}

}  // namespace
}  // namespace quorvin::testing

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quorvin/platform/DebugLog.h"

namespace quorvin::toolkit {
namespace {

struct EscapeCase {
    std::string text;
    std::string expected;
};
const EscapeCase kEscapeCases[] = {
    {"App ready!", "App ready!"},
    {"a\r\nb\tc", "a\\r\\nb\\tc"},
    {"\x1B[2J", "\\x1B[2J"},
    {std::string("\0\x01\x1F", 3), "\\x00\\x01\\x1F"},
    {"\x7F", "\\x7F"},
    {"x\xC2\x80y\xC2\x9B", "x\\x80y\\x9B"},    // C1 controls, CSI among them
    {"\xC2\xA0\xC2\xA9", "\xC2\xA0\xC2\xA9"},  // U+00A0 and U+00A9 are not controls
    {"\xC2", "\xC2"},                          // a truncated sequence stays as it is
    {"\xC2\x1B", "\xC2\\x1B"},
    {"\xF0\x9F\x98\x80 \xC3\x9F \xE2\x80\x94", "\xF0\x9F\x98\x80 \xC3\x9F \xE2\x80\x94"},
    {"\x80\x9B\xFF", "\x80\x9B\xFF"},  // stray bytes are not code points
    // A backslash is escaped too, so the text \x1B and an ESC give different lines.
    {"\\x1B[2J", "\\\\x1B[2J"},
    {"\\\\u{202E}\\", "\\\\\\\\u{202E}\\\\"},
    // Bidirectional embeddings, overrides and isolates, and the line and paragraph separators.
    {"a\xE2\x80\xAA"
     "b\xE2\x80\xAB\xE2\x80\xAC\xE2\x80\xAD\xE2\x80\xAE",
     "a\\u{202A}b\\u{202B}\\u{202C}\\u{202D}\\u{202E}"},
    {"\xE2\x81\xA6\xE2\x81\xA7\xE2\x81\xA8\xE2\x81\xA9", "\\u{2066}\\u{2067}\\u{2068}\\u{2069}"},
    {"1\xE2\x80\xA8"
     "2\xE2\x80\xA9",
     "1\\u{2028}2\\u{2029}"},
    // Their neighbours are ordinary characters (U+2027, U+202F, U+2065, U+206A), as are the marks
    // U+200E and U+200F; a cut-off sequence stays as it is.
    {"\xE2\x80\xA7\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA\xE2\x80\x8E\xE2\x80\x8F",
     "\xE2\x80\xA7\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA\xE2\x80\x8E\xE2\x80\x8F"},
    {"\xE2\x80", "\xE2\x80"},
    {"\xE2\x80\x1B", "\xE2\x80\\x1B"},
};

TEST(DebugLog, EscapesControlCharactersOnly) {
    for (const auto& c : kEscapeCases)
        EXPECT_EQ(escapeControlCharacters(c.text), c.expected) << c.expected;
}

TEST(DebugLog, WritesOneEscapedLinePerMessage) {
    std::vector<std::string> lines;
    setDebugSink([&](std::string_view line) { lines.emplace_back(line); });
    debugLog("Pasted from clipboard: 1\n2\x1B");
    debugLog("");
    setDebugSink({});
    EXPECT_EQ(lines,
              (std::vector<std::string>{"DEBUG: Pasted from clipboard: 1\\n2\\x1B", "DEBUG: "}));

    testing::internal::CaptureStdout();
    debugLog("Clear");
    debugLog("a\r");
    EXPECT_TRUE(flushDebugLog(std::chrono::seconds(10)));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "DEBUG: Clear\nDEBUG: a\\r\n");
}

struct SizeCase {
    double width, height;
    const char* expected;
};
const SizeCase kSizeCases[] = {
    {450, 652.5, "(450.0, 652.5)"},
    {300, 435, "(300.0, 435.0)"},
    {0, -0.0, "(0.0, -0.0)"},
    {0.1, 1.0 / 3, "(0.1, 0.3333333333333333)"},
    {1e-7, 2.5e15, "(0.0000001, 2500000000000000.0)"},
    {599.9999999999999, 1e21, "(599.9999999999999, 1000000000000000000000.0)"},
};

TEST(DebugLog, SizesPrintInShortestFormWithAFraction) {
    for (const auto& c : kSizeCases)
        EXPECT_EQ(formatSize(c.width, c.height), c.expected);
}

}  // namespace
}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "quorvin/engine/ValueText.h"
#include "tests/engine/EngineLimits.h"

namespace quorvin {
namespace {

using namespace std::string_view_literals;
using test::kMax;
using test::kMin;
using test::kSystems;

struct FormatCase {
    std::int64_t value;
    std::string binary, decimal, hexadecimal;
};

TEST(ValueText, FormatsSignMagnitudeAndBitPattern) {
    const FormatCase cases[] = {
        {0, "0", "0", "0"},
        {5, "101", "5", "5"},
        {255, "11111111", "255", "FF"},
        {-5, "-101", "-5", "FFFFFFFFFFFFFFFB"},
        {4294967296, "1" + std::string(32, '0'), "4294967296", "100000000"},
        {kMax, std::string(63, '1'), "9223372036854775807", "7FFFFFFFFFFFFFFF"},
        {kMin, "-1" + std::string(63, '0'), "-9223372036854775808", "8000000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatValue(c.value, NumberSystem::binary), c.binary) << c.value;
        EXPECT_EQ(formatValue(c.value, NumberSystem::decimal), c.decimal) << c.value;
        EXPECT_EQ(formatValue(c.value, NumberSystem::hexadecimal), c.hexadecimal) << c.value;
    }
}

struct ParseCase {
    std::string_view text;
    int radix;
    std::optional<std::int64_t> value;
};
constexpr ParseCase kParseCases[] = {
    {"FF", 16, 255},
    {"ff", 16, 255},
    {"+7", 16, 7},
    {"7FFFFFFFFFFFFFFF", 16, kMax},
    {"8000000000000000", 16, std::nullopt},
    {"FFFFFFFFFFFFFFFF", 16, std::nullopt},
    {"-8000000000000000", 16, kMin},
    {"-8000000000000001", 16, std::nullopt},
    {"-7fffffffffffffff", 16, -kMax},
    {"10000000000000000", 16, std::nullopt},
    {"1010", 2, 10},
    {"102", 2, std::nullopt},
    {"-101", 2, -5},
    {"-1000000000000000000000000000000000000000000000000000000000000000", 2, kMin},
    {"1000000000000000000000000000000000000000000000000000000000000000", 2, std::nullopt},
    {"-9223372036854775808", 10, kMin},
    {"9223372036854775807", 10, kMax},
    {"9223372036854775808", 10, std::nullopt},
    {"-9223372036854775809", 10, std::nullopt},
    {"18446744073709551616", 10, std::nullopt},  // 2^64 must not wrap to 0
    {"A", 10, std::nullopt},
    {"-0", 10, 0},
    {"+0", 2, 0},
    // Leading zeros do not count against the range.
    {"00", 10, 0},
    {"0000000000000000000000000000009223372036854775807", 10, kMax},
    {"-00000000000000000000008000000000000000", 16, kMin},
    {"+00000000000000000000000000000000000000000000000000000000000000000001", 2, 1},
    // Neighbours of the digit ranges.
    {"/", 16, std::nullopt},
    {":", 16, std::nullopt},
    {"@", 16, std::nullopt},
    {"G", 16, std::nullopt},
    {"`", 16, std::nullopt},
    {"g", 16, std::nullopt},
    {"9", 10, 9},
    {"2", 2, std::nullopt},
    {"z", 36, 35},
    {"Z", 36, 35},
    // Signs appear once, in front, and need digits after them.
    {"--1", 10, std::nullopt},
    {"+-1", 10, std::nullopt},
    {"1-", 10, std::nullopt},
    {"1+1", 10, std::nullopt},
    // Control characters and bytes beyond ASCII are not digits.
    {"1\0"sv, 10, std::nullopt},
    {std::string_view("\0"
                      "1",
                      2),
     10, std::nullopt},
    {"\t1", 10, std::nullopt},
    {"\xC2\xB9", 10, std::nullopt},      // superscript one
    {"\xEF\xBC\x91", 16, std::nullopt},  // fullwidth digit one
    {"1\xFF", 16, std::nullopt},
    {"\x81", 2, std::nullopt},
};

TEST(ValueText, ParsesTextInARadix) {
    for (const auto& c : kParseCases) {
        EXPECT_EQ(parseValue(c.text, c.radix), c.value) << '"' << c.text << "\" radix " << c.radix;
    }
}

TEST(ValueText, MalformedTextGivesNoValueInEveryRadix) {
    constexpr std::string_view kMalformed[] = {
        "", "-", "+", " ", " 1", "1 ", "1 0", "0x1", "0X1", "-0x1", "0x", "1_0", "1.0",
    };
    for (const auto text : kMalformed) {
        for (const NumberSystem system : kSystems) {
            EXPECT_EQ(parseValue(text, rawValue(system)), std::nullopt)
                << '"' << text << "\" radix " << rawValue(system);
        }
    }
}

TEST(ValueText, RadixOutsideTwoToThirtySixGivesNoValue) {
    for (const int radix : {-16, 0, 1, 37})
        EXPECT_EQ(parseValue("1", radix), std::nullopt);
}

std::vector<std::int64_t> valueClasses() {
    std::vector<std::int64_t> values{0, 1, -1, 7, -7, 10, -10, 16, -16, kMin, kMin + 1, kMax};
    for (int bit = 0; bit < 64; ++bit) {
        const std::uint64_t power = std::uint64_t{1} << bit;
        for (const std::uint64_t near : {power - 1, power, power + 1}) {
            values.push_back(static_cast<std::int64_t>(near));
            values.push_back(static_cast<std::int64_t>(0 - near));
        }
    }
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 2000; ++i) {
        values.push_back(static_cast<std::int64_t>(random() >> (random() % 64)));
        values.push_back(static_cast<std::int64_t>(random()));
    }
    return values;
}

// Formatted text is canonical: no prefix, no leading zero, upper-case hexadecimal digits, and a
// sign only in the sign-and-magnitude bases.
bool isCanonical(std::string_view text, NumberSystem system) {
    if (system != NumberSystem::hexadecimal && text.starts_with('-')) text.remove_prefix(1);
    if (text.empty() || (text.size() > 1 && text.front() == '0')) return false;
    const std::string_view digits =
        std::string_view("0123456789ABCDEF").substr(0, static_cast<std::size_t>(rawValue(system)));
    return text.find_first_not_of(digits) == std::string_view::npos;
}

TEST(ValueText, EveryValueRoundTripsExceptNegativeHexadecimal) {
    for (const std::int64_t value : valueClasses()) {
        for (const NumberSystem system : kSystems) {
            const std::string text = formatValue(value, system);
            EXPECT_TRUE(isCanonical(text, system)) << text;
            const bool bitPatternOfANegative = system == NumberSystem::hexadecimal && value < 0;
            const auto expected = bitPatternOfANegative ? std::nullopt : std::optional(value);
            EXPECT_EQ(parseValue(text, rawValue(system)), expected)
                << value << " in " << toString(system) << " is \"" << text << '"';
            if (bitPatternOfANegative) {
                EXPECT_EQ(text.size(), 16u) << value;
                EXPECT_GE(text.front(), '8') << value;
            }
        }
    }
}

}  // namespace
}  // namespace quorvin

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <cstdint>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "quorvin/engine/Calculator.h"
#include "tests/engine/EngineLimits.h"
#include "tests/engine/KeyScript.h"

namespace quorvin {
namespace {

using namespace std::string_view_literals;
using test::expectValues;
using test::KeyScript;
using test::kMax;
using test::kMin;

constexpr auto kBinary = NumberSystem::binary;
constexpr auto kDecimal = NumberSystem::decimal;
constexpr auto kHexadecimal = NumberSystem::hexadecimal;

// --- inputDigit ---

struct DigitCase {
    std::int64_t start;
    NumberSystem system;
    std::string_view digit;
    bool accepted;
    std::int64_t value;
};
constexpr DigitCase kDigitCases[] = {
    {0, kDecimal, "7", true, 7},
    {7, kDecimal, "0", true, 70},
    {0, kDecimal, "0", true, 0},
    {0, kDecimal, "5", true, 5},
    {5, kDecimal, "A", false, 5},
    {922337203685477580, kDecimal, "7", true, kMax},
    {922337203685477580, kDecimal, "8", false, 922337203685477580},
    {-5, kDecimal, "3", true, -53},
    {-922337203685477580, kDecimal, "8", true, kMin},
    {-922337203685477580, kDecimal, "9", false, -922337203685477580},
    {1, kBinary, "0", true, 2},
    {2, kBinary, "2", false, 2},
    {-5, kBinary, "1", true, -11},
    {-(std::int64_t{1} << 62), kBinary, "0", true, kMin},
    {0, kHexadecimal, "a", true, 10},
    {0, kHexadecimal, "G", false, 0},
    {0, kHexadecimal, "g", false, 0},
    {-1, kHexadecimal, "0", false, -1},  // sixteen F digits already
    // A text of several characters is appended whole and parsed as one candidate.
    {3, kDecimal, "12", true, 312},
    {0, kHexadecimal, "fF", true, 255},
    {92233720368547758, kDecimal, "07", true, kMax},
    {92233720368547758, kDecimal, "08", false, 92233720368547758},
    {0, kDecimal, "-5", true, -5},  // on 0 the text replaces the "0", sign and all
    {0, kDecimal, "+5", true, 5},
    {3, kDecimal, "-5", false, 3},
    {0, kBinary, "000000000000000000000000000000000000000000000000000000000000000000000011", true,
     3},
    {0, kHexadecimal, "0x1", false, 0},
    // Characters that are no digit in any base.
    {5, kDecimal, " ", false, 5},
    {5, kDecimal, "\0"sv, false, 5},
    {5, kDecimal, "1\0"sv, false, 5},
    {5, kHexadecimal, "\xC2\xB9", false, 5},  // superscript one
    {5, kDecimal, "\xEF\xBC\x91", false, 5},  // fullwidth digit one
    {5, kBinary, "\x81", false, 5},
    {0, kDecimal, "", false, 0},
    {0, kDecimal, "-", false, 0},
    {5, kDecimal, "-", false, 5},
    // An empty text is no digit, although appending it would leave a text that parses.
    {5, kDecimal, "", false, 5},
};

TEST(CalculatorEntry, InputDigitAppendsToTheValuesText) {
    for (const auto& c : kDigitCases) {
        Calculator calculator;
        calculator.setValue(c.start);
        EXPECT_EQ(calculator.inputDigit(c.digit, c.system), c.accepted)
            << c.start << " + \"" << c.digit << "\" in " << toString(c.system);
        EXPECT_EQ(calculator.value(), c.value)
            << c.start << " + \"" << c.digit << "\" in " << toString(c.system);
    }
}

TEST(CalculatorEntry, LowerCaseHexadecimalDigitIsShownUpperCase) {
    Calculator calculator;
    calculator.inputDigit("a", kHexadecimal);
    EXPECT_EQ(calculator.convertToString(calculator.value(), kHexadecimal), "A");
}

struct LimitCase {
    NumberSystem system;
    std::string_view firstDigit;
    bool negate;
    std::string rest;
    std::int64_t limit;
};

// Typing digit by digit reaches each limit, and then every digit of the base is rejected.
TEST(CalculatorEntry, TypingStopsAtTheRangeLimits) {
    const LimitCase cases[] = {
        {kDecimal, "9", false, "223372036854775807", kMax},
        {kDecimal, "9", true, "223372036854775808", kMin},
        {kBinary, "1", false, std::string(62, '1'), kMax},
        {kBinary, "1", true, std::string(63, '0'), kMin},
        {kHexadecimal, "7", false, "FFFFFFFFFFFFFFF", kMax},
    };
    for (const auto& c : cases) {
        Calculator calculator;
        calculator.inputDigit(c.firstDigit, c.system);
        if (c.negate) calculator.toggleSign();
        for (const char digit : c.rest) {
            ASSERT_TRUE(calculator.inputDigit(std::string(1, digit), c.system)) << c.limit;
        }
        ASSERT_EQ(calculator.value(), c.limit);
        for (int worth = 0; worth < rawValue(c.system); ++worth) {
            const std::string digit(1, "0123456789ABCDEF"[worth]);
            EXPECT_FALSE(calculator.inputDigit(digit, c.system)) << c.limit << " + " << digit;
            EXPECT_EQ(calculator.value(), c.limit);
        }
    }
}

TEST(CalculatorEntry, HexadecimalTakesFifteenDigitsAndASixteenthAfterOneToSeven) {
    for (int first = 1; first < 16; ++first) {
        Calculator calculator;
        const std::string firstDigit(1, "0123456789ABCDEF"[first]);
        ASSERT_TRUE(calculator.inputDigit(firstDigit, kHexadecimal));
        for (int digits = 2; digits <= 15; ++digits) {
            ASSERT_TRUE(calculator.inputDigit("F", kHexadecimal)) << firstDigit << " " << digits;
        }
        EXPECT_EQ(calculator.inputDigit("F", kHexadecimal), first <= 7) << firstDigit;
        EXPECT_FALSE(calculator.inputDigit("0", kHexadecimal)) << firstDigit;
    }
}

// A pending reset restarts the entry at 0 before the text is looked at, also when it is then
// rejected, and the flag is gone afterwards: a later digit appends.
TEST(CalculatorEntry, ResetHappensBeforeTheDigitIsRejected) {
    struct Case {
        NumberSystem system;
        std::string_view digit;
    };
    constexpr Case cases[] = {
        {kBinary, "9"},         {kDecimal, "A"},        {kHexadecimal, "G"},
        {kDecimal, ""},         {kDecimal, " "},        {kDecimal, "\0"sv},
        {kDecimal, "\xC2\xB9"}, {kHexadecimal, "\xFF"}, {kDecimal, "-"},
    };
    for (const auto& c : cases) {
        Calculator calculator;
        calculator.setValue(5);
        calculator.setOperation(Operation::add);
        EXPECT_FALSE(calculator.inputDigit(c.digit, c.system)) << '"' << c.digit << '"';
        EXPECT_EQ(calculator.value(), 0) << '"' << c.digit << '"';
        calculator.setValue(1);
        calculator.inputDigit("1", c.system);
        EXPECT_EQ(calculator.value(), rawValue(c.system) + 1) << '"' << c.digit << '"';
    }
}

TEST(CalculatorEntry, InputDigitScripts) {
    const KeyScript scripts[] = {
        {"ANewEngineStartsAtZero", kDecimal, {{"7", 7}, {"0", 70}}},
        {"RejectedBinaryDigitAfterAnOperation",
         kBinary,
         {{"101", 5}, {"+", 5}, {"9", 0}, {"1", 1}, {"=", 6}}},
        {"ZeroThenDigitReplacesTheZero", kDecimal, {{"0", 0}, {"5", 5}}},
    };
    for (const auto& script : scripts)
        expectValues(script);
}

// --- backspace ---

struct BackspaceCase {
    std::int64_t start;
    NumberSystem system;
    std::int64_t value;
};
constexpr BackspaceCase kBackspaceCases[] = {
    {123, kDecimal, 12},
    {7, kDecimal, 0},
    {0, kDecimal, 0},
    {-5, kDecimal, 0},  // the lone "-" left over does not parse
    {-12, kDecimal, -1},
    {kMin, kDecimal, -922337203685477580},
    {5, kBinary, 2},
    {-5, kBinary, -2},
    {kMin, kBinary, -(std::int64_t{1} << 62)},
    {255, kHexadecimal, 15},
    {-1, kHexadecimal, 1152921504606846975},  // FFFFFFFFFFFFFFF, a positive value
    {kMin, kHexadecimal, std::int64_t{1} << 59},
};

TEST(CalculatorEntry, BackspaceDropsTheLastCharacterOfTheText) {
    for (const auto& c : kBackspaceCases) {
        Calculator calculator;
        calculator.setValue(c.start);
        calculator.backspace(c.system);
        EXPECT_EQ(calculator.value(), c.value) << c.start << " in " << toString(c.system);
    }
}

TEST(CalculatorEntry, BackspaceAndToggleSignKeepThePendingOperationAndReset) {
    const KeyScript scripts[] = {
        // The result is edited, the next digit still starts a new entry, add is still pending.
        {"Backspace", kDecimal, {{"123", 123}, {"+", 123}, {"<-", 12}, {"4", 4}, {"=", 127}}},
        {"ToggleSign", kDecimal, {{"5", 5}, {"+", 5}, {"+/-", -5}, {"=", 0}}},
        {"ToggleSignThenDigit", kDecimal, {{"5", 5}, {"+", 5}, {"+/-", -5}, {"3", 3}, {"=", 8}}},
    };
    for (const auto& script : scripts)
        expectValues(script);
}

// --- clear ---

TEST(CalculatorEntry, ClearRestoresTheInitialState) {
    const KeyScript scripts[] = {
        // No operation pending: executing changes nothing.
        {"AfterAnOperation", kDecimal, {{"5", 5}, {"+", 5}, {"C", 0}, {"set 9", 9}, {"=", 9}}},
        // No reset pending: a digit appends.
        {"AfterAResult",
         kDecimal,
         {{"5", 5}, {"+", 5}, {"2", 2}, {"=", 7}, {"C", 0}, {"set 3", 3}, {"4", 34}}},
        {"AfterAnEntry", kHexadecimal, {{"FF", 255}, {"C", 0}, {"1", 1}}},
    };
    for (const auto& script : scripts)
        expectValues(script);
}

// --- toggleSign ---

TEST(CalculatorEntry, ToggleSignNegatesAndWrapsAtTheMinimum) {
    struct Case {
        std::int64_t start, value;
    };
    constexpr Case cases[] = {
        {0, 0},           {5, -5},          {-5, 5},
        {kMax, kMin + 1}, {kMin + 1, kMax}, {kMin, kMin},  // its own negation modulo 2^64
    };
    for (const auto& c : cases) {
        Calculator calculator;
        calculator.setValue(c.start);
        calculator.toggleSign();
        EXPECT_EQ(calculator.value(), c.value) << c.start;
        calculator.toggleSign();
        EXPECT_EQ(calculator.value(), c.start) << c.start;
    }
}

}  // namespace
}  // namespace quorvin

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <cstdint>
#include <string_view>

#include <gtest/gtest.h>

#include "quorvin/engine/Calculator.h"
#include "tests/engine/EngineLimits.h"
#include "tests/engine/KeyScript.h"

namespace quorvin {
namespace {

using test::expectValues;
using test::KeyScript;
using test::kMax;
using test::kMin;

constexpr auto kDecimal = NumberSystem::decimal;

TEST(CalculatorArithmetic, OperationsChainLeftToRight) {
    const KeyScript scripts[] = {
        // No operation stays pending after "=": a second one changes nothing.
        {"AddThenEquals", kDecimal, {{"2", 2}, {"+", 2}, {"3", 3}, {"=", 5}, {"=", 5}}},
        {"AddComputedWhenMultiplyIsChosen",
         kDecimal,
         {{"2", 2}, {"+", 2}, {"3", 3}, {"*", 5}, {"4", 4}, {"=", 20}}},
        // The second add computes 2 + 2 and is pending again: "=" adds 4 to 4.
        {"RepeatedOperationUsesTheShownValue", kDecimal, {{"2", 2}, {"+", 2}, {"+", 4}, {"=", 8}}},
        {"EqualsWithoutASecondOperand", kDecimal, {{"5", 5}, {"+", 5}, {"=", 10}}},
        {"SubtractBelowZero", kDecimal, {{"6", 6}, {"-", 6}, {"9", 9}, {"=", -3}, {"=", -3}}},
        // Choosing none computes what was pending and leaves nothing pending, but still resets.
        {"NoneComputesThePendingOperation",
         kDecimal,
         {{"2", 2}, {"+", 2}, {"3", 3}, {"none", 5}, {"=", 5}, {"7", 7}}},
        // With nothing pending "=" does not even set the reset flag: the next digit appends.
        {"IdleEqualsKeepsTheEntry", kDecimal, {{"5", 5}, {"=", 5}, {"1", 51}}},
        // A result is replaced by the next digit.
        {"DigitAfterAResultStartsANewEntry",
         kDecimal,
         {{"5", 5}, {"+", 5}, {"3", 3}, {"=", 8}, {"4", 4}}},
    };
    for (const auto& script : scripts)
        expectValues(script);
}

struct BinaryCase {
    std::int64_t lhs;
    char operation;
    std::int64_t rhs;
    std::int64_t result;
};
constexpr BinaryCase kBinaryCases[] = {
    {8, '/', 0, 0},
    {8, '%', 0, 0},
    {kMin, '/', 0, 0},
    {0, '%', 0, 0},
    // Division truncates toward zero; a remainder has the sign of the left operand.
    {7, '/', 2, 3},
    {-7, '/', 2, -3},
    {7, '/', -2, -3},
    {-7, '/', -2, 3},
    {7, '%', -2, 1},
    {-7, '%', 2, -1},
    {-7, '%', -2, -1},
    {7, '%', 2, 1},
    // Add, subtract and multiply wrap modulo 2^64.
    {kMax, '+', 1, kMin},
    {kMin, '-', 1, kMax},
    {kMin, '+', kMin, 0},
    {0, '-', kMin, kMin},
    {4294967296, '*', 4294967296, 0},
    {kMax, '*', 2, -2},
    {kMin, '*', -1, kMin},
    {-1, '*', -1, 1},
    // The one quotient out of range wraps like the rest: INT64_MIN / -1 is INT64_MIN.
    {kMin, '/', -1, kMin},
    {kMin, '%', -1, 0},
    {kMax, '/', -1, -kMax},
    {kMin, '/', 1, kMin},
    {kMin, '/', kMin, 1},
    {kMin, '%', kMax, -1},
    {kMax, '%', kMin, kMax},
};

TEST(CalculatorArithmetic, ExecuteOperationComputesAndWraps) {
    for (const auto& c : kBinaryCases) {
        Calculator calculator;
        calculator.setValue(c.lhs);
        test::pressKey(calculator, std::string_view(&c.operation, 1), kDecimal);
        calculator.setValue(c.rhs);
        calculator.executeOperation();
        EXPECT_EQ(calculator.value(), c.result) << c.lhs << ' ' << c.operation << ' ' << c.rhs;
    }
}

// The undefined corners are reachable from the keypad, not only through setValue.
TEST(CalculatorArithmetic, MinimumReachedByEntryDividesByMinusOne) {
    expectValues({"DivideByMinusOne",
                  kDecimal,
                  {{"9223372036854775807", kMax},
                   {"+", kMax},
                   {"1", 1},
                   {"/", kMin},
                   {"1", 1},
                   {"+/-", -1},
                   {"=", kMin},
                   {"%", kMin},
                   {"1", 1},
                   {"+/-", -1},
                   {"=", 0}}});
}

struct ShiftCase {
    std::int64_t start;
    std::int64_t left, right;
};
constexpr ShiftCase kShiftCases[] = {
    {1, 2, 0},
    {5, 10, 2},
    {-1, -2, -1},
    {-3, -6, -2},
    {4611686018427387904, kMin, 2305843009213693952},
    {kMin, 0, -4611686018427387904},
    {kMax, -2, 4611686018427387903},
};

TEST(CalculatorArithmetic, ShiftsMoveOneBit) {
    for (const auto& c : kShiftCases) {
        Calculator calculator;
        calculator.setValue(c.start);
        calculator.shiftLeft();
        EXPECT_EQ(calculator.value(), c.left) << c.start << " << 1";
        calculator.setValue(c.start);
        calculator.shiftRight();
        EXPECT_EQ(calculator.value(), c.right) << c.start << " >> 1";
    }
}

TEST(CalculatorArithmetic, ShiftsLeaveOperationAndResetAlone) {
    const KeyScript scripts[] = {
        // The shift doubled the right operand of the pending add.
        {"ShiftedRightOperand", kDecimal, {{"7", 7}, {"+", 7}, {"3", 3}, {"<<", 6}, {"=", 13}}},
        // A shifted result is still replaced by the next digit.
        {"ShiftedResult", kDecimal, {{"5", 5}, {"+", 5}, {"3", 3}, {"=", 8}, {">>", 4}, {"1", 1}}},
    };
    for (const auto& script : scripts)
        expectValues(script);
}

}  // namespace
}  // namespace quorvin

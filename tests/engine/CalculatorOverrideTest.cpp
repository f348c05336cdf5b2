// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "quorvin/engine/Calculator.h"
#include "quorvin/engine/StandardCalculator.h"
#include "tests/engine/EngineLimits.h"

namespace quorvin {
namespace {

using test::kMax;
using test::kMin;
using test::kSystems;

// Shows every value in decimal whatever the base, so editing reads decimal text in other radixes.
class DecimalTextCalculator : public Calculator {
public:
    std::string convertToString(std::int64_t value, NumberSystem) const override {
        return formatValue(value, NumberSystem::decimal);
    }
};

TEST(CalculatorOverride, InputDigitReadsTheOverriddenText) {
    DecimalTextCalculator calculator;
    calculator.setValue(5);
    // "51" is not binary, although 5 followed by 1 in binary text ("1011") would be.
    EXPECT_FALSE(calculator.inputDigit("1", NumberSystem::binary));
    EXPECT_EQ(calculator.value(), 5);
    // "5" then "1" read in hexadecimal is 0x51.
    EXPECT_TRUE(calculator.inputDigit("1", NumberSystem::hexadecimal));
    EXPECT_EQ(calculator.value(), 0x51);
    EXPECT_TRUE(calculator.inputDigit("10", NumberSystem::hexadecimal));
    EXPECT_EQ(calculator.value(), 0x8110);  // 81 is 0x51 in decimal
}

TEST(CalculatorOverride, BackspaceReadsTheOverriddenText) {
    DecimalTextCalculator calculator;
    calculator.setValue(255);
    calculator.backspace(NumberSystem::hexadecimal);
    EXPECT_EQ(calculator.value(), 0x25);  // "255" shortened to "25", read in hexadecimal
}

class CountingCalculator : public Calculator {
public:
    int executions = 0;
    void executeOperation() override {
        ++executions;
        Calculator::executeOperation();
    }
};

TEST(CalculatorOverride, SetOperationRunsAPendingOperationThroughTheOverride) {
    CountingCalculator calculator;
    calculator.setValue(2);
    calculator.setOperation(Operation::add);
    EXPECT_EQ(calculator.executions, 0);  // nothing was pending
    calculator.setValue(3);
    calculator.setOperation(Operation::multiply);
    EXPECT_EQ(calculator.executions, 1);
    EXPECT_EQ(calculator.value(), 5);
}

// StandardCalculator's single-character step must give exactly what Calculator's text route
// gives: the same result and the same value, for every byte, in every base, from every kind of
// value, with and without a pending reset.
TEST(CalculatorOverride, FastPathAgreesWithTheTextRoute) {
    const std::int64_t values[] = {
        0,
        1,
        -1,
        2,
        -2,
        5,
        -5,
        15,
        -16,
        255,
        4294967296,
        -4294967296,
        922337203685477580,
        -922337203685477580,
        922337203685477581,
        -922337203685477581,
        0x7FFFFFFFFFFFFFF,
        0x800000000000000,
        0xFFFFFFFFFFFFFFF,
        0x1000000000000000,
        (std::int64_t{1} << 62) - 1,
        std::int64_t{1} << 62,
        -(std::int64_t{1} << 62),
        -(std::int64_t{1} << 62) - 1,
        kMax,
        kMax - 1,
        kMin,
        kMin + 1,
    };
    int mismatches = 0;
    for (const std::int64_t value : values) {
        for (const NumberSystem system : kSystems) {
            for (int byte = 0; byte < 256; ++byte) {
                for (const bool resetPending : {false, true}) {
                    StandardCalculator fast;
                    Calculator text;
                    for (Calculator* calculator : {static_cast<Calculator*>(&fast), &text}) {
                        calculator->setValue(value);
                        if (resetPending) calculator->setOperation(Operation::none);
                    }
                    const std::string digit(1, static_cast<char>(byte));
                    const bool fastAccepted = fast.inputDigit(digit, system);
                    const bool textAccepted = text.inputDigit(digit, system);
                    if (fastAccepted != textAccepted || fast.value() != text.value()) {
                        ADD_FAILURE() << value << " + byte " << byte << " in " << toString(system)
                                      << (resetPending ? " after reset" : "") << ": fast "
                                      << fastAccepted << "/" << fast.value() << ", text "
                                      << textAccepted << "/" << text.value();
                        if (++mismatches == 10) return;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace quorvin

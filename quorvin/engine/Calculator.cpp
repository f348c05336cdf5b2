// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/engine/Calculator.h"

namespace quorvin {

namespace {

// Signed overflow is never left to the compiler: these wrap in std::uint64_t and convert back.
std::int64_t wrap(std::uint64_t bits) {
    return static_cast<std::int64_t>(bits);
}
std::uint64_t bitsOf(std::int64_t value) {
    return static_cast<std::uint64_t>(value);
}

std::int64_t wrappingNegate(std::int64_t value) {
    return wrap(0 - bitsOf(value));
}

// INT64_MIN / -1 wraps to INT64_MIN, like every other overflow; a zero divisor gives 0.
std::int64_t wrappingQuotient(std::int64_t lhs, std::int64_t rhs) {
    if (rhs == 0) return 0;
    if (rhs == -1) return wrappingNegate(lhs);
    return lhs / rhs;
}

// Every remainder by -1 is 0; checking first keeps INT64_MIN % -1 from trapping.
std::int64_t wrappingRemainder(std::int64_t lhs, std::int64_t rhs) {
    if (rhs == 0 || rhs == -1) return 0;
    return lhs % rhs;
}

std::int64_t compute(Operation op, std::int64_t lhs, std::int64_t rhs) {
    switch (op) {
    case Operation::add: return wrap(bitsOf(lhs) + bitsOf(rhs));
    case Operation::subtract: return wrap(bitsOf(lhs) - bitsOf(rhs));
    case Operation::multiply: return wrap(bitsOf(lhs) * bitsOf(rhs));
    case Operation::divide: return wrappingQuotient(lhs, rhs);
    case Operation::modulo: return wrappingRemainder(lhs, rhs);
    case Operation::none: return rhs;
    }
    return rhs;
}

}  // namespace

std::int64_t Calculator::value() const {
    return currentValue;
}

void Calculator::setValue(std::int64_t value) {
    currentValue = value;
}

bool Calculator::inputDigit(std::string_view digit, NumberSystem system) {
    if (shouldResetDisplay) {
        currentValue = 0;
        shouldResetDisplay = false;
    }
    // An empty text is not a digit, even where appending it would leave a valid text.
    if (digit.empty()) return false;
    return appendToEntry(digit, system);
}

bool Calculator::appendToEntry(std::string_view digit, NumberSystem system) {
    std::string text = convertToString(currentValue, system);
    if (text == "0") text.clear();
    text += digit;
    const auto parsed = parseValue(text, rawValue(system));
    if (!parsed) return false;
    currentValue = *parsed;
    return true;
}

void Calculator::setOperation(Operation op) {
    if (currentOperation != Operation::none) executeOperation();
    storedValue = currentValue;
    currentOperation = op;
    shouldResetDisplay = true;
}

void Calculator::executeOperation() {
    if (currentOperation == Operation::none) return;
    currentValue = compute(currentOperation, storedValue, currentValue);
    currentOperation = Operation::none;
    shouldResetDisplay = true;
}

void Calculator::shiftLeft() {
    currentValue = wrap(bitsOf(currentValue) << 1);
}

// Arithmetic shift: the sign bit is copied, so the result is the floor of half the value.
void Calculator::shiftRight() {
    currentValue >>= 1;
}

void Calculator::clear() {
    currentValue = 0;
    storedValue = 0;
    currentOperation = Operation::none;
    shouldResetDisplay = false;
}

void Calculator::backspace(NumberSystem system) {
    const std::string text = convertToString(currentValue, system);
    if (text.size() <= 1) {
        currentValue = 0;
        return;
    }
    const std::string_view rest = std::string_view(text).substr(0, text.size() - 1);
    currentValue = parseValue(rest, rawValue(system)).value_or(0);
}

// Wraps modulo 2^64: INT64_MIN is its own negation.
void Calculator::toggleSign() {
    currentValue = wrappingNegate(currentValue);
}

std::string Calculator::convertToString(std::int64_t value, NumberSystem system) const {
    return formatValue(value, system);
}

}  // namespace quorvin

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "quorvin/engine/NumberSystem.h"
#include "quorvin/engine/Operation.h"
#include "tests/engine/EngineLimits.h"

namespace quorvin::test {

__extension__ typedef __int128 Int128;

// A second, deliberately plain engine that the differential test and the fuzzer hold the real one
// against. It shares only the two enumerations with the engine: arithmetic is done exactly in 128
// bits and then cut to the low 64 bits, and entry editing works literally on text, with a
// formatter by repeated division and a parser of its own. Nothing here is tuned for speed.
class ReferenceCalculator {
public:
    // Sign and magnitude in binary and decimal; the two's-complement pattern in hexadecimal.
    static std::string format(std::int64_t value, NumberSystem system) {
        int radix = 0;
        bool bitPattern = false;
        switch (system) {
        case NumberSystem::binary: radix = 2; break;
        case NumberSystem::decimal: radix = 10; break;
        case NumberSystem::hexadecimal:
            radix = 16;
            bitPattern = true;
            break;
        }
        const bool negative = value < 0 && !bitPattern;
        // Casting to std::uint64_t keeps the low 64 bits: the magnitude, or the bit pattern.
        std::uint64_t rest = static_cast<std::uint64_t>(negative ? -Int128{value} : Int128{value});
        std::string text;
        do {
            text += "0123456789ABCDEF"[rest % static_cast<std::uint64_t>(radix)];
            rest /= static_cast<std::uint64_t>(radix);
        } while (rest != 0);
        if (negative) text += '-';
        std::reverse(text.begin(), text.end());
        return text;
    }

    // One optional sign, then at least one digit of the radix in either case; the value must fit.
    static std::optional<std::int64_t> parse(std::string_view text, int radix) {
        bool negative = false;
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
            negative = text.front() == '-';
            text.remove_prefix(1);
        }
        if (text.empty()) return std::nullopt;
        const Int128 beyondEveryLimit = (Int128{1} << 63) + 1;
        Int128 magnitude = 0;
        for (const char character : text) {
            const int worth = digitValue(character);
            if (worth < 0 || worth >= radix) return std::nullopt;
            magnitude = magnitude * radix + worth;
            if (magnitude >= beyondEveryLimit) return std::nullopt;
        }
        const Int128 exact = negative ? -magnitude : magnitude;
        if (exact > Int128{kMax}) return std::nullopt;
        return static_cast<std::int64_t>(exact);
    }

    std::int64_t value() const { return currentValue; }
    void setValue(std::int64_t value) { currentValue = value; }

    bool inputDigit(std::string_view digit, NumberSystem system) {
        if (shouldResetDisplay) {
            currentValue = 0;
            shouldResetDisplay = false;
        }
        if (digit.empty()) return false;  // no digit at all
        const std::string text = format(currentValue, system);
        const std::string candidate = text == "0" ? std::string(digit) : text + std::string(digit);
        const auto parsed = parse(candidate, radixOf(system));
        if (parsed) currentValue = *parsed;
        return parsed.has_value();
    }

    void setOperation(Operation op) {
        if (currentOperation != Operation::none) executeOperation();
        storedValue = currentValue;
        currentOperation = op;
        shouldResetDisplay = true;
    }

    void executeOperation() {
        const Int128 lhs = storedValue;
        const Int128 rhs = currentValue;
        Int128 exact = 0;
        switch (currentOperation) {
        case Operation::none: return;
        case Operation::add: exact = lhs + rhs; break;
        case Operation::subtract: exact = lhs - rhs; break;
        case Operation::multiply: exact = lhs * rhs; break;
        case Operation::divide: exact = rhs == 0 ? 0 : lhs / rhs; break;
        case Operation::modulo: exact = rhs == 0 ? 0 : lhs % rhs; break;
        }
        currentValue = lowBits(exact);
        currentOperation = Operation::none;
        shouldResetDisplay = true;
    }

    void shiftLeft() { currentValue = lowBits(Int128{currentValue} * 2); }

    // The floor of half the value.
    void shiftRight() {
        const Int128 exact = currentValue;
        currentValue = lowBits(exact >= 0 ? exact / 2 : -((-exact + 1) / 2));
    }

    void clear() {
        currentValue = 0;
        storedValue = 0;
        currentOperation = Operation::none;
        shouldResetDisplay = false;
    }

    void backspace(NumberSystem system) {
        const std::string text = format(currentValue, system);
        currentValue = text.size() <= 1
                           ? 0
                           : parse(text.substr(0, text.size() - 1), radixOf(system)).value_or(0);
    }

    void toggleSign() { currentValue = lowBits(-Int128{currentValue}); }

private:
    static int radixOf(NumberSystem system) {
        switch (system) {
        case NumberSystem::binary: return 2;
        case NumberSystem::decimal: return 10;
        case NumberSystem::hexadecimal: return 16;
        }
        return 0;
    }

    static int digitValue(char character) {
        constexpr std::string_view kDigits = "0123456789abcdefghijklmnopqrstuvwxyz";
        const char lower = character >= 'A' && character <= 'Z'
                               ? static_cast<char>(character - 'A' + 'a')
                               : character;
        const auto at = kDigits.find(lower);
        return at == std::string_view::npos ? -1 : static_cast<int>(at);
    }

    // The low 64 bits of an exact result, read as a signed value.
    static std::int64_t lowBits(Int128 exact) {
        return static_cast<std::int64_t>(static_cast<std::uint64_t>(exact));
    }

    std::int64_t currentValue = 0;
    std::int64_t storedValue = 0;
    Operation currentOperation = Operation::none;
    bool shouldResetDisplay = false;
};

}  // namespace quorvin::test

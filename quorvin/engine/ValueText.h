// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "quorvin/engine/NumberSystem.h"

namespace quorvin {

// The text of a value in a base: binary and decimal as sign and magnitude ("-101", "-5"),
// hexadecimal as the upper-case digits of the 64-bit two's-complement pattern
// ("FFFFFFFFFFFFFFFB"). Never a prefix, grouping or leading zero; zero is "0".
std::string formatValue(std::int64_t value, NumberSystem system);

// Reads an optional leading "+" or "-" and at least one digit of the radix (0-9, then letters of
// either case worth 10 to 35). Leading zeros are allowed; the value must fit in a signed 64-bit
// integer, so a negative value's hexadecimal text does not parse back. Anything else, and a radix
// outside 2 to 36, gives no value.
std::optional<std::int64_t> parseValue(std::string_view text, int radix);

// The worth of one character as a digit (0-9, A-Z, a-z give 0 to 35), or -1 for any other byte.
constexpr int digitWorth(char character) {
    if (character >= '0' && character <= '9') return character - '0';
    if (character >= 'A' && character <= 'Z') return character - 'A' + 10;
    if (character >= 'a' && character <= 'z') return character - 'a' + 10;
    return -1;
}

// The one rule by which a value's text grows by a digit: a character that is a digit of the radix
// is appended to the magnitude while the magnitude stays within the range of its sign, at most
// INT64_MAX, or |INT64_MIN| after a "-". parseValue reads every text through it, and
// StandardCalculator appends a typed character to the shown value through it.
class DigitRule {
public:
    // `radix` is 2 to 36.
    constexpr DigitRule(int radix, bool negative)
        : base(static_cast<std::uint64_t>(radix)),
          cutoff((negative ? kMagnitudeOfMin : kMaxMagnitude) / base),
          cutoffDigit((negative ? kMagnitudeOfMin : kMaxMagnitude) % base) {}

    // Appends `character` to `magnitude`, or returns false and leaves it unchanged when the
    // character is no digit of the radix or the magnitude would leave the range.
    constexpr bool append(std::uint64_t& magnitude, char character) const {
        const int worth = digitWorth(character);
        if (worth < 0) return false;
        const auto digit = static_cast<std::uint64_t>(worth);
        if (digit >= base) return false;
        if (magnitude > cutoff || (magnitude == cutoff && digit > cutoffDigit)) return false;
        magnitude = magnitude * base + digit;
        return true;
    }

private:
    static constexpr std::uint64_t kMaxMagnitude = std::numeric_limits<std::int64_t>::max();
    static constexpr std::uint64_t kMagnitudeOfMin = kMaxMagnitude + 1;

    std::uint64_t base;
    std::uint64_t cutoff;       // the largest magnitude that may still take a digit
    std::uint64_t cutoffDigit;  // the largest digit that magnitude may then take
};

}  // namespace quorvin

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
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

}  // namespace quorvin

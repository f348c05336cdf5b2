// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/engine/StandardCalculator.h"

#include <cstdint>

namespace quorvin {

bool StandardCalculator::appendToEntry(std::string_view digit, NumberSystem system) {
    if (digit.size() != 1) return Calculator::appendToEntry(digit, system);

    const std::int64_t current = value();
    // A negative value's hexadecimal text is its 16-digit bit pattern, at or above 2^63: it cannot
    // grow.
    if (system == NumberSystem::hexadecimal && current < 0) return false;

    // Otherwise the text is an optional "-" and the digits of the magnitude. On 0 the digit takes
    // the place of the "0", which is what appending it to the magnitude 0 gives. The negation is
    // unsigned, so INT64_MIN has the magnitude 2^63.
    const bool negative = current < 0;
    const auto bits = static_cast<std::uint64_t>(current);
    std::uint64_t magnitude = negative ? 0 - bits : bits;
    if (!DigitRule(rawValue(system), negative).append(magnitude, digit.front())) return false;
    setValue(static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude));
    return true;
}

}  // namespace quorvin

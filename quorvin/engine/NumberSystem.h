// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string_view>

namespace quorvin {

// The base in which values are entered and shown. The raw value is the radix.
enum class NumberSystem : int { binary = 2, decimal = 10, hexadecimal = 16 };

// 2, 10 and 16 name a base; every other integer names none.
std::optional<NumberSystem> numberSystemFromRawValue(int rawValue);

constexpr int rawValue(NumberSystem system) {
    return static_cast<int>(system);
}

// "binary", "decimal" or "hexadecimal": the form the diagnostic lines show.
std::string_view toString(NumberSystem system);

}  // namespace quorvin

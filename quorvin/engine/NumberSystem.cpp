// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/engine/NumberSystem.h"

namespace quorvin {

std::optional<NumberSystem> numberSystemFromRawValue(int rawValue) {
    switch (rawValue) {
    case 2: return NumberSystem::binary;
    case 10: return NumberSystem::decimal;
    case 16: return NumberSystem::hexadecimal;
    default: return std::nullopt;
    }
}

std::string_view toString(NumberSystem system) {
    switch (system) {
    case NumberSystem::binary: return "binary";
    case NumberSystem::decimal: return "decimal";
    case NumberSystem::hexadecimal: return "hexadecimal";
    }
    return "unknown";  // only reachable through a cast from an out-of-range integer
}

}  // namespace quorvin

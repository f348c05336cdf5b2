// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/engine/ValueText.h"

#include <array>
#include <charconv>

namespace quorvin {

std::string formatValue(std::int64_t value, NumberSystem system) {
    std::array<char, 66> buffer;  // sign and 64 binary digits
    char* end = buffer.data();
    switch (system) {
    case NumberSystem::binary:
    case NumberSystem::decimal:
        // to_chars writes a signed value as sign and magnitude, INT64_MIN included.
        end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, rawValue(system))
                  .ptr;
        break;
    case NumberSystem::hexadecimal:
        end = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                            static_cast<std::uint64_t>(value), 16)
                  .ptr;
        for (char* c = buffer.data(); c != end; ++c) {
            if (*c >= 'a') *c = static_cast<char>(*c - 'a' + 'A');
        }
        break;
    }
    return std::string(buffer.data(), end);
}

std::optional<std::int64_t> parseValue(std::string_view text, int radix) {
    if (radix < 2 || radix > 36 || text.empty()) return std::nullopt;

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;

    const DigitRule rule(radix, negative);
    std::uint64_t magnitude = 0;
    for (char character : text) {
        if (!rule.append(magnitude, character)) return std::nullopt;
    }
    // Negation in unsigned arithmetic: 2^63 becomes INT64_MIN without overflow.
    return static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
}

}  // namespace quorvin

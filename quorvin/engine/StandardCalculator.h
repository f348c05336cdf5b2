// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

#include "quorvin/engine/Calculator.h"

namespace quorvin {

// The program's engine: a Calculator with the standard texts of formatValue. It is final, so no
// subclass can override convertToString, and the text of the value is known without building it.
// A single typed character is therefore appended to the value itself by the digit rule, with the
// result the text route gives. Paste types a clipboard one character at a time, so a text of
// megabytes costs one such step per character instead of formatting and parsing the whole entry.
// Longer digit texts take Calculator's text route.
class StandardCalculator final : public Calculator {
protected:
    bool appendToEntry(std::string_view digit, NumberSystem system) override;
};

}  // namespace quorvin

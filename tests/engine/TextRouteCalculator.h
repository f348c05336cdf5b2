// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "quorvin/engine/Calculator.h"

namespace quorvin::test {

// Overrides convertToString without changing what it returns. The engine then cannot know the
// value's text without asking, so every inputDigit takes the text route; comparing this class
// with a plain Calculator compares the single-character fast path with the text rule.
class TextRouteCalculator : public Calculator {
public:
    std::string convertToString(std::int64_t value, NumberSystem system) const override {
        return Calculator::convertToString(value, system);
    }
};

}  // namespace quorvin::test

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "quorvin/engine/NumberSystem.h"
#include "quorvin/engine/Operation.h"
#include "quorvin/engine/ValueText.h"

namespace quorvin {

// The calculation engine: the shown value, the left operand of a pending operation, the pending
// operation and the flag that makes the next digit start a new entry. Entry editing works on the
// canonical text of the value in the selected base, never on a separate buffer; operations chain
// strictly left to right, and all arithmetic wraps modulo 2^64.
//
// Example in decimal: 1, 2, add, 3, executeOperation leaves 15, with add computed on "=".
//
// The engine prints nothing and reports no errors: a rejected digit shows only in the result of
// inputDigit. Every public member is virtual; inputDigit and backspace read the text through
// convertToString, and setOperation runs a pending operation through executeOperation, so
// overriding either changes those operations too. The program's engine is StandardCalculator,
// which cannot be subclassed and so enters a typed character without building the text.
class Calculator {
public:
    Calculator() = default;
    virtual ~Calculator() = default;

    virtual std::int64_t value() const;
    virtual void setValue(std::int64_t value);

    // Appends `digit` (any text) to the value's text in `system` and keeps the result if it parses
    // as a signed 64-bit value. A pending reset restarts the entry at 0 first, even when the digit
    // is then rejected.
    virtual bool inputDigit(std::string_view digit, NumberSystem system);
    virtual void setOperation(Operation op);
    virtual void executeOperation();
    virtual void shiftLeft();
    virtual void shiftRight();
    virtual void clear();
    // Drops the last character of the value's text in `system`; a text that no longer parses
    // (a lone "-") gives 0.
    virtual void backspace(NumberSystem system);
    virtual void toggleSign();
    virtual std::string convertToString(std::int64_t value, NumberSystem system) const;

protected:
    // The entry step of inputDigit, after the reset (the text route): appends a non-empty `digit`
    // to the value's text read through convertToString ("0" is replaced), and keeps the result if
    // it parses.
    virtual bool appendToEntry(std::string_view digit, NumberSystem system);

private:
    std::int64_t currentValue = 0;
    std::int64_t storedValue = 0;
    Operation currentOperation = Operation::none;
    bool shouldResetDisplay = false;
};

}  // namespace quorvin

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Every button of the window, one row each: its title, its class (which decides colour and title
// size), what it does, its tag, and what assistive technology calls it. The factories wire and
// style a button from its row, the layout places the titles of its grids, and the operator keys'
// tags lead back to their operations through the same rows.
#include <array>
#include <optional>
#include <string_view>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/controller/Layout.h"
#include "quorvin/controller/Palette.h"
#include "quorvin/engine/Operation.h"
#include "quorvin/toolkit/Translatable.h"

namespace quorvin {

enum class KeyClass { digit, operation, shift, clear, auxiliary, base, clipboard };

struct KeyClassStyle {
    toolkit::Color background;
    double titleSize;  // points at scale 1
};

// The keypad's classes; the base row is styled by its own factories.
constexpr KeyClassStyle styleOf(KeyClass keyClass) {
    switch (keyClass) {
    case KeyClass::digit: return {palette::digitKey, 20};
    case KeyClass::operation: return {palette::operatorKey, 20};
    case KeyClass::shift: return {palette::shiftKey, 18};
    case KeyClass::clear: return {palette::clearKey, 18};
    case KeyClass::auxiliary:
    case KeyClass::base:
    case KeyClass::clipboard: break;
    }
    return {palette::auxiliaryKey, 18};
}

// The colour a button of the class shows at rest: a base button's when it is not selected.
constexpr toolkit::Color restingColour(KeyClass keyClass) {
    switch (keyClass) {
    case KeyClass::base: return palette::baseIdle;
    case KeyClass::clipboard: return palette::clipboardButton;
    case KeyClass::digit:
    case KeyClass::operation:
    case KeyClass::shift:
    case KeyClass::clear:
    case KeyClass::auxiliary: break;
    }
    return styleOf(keyClass).background;
}

struct KeyRow {
    using SenderCommand = void (AppDelegate::*)(toolkit::Button& sender);

    std::string_view title;
    KeyClass keyClass;
    SenderCommand senderAction;           // the action when it reads the button, else null
    AppDelegate::Command action;          // the action when it does not, else null
    int tag;                              // an operator's 1 to 5, a base's radix; 0 otherwise
    Operation operation;                  // what an operator key sets pending
    std::string_view accessibilityLabel;  // empty: the title
    std::string_view toolTip;             // empty: none
};

namespace keyrows {

using AD = AppDelegate;
using enum KeyClass;

constexpr KeyRow digitRow(std::string_view title) {
    return {title, digit, &AD::digitPressed, nullptr, 0, Operation::none, "", ""};
}

constexpr KeyRow operatorRow(std::string_view title, int tag, Operation operation,
                             std::string_view label) {
    return {title, KeyClass::operation, &AD::operationPressed, nullptr, tag, operation, label, ""};
}

constexpr KeyRow commandRow(std::string_view title, KeyClass keyClass, AppDelegate::Command action,
                            std::string_view label, std::string_view toolTip = "") {
    return {title, keyClass, nullptr, action, 0, Operation::none, label, toolTip};
}

constexpr KeyRow baseRow(std::string_view title, int radix, std::string_view label) {
    return {title, base, &AD::systemChanged, nullptr, radix, Operation::none, label, ""};
}

// The names and tooltips reach the desktop in the user's language; the titles drawn on the
// buttons stay as they are. Only the keys whose title alone does not say what they do carry a
// tooltip.
constexpr std::array kRows{
    digitRow("0"),
    digitRow("1"),
    digitRow("2"),
    digitRow("3"),
    digitRow("4"),
    digitRow("5"),
    digitRow("6"),
    digitRow("7"),
    digitRow("8"),
    digitRow("9"),
    digitRow("A"),
    digitRow("B"),
    digitRow("C"),
    digitRow("D"),
    digitRow("E"),
    digitRow("F"),
    operatorRow("+", 1, Operation::add, QUORVIN_TRANSLATABLE("Add")),
    operatorRow("−", 2, Operation::subtract, QUORVIN_TRANSLATABLE("Subtract")),
    operatorRow("×", 3, Operation::multiply, QUORVIN_TRANSLATABLE("Multiply")),
    operatorRow("÷", 4, Operation::divide, QUORVIN_TRANSLATABLE("Divide")),
    operatorRow("%", 5, Operation::modulo, QUORVIN_TRANSLATABLE("Modulo")),
    commandRow("=", KeyClass::operation, &AD::equals, QUORVIN_TRANSLATABLE("Equals")),
    commandRow("<<", shift, &AD::shiftLeft, QUORVIN_TRANSLATABLE("Shift left"),
               QUORVIN_TRANSLATABLE("Shift left by one bit")),
    commandRow(">>", shift, &AD::shiftRight, QUORVIN_TRANSLATABLE("Shift right"),
               QUORVIN_TRANSLATABLE("Shift right by one bit (keeps the sign)")),
    commandRow("CE", clear, &AD::clear, QUORVIN_TRANSLATABLE("Clear")),
    commandRow("⌫", clear, &AD::backspace, QUORVIN_TRANSLATABLE("Backspace")),
    commandRow("+/−", auxiliary, &AD::toggleSign, QUORVIN_TRANSLATABLE("Toggle sign"),
               QUORVIN_TRANSLATABLE("Toggle the sign")),
    // The parentheses enter their title like a digit, which the engine rejects.
    KeyRow{"(", auxiliary, &AD::digitPressed, nullptr, 0, Operation::none,
           QUORVIN_TRANSLATABLE("Left parenthesis"), ""},
    KeyRow{")", auxiliary, &AD::digitPressed, nullptr, 0, Operation::none,
           QUORVIN_TRANSLATABLE("Right parenthesis"), ""},
    commandRow("📄", clipboard, &AD::copyValue, QUORVIN_TRANSLATABLE("Copy"),
               QUORVIN_TRANSLATABLE("Copy the shown value")),
    commandRow("📋", clipboard, &AD::pasteValue, QUORVIN_TRANSLATABLE("Paste"),
               QUORVIN_TRANSLATABLE("Paste: type the clipboard's text in the current base")),
    baseRow("HEX", 16, QUORVIN_TRANSLATABLE("Hexadecimal")),
    baseRow("DEC", 10, QUORVIN_TRANSLATABLE("Decimal")),
    baseRow("BIN", 2, QUORVIN_TRANSLATABLE("Binary")),
};

// A title with no row is a key that enters its title as a digit, styled as a digit when the
// title is a run of consecutive digits ("CE" is no such run) and as an auxiliary key otherwise.
constexpr std::string_view kDigitRun = "0123456789ABCDEF";

}  // namespace keyrows

constexpr const KeyRow* findKeyRow(std::string_view title) {
    for (const auto& row : keyrows::kRows) {
        if (row.title == title) return &row;
    }
    return nullptr;
}

// The row of `title`, or for a title without one, the row it is made with.
constexpr KeyRow keyRowFor(std::string_view title) {
    if (const KeyRow* row = findKeyRow(title)) return *row;
    KeyRow made = keyrows::digitRow(title);
    if (title.empty() || keyrows::kDigitRun.find(title) == std::string_view::npos) {
        made.keyClass = KeyClass::auxiliary;
    }
    return made;
}

// The operation an operator key's tag stands for: 0 is no operation; a tag no operator key
// carries stands for nothing.
constexpr std::optional<Operation> operationForTag(int tag) {
    if (tag == 0) return Operation::none;
    for (const auto& row : keyrows::kRows) {
        if (row.keyClass == KeyClass::operation && row.senderAction && row.tag == tag) {
            return row.operation;
        }
    }
    return std::nullopt;
}

constexpr bool everyGridTitleHasARow() {
    for (const auto& row : kKeypadTitles) {
        for (const auto title : row) {
            if (!findKeyRow(title)) return false;
        }
    }
    for (const auto title : kBaseRowTitles) {
        if (!findKeyRow(title)) return false;
    }
    return true;
}
static_assert(everyGridTitleHasARow());

}  // namespace quorvin

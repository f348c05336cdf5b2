// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Keypad commands: each logs one diagnostic line, makes one call that changes the engine and
// refreshes the display once. The steps they share with the keyboard (enterDigit to
// removeLastDigit) log nothing: the keyboard has logged its own line.
#include <string>
#include <string_view>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/controller/KeyRows.h"
#include "quorvin/platform/DebugLog.h"

namespace quorvin {

void AppDelegate::enterDigit(std::string_view digit) {
    calculator.inputDigit(digit, currentSystem);
    updateDisplay();
}

void AppDelegate::applyOperation(Operation operation) {
    calculator.setOperation(operation);
    updateDisplay();
}

void AppDelegate::evaluate() {
    calculator.executeOperation();
    updateDisplay();
}

void AppDelegate::clearAll() {
    calculator.clear();
    updateDisplay();
}

void AppDelegate::removeLastDigit() {
    calculator.backspace(currentSystem);
    updateDisplay();
}

void AppDelegate::digitPressed(toolkit::Button& sender) {
    const std::string digit = sender.title();
    toolkit::debugLog("Digit pressed: " + digit);
    enterDigit(digit);
}

// No button carries a tag that no operator key carries; such a sender is ignored rather than
// guessed at.
void AppDelegate::operationPressed(toolkit::Button& sender) {
    const auto operation = operationForTag(sender.tag());
    if (!operation) return;
    // The line names the operation the engine now has pending.
    calculator.setOperation(*operation);
    toolkit::debugLog("Operation: " + std::string(toString(*operation)));
    updateDisplay();
}

void AppDelegate::equals() {
    toolkit::debugLog("Equals pressed");
    evaluate();
}

void AppDelegate::clear() {
    toolkit::debugLog("Clear");
    clearAll();
}

void AppDelegate::backspace() {
    toolkit::debugLog("Backspace");
    removeLastDigit();
}

void AppDelegate::toggleSign() {
    toolkit::debugLog("Toggle sign");
    calculator.toggleSign();
    updateDisplay();
}

void AppDelegate::shiftLeft() {
    toolkit::debugLog("Shift left");
    calculator.shiftLeft();
    updateDisplay();
}

void AppDelegate::shiftRight() {
    toolkit::debugLog("Shift right");
    calculator.shiftRight();
    updateDisplay();
}

}  // namespace quorvin

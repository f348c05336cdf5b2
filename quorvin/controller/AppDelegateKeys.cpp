// Keyboard input: every key-down event of the application arrives here, and nowhere else.
#include <string>
#include <string_view>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/toolkit/DebugLog.h"
#include "quorvin/toolkit/Text.h"

namespace quorvin {

namespace {

bool isDecimalDigit(std::string_view key) {
    return key.size() == 1 && key.front() >= '0' && key.front() <= '9';
}

}  // namespace

// The key string (upper-cased as a whole) is matched against the rows below in order; the first
// match decides. Letters A to F are digits only in hexadecimal, where "C" enters C instead of
// clearing; Command-H, -D and -B switch the base in every base.
void AppDelegate::keyDown(const toolkit::KeyEvent& event) {
    if (!event.characters) return;
    const std::string& characters = *event.characters;
    toolkit::debugLog("Key pressed: " + characters);

    const std::string key = toolkit::uppercased(characters);
    const bool hex = currentSystem == NumberSystem::hexadecimal;
    const bool command = event.has(toolkit::KeyEvent::command);
    const auto enter = [this](std::string_view digit) {
        calculator.inputDigit(digit, currentSystem);
        updateDisplay();
    };
    const auto operate = [this](Operation operation) {
        calculator.setOperation(operation);
        updateDisplay();
    };
    const auto evaluate = [this] {
        calculator.executeOperation();
        updateDisplay();
    };
    const auto clearAll = [this] {
        calculator.clear();
        updateDisplay();
    };
    const auto selectBase = [this](const std::shared_ptr<toolkit::Button>& button) {
        if (button) systemChanged(*button);
    };

    if (isDecimalDigit(key)) {
        enter(characters);
    } else if (key == "E" || key == "F") {
        if (hex) enter(key);
    } else if (key == "A") {
        if (hex) enter("A");
    } else if (key == "+") {
        operate(Operation::add);
    } else if (key == "-") {
        operate(Operation::subtract);
    } else if (key == "*" || key == "×") {
        operate(Operation::multiply);
    } else if (key == "/" || key == "÷") {
        operate(Operation::divide);
    } else if (key == "%") {
        operate(Operation::modulo);
    } else if (key == "\r" || key == "\n" || key == "=") {
        evaluate();
    } else if (key == "C") {
        if (hex) {
            enter("C");
        } else {
            clearAll();
        }
    } else if (key == "\x7F") {
        calculator.backspace(currentSystem);
        updateDisplay();
    } else if (key == "\x1B") {
        clearAll();
    } else if (key == "H") {
        if (command) selectBase(hexButton);
    } else if (key == "D") {
        if (command) {
            selectBase(decButton);
        } else if (hex) {
            enter("D");
        }
    } else if (key == "B") {
        if (command) {
            selectBase(binButton);
        } else if (hex) {
            enter("B");
        }
    }
}

}  // namespace quorvin

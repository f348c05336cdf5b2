// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Keyboard input: every key-down event of the application arrives here, and nowhere else.
#include <string>
#include <string_view>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/platform/DebugLog.h"
#include "quorvin/text/Text.h"

namespace quorvin {

namespace {

enum class When { always, hex, notHex, command, notCommand };

enum class KeyEffect {
    enterTyped,  // the characters as typed
    enterKey,    // the upper-cased key string
    add,
    subtract,
    multiply,
    divide,
    modulo,
    evaluate,
    clear,
    backspace,
    showHexadecimal,
    showDecimal,
    showBinary,
    nothing,
};

struct KeyBinding {
    std::string_view key;  // upper-cased
    When when;
    KeyEffect effect;
};

// Walked in order; the first binding whose key and condition match decides. Letters A to F are
// digits only in hexadecimal, where "C" enters C instead of clearing; Command-H, -D and -B switch
// the base in every base.
constexpr KeyBinding kKeyTable[] = {
    {"0", When::always, KeyEffect::enterTyped},
    {"1", When::always, KeyEffect::enterTyped},
    {"2", When::always, KeyEffect::enterTyped},
    {"3", When::always, KeyEffect::enterTyped},
    {"4", When::always, KeyEffect::enterTyped},
    {"5", When::always, KeyEffect::enterTyped},
    {"6", When::always, KeyEffect::enterTyped},
    {"7", When::always, KeyEffect::enterTyped},
    {"8", When::always, KeyEffect::enterTyped},
    {"9", When::always, KeyEffect::enterTyped},
    {"E", When::hex, KeyEffect::enterKey},
    {"F", When::hex, KeyEffect::enterKey},
    {"E", When::notHex, KeyEffect::nothing},
    {"F", When::notHex, KeyEffect::nothing},
    {"A", When::hex, KeyEffect::enterKey},
    {"A", When::notHex, KeyEffect::nothing},
    {"+", When::always, KeyEffect::add},
    {"-", When::always, KeyEffect::subtract},
    {"*", When::always, KeyEffect::multiply},
    {"×", When::always, KeyEffect::multiply},
    {"/", When::always, KeyEffect::divide},
    {"÷", When::always, KeyEffect::divide},
    {"%", When::always, KeyEffect::modulo},
    {"\r", When::always, KeyEffect::evaluate},
    {"\n", When::always, KeyEffect::evaluate},
    {"=", When::always, KeyEffect::evaluate},
    {"C", When::hex, KeyEffect::enterKey},
    {"C", When::notHex, KeyEffect::clear},
    {"\x7F", When::always, KeyEffect::backspace},
    {"\x1B", When::always, KeyEffect::clear},
    {"H", When::command, KeyEffect::showHexadecimal},
    {"H", When::notCommand, KeyEffect::nothing},
    {"D", When::command, KeyEffect::showDecimal},
    {"D", When::hex, KeyEffect::enterKey},
    {"D", When::always, KeyEffect::nothing},
    {"B", When::command, KeyEffect::showBinary},
    {"B", When::hex, KeyEffect::enterKey},
    {"B", When::always, KeyEffect::nothing},
};

bool holds(When when, bool hex, bool command) {
    switch (when) {
    case When::always: return true;
    case When::hex: return hex;
    case When::notHex: return !hex;
    case When::command: return command;
    case When::notCommand: return !command;
    }
    return false;
}

}  // namespace

void AppDelegate::keyDown(const toolkit::KeyEvent& event) {
    if (!event.characters) return;
    const std::string& characters = *event.characters;
    toolkit::debugLog("Key pressed: " + characters);

    const std::string key = toolkit::uppercased(characters);
    const bool hex = currentSystem == NumberSystem::hexadecimal;
    const bool command = event.has(toolkit::KeyEvent::command);
    for (const KeyBinding& binding : kKeyTable) {
        if (binding.key != key || !holds(binding.when, hex, command)) continue;
        const auto selectBase = [this](const std::shared_ptr<toolkit::Button>& button) {
            if (button) systemChanged(*button);
        };
        switch (binding.effect) {
        case KeyEffect::enterTyped: enterDigit(characters); break;
        case KeyEffect::enterKey: enterDigit(key); break;
        case KeyEffect::add: applyOperation(Operation::add); break;
        case KeyEffect::subtract: applyOperation(Operation::subtract); break;
        case KeyEffect::multiply: applyOperation(Operation::multiply); break;
        case KeyEffect::divide: applyOperation(Operation::divide); break;
        case KeyEffect::modulo: applyOperation(Operation::modulo); break;
        case KeyEffect::evaluate: evaluate(); break;
        case KeyEffect::clear: clearAll(); break;
        case KeyEffect::backspace: removeLastDigit(); break;
        case KeyEffect::showHexadecimal: selectBase(hexButton); break;
        case KeyEffect::showDecimal: selectBase(decButton); break;
        case KeyEffect::showBinary: selectBase(binButton); break;
        case KeyEffect::nothing: break;
        }
        return;
    }
}

}  // namespace quorvin

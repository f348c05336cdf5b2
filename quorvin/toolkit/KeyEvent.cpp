// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/KeyEvent.h"

#include <QKeyEvent>

#include <algorithm>
#include <array>
#include <utility>

#include "quorvin/toolkit/InputRouter.h"
#include "quorvin/toolkit/QtConversions.h"

namespace quorvin::toolkit {

namespace {

// Keys whose character is fixed, whatever text the keyboard layout gives them: the control
// characters of editing keys and the function-key characters U+F700 onward.
struct FixedCharacter {
    int key;
    char32_t character;
};

constexpr std::array kFixedCharacters{
    FixedCharacter{Qt::Key_Backspace, 0x7F}, FixedCharacter{Qt::Key_Return, 0x0D},
    FixedCharacter{Qt::Key_Enter, 0x03},     FixedCharacter{Qt::Key_Escape, 0x1B},
    FixedCharacter{Qt::Key_Tab, 0x09},       FixedCharacter{Qt::Key_Backtab, 0x19},
    FixedCharacter{Qt::Key_Up, 0xF700},      FixedCharacter{Qt::Key_Down, 0xF701},
    FixedCharacter{Qt::Key_Left, 0xF702},    FixedCharacter{Qt::Key_Right, 0xF703},
    FixedCharacter{Qt::Key_Insert, 0xF727},  FixedCharacter{Qt::Key_Delete, 0xF728},
    FixedCharacter{Qt::Key_Home, 0xF729},    FixedCharacter{Qt::Key_End, 0xF72B},
    FixedCharacter{Qt::Key_PageUp, 0xF72C},  FixedCharacter{Qt::Key_PageDown, 0xF72D},
    FixedCharacter{Qt::Key_Print, 0xF72E},   FixedCharacter{Qt::Key_ScrollLock, 0xF72F},
    FixedCharacter{Qt::Key_Pause, 0xF730},   FixedCharacter{Qt::Key_SysReq, 0xF731},
    FixedCharacter{Qt::Key_Stop, 0xF734},    FixedCharacter{Qt::Key_Menu, 0xF735},
    FixedCharacter{Qt::Key_Clear, 0xF739},   FixedCharacter{Qt::Key_Select, 0xF741},
    FixedCharacter{Qt::Key_Execute, 0xF742}, FixedCharacter{Qt::Key_Undo, 0xF743},
    FixedCharacter{Qt::Key_Redo, 0xF744},    FixedCharacter{Qt::Key_Find, 0xF745},
    FixedCharacter{Qt::Key_Help, 0xF746},    FixedCharacter{Qt::Key_Mode_switch, 0xF747},
};

// F1 is U+F704, and so on up to F35.
constexpr char32_t kF1Character = 0xF704;

constexpr std::array kModifierKeys{
    Qt::Key_Shift,   Qt::Key_Control,  Qt::Key_Meta,    Qt::Key_Alt,
    Qt::Key_AltGr,   Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_Super_L,
    Qt::Key_Super_R, Qt::Key_Hyper_L,  Qt::Key_Hyper_R,
};

std::optional<char32_t> fixedCharacter(int key) {
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        return kF1Character + static_cast<char32_t>(key - Qt::Key_F1);
    }
    for (const auto& entry : kFixedCharacters) {
        if (entry.key == key) return entry.character;
    }
    return std::nullopt;
}

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

std::string utf8(char32_t character) {
    return utf8(QString::fromUcs4(&character, 1));
}

std::uint64_t modifierFlags(Qt::KeyboardModifiers modifiers) {
    std::uint64_t flags = 0;
    if (modifiers & Qt::ShiftModifier) flags |= KeyEvent::shift;
    if (modifiers & Qt::MetaModifier) flags |= KeyEvent::control;
    if (modifiers & Qt::AltModifier) flags |= KeyEvent::option;
    // Ctrl plays the role of the Command key.
    if (modifiers & Qt::ControlModifier) flags |= KeyEvent::command;
    if (modifiers & Qt::KeypadModifier) flags |= KeyEvent::numericPad;
    return flags;
}

}  // namespace

std::optional<KeyEvent> toKeyEvent(const QKeyEvent& event) {
    const int key = event.key();
    if (std::find(kModifierKeys.begin(), kModifierKeys.end(), key) != kModifierKeys.end()) {
        return std::nullopt;
    }
    KeyEvent result;
    result.modifierFlags = modifierFlags(event.modifiers());
    if (const auto fixed = fixedCharacter(key)) {
        result.characters = utf8(*fixed);
    } else if (result.has(KeyEvent::command) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        // With Ctrl held Qt gives a control character; the key's own letter is wanted.
        const char letter =
            static_cast<char>(key - Qt::Key_A + (result.has(KeyEvent::shift) ? 'A' : 'a'));
        result.characters = std::string(1, letter);
    } else if (result.has(KeyEvent::command) && key > 0 && key < 0x110000 &&
               !(key >= 0xD800 && key <= 0xDFFF)) {
        result.characters = utf8(static_cast<char32_t>(key));
    } else {
        result.characters = utf8(event.text());
    }
    return result;
}

void addLocalMonitorForEvents(EventMask mask, KeyEventMonitor monitor) {
    if (mask != EventMask::keyDown || !monitor) return;
    InputRouter::shared().addKeyMonitor(std::move(monitor));
}

}  // namespace quorvin::toolkit

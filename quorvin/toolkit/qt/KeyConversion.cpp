// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/qt/KeyConversion.h"

#include <QKeyEvent>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <utility>

#include <xkbcommon/xkbcommon-compose.h>

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

// Dead keys and the compose key, as the keyboard itself would combine them: the keys of a
// sequence give no characters until the one that completes it, which gives the composed ones
// (dead_acute, e gives "" and "é"; Multi_key, x, x gives "", "" and "×"). The sequences are the
// locale's compose table, the one every X11 program reads; keys that start no sequence are left
// alone, and so is a key that breaks one off. Keys reach no input method (they are all the
// calculator's), so they compose the same way whichever is configured.
class KeyComposer {
public:
    static KeyComposer& shared() {
        static KeyComposer composer;
        return composer;
    }

    // The characters of the key with this keysym, when it takes part in a sequence.
    std::optional<std::string> feed(xkb_keysym_t keysym) {
        if (!state || keysym == XKB_KEY_NoSymbol) return std::nullopt;
        if (xkb_compose_state_feed(state.get(), keysym) == XKB_COMPOSE_FEED_IGNORED)
            return std::nullopt;
        switch (xkb_compose_state_get_status(state.get())) {
        case XKB_COMPOSE_COMPOSING: return std::string();
        case XKB_COMPOSE_COMPOSED: {
            std::array<char, 64> buffer{};
            xkb_compose_state_get_utf8(state.get(), buffer.data(), buffer.size());
            xkb_compose_state_reset(state.get());
            return std::string(buffer.data());
        }
        case XKB_COMPOSE_CANCELLED: xkb_compose_state_reset(state.get()); return std::nullopt;
        case XKB_COMPOSE_NOTHING: return std::nullopt;
        }
        return std::nullopt;
    }

private:
    KeyComposer() {
        context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
        if (!context) return;
        xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
        // The locale's name as the C library reads it; an unknown one gets the default table.
        const char* locale = nullptr;
        for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            locale = std::getenv(name);
            if (locale && *locale) break;
        }
        for (const char* candidate : {locale && *locale ? locale : "C", "C"}) {
            table.reset(xkb_compose_table_new_from_locale(context.get(), candidate,
                                                          XKB_COMPOSE_COMPILE_NO_FLAGS));
            if (table) break;
        }
        if (table) state.reset(xkb_compose_state_new(table.get(), XKB_COMPOSE_STATE_NO_FLAGS));
    }

    std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context{nullptr, xkb_context_unref};
    std::unique_ptr<xkb_compose_table, decltype(&xkb_compose_table_unref)> table{
        nullptr, xkb_compose_table_unref};
    std::unique_ptr<xkb_compose_state, decltype(&xkb_compose_state_unref)> state{
        nullptr, xkb_compose_state_unref};
};

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
    // On X11 the native virtual key is the keysym; keys made up by a program carry none.
    if (auto composed = KeyComposer::shared().feed(event.nativeVirtualKey()))
        result.characters = std::move(composed);
    return result;
}

}  // namespace quorvin::toolkit

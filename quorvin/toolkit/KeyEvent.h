// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quorvin::toolkit {

// A key-down event as the key monitor sees it.
//
// `characters` are the characters the key produced with its modifiers applied ("*" for Shift+8,
// "a" for a plain A key). Keys without text get the traditional function-key characters: U+007F
// for Backspace, U+000D for Return, U+0003 for the keypad's Enter, U+001B for Escape, U+F728 for
// Delete, U+F700 to U+F703 for the arrows, U+F704 onward for F1, F2 and so on. With the Command
// modifier (Ctrl on Linux) held, a printable key gives its own character, never a control
// character: Ctrl+H gives "h", Ctrl+Shift+H gives "H".
struct KeyEvent {
    enum ModifierFlag : std::uint64_t {
        shift = std::uint64_t{1} << 17,
        control = std::uint64_t{1} << 18,
        option = std::uint64_t{1} << 19,
        command = std::uint64_t{1} << 20,
        numericPad = std::uint64_t{1} << 21,
    };

    std::optional<std::string> characters;
    std::uint64_t modifierFlags = 0;

    bool has(ModifierFlag flag) const { return (modifierFlags & flag) != 0; }
};

// The event types a local monitor can watch; only key-down events are delivered.
enum class EventMask : std::uint64_t { keyDown = std::uint64_t{1} << 10 };

// Sees an event before any window or control does. Returning the event lets its dispatch go on;
// returning no event ends it there.
using KeyEventMonitor = std::function<std::optional<KeyEvent>(const KeyEvent& event)>;

// Registers a monitor for the whole application, for as long as it runs. Every key press
// (repeats included) reaches the monitors in the order they were added; presses of a modifier
// key alone are not key-down events. Keyboard shortcuts never fire while a monitor swallows keys.
void addLocalMonitorForEvents(EventMask mask, KeyEventMonitor monitor);

}  // namespace quorvin::toolkit

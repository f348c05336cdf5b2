// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QShortcut>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <string>
#include <vector>

#include "quorvin/toolkit/KeyEvent.h"
#include "quorvin/toolkit/qt/InputRouter.h"
#include "quorvin/toolkit/qt/KeyConversion.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "quorvin/toolkit/qt/Windows.h"
#include "tests/support/TestDriver.h"

namespace quorvin::toolkit {
namespace {

using testing::makeShownWindow;

// A Qt key press as the xcb platform delivers it, and the key-down event it stands for.
struct KeyCase {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    std::optional<std::string> characters;
    std::uint64_t flags;
};

const KeyCase kKeyCases[] = {
    {Qt::Key_7, Qt::NoModifier, "7", "7", 0},
    {Qt::Key_A, Qt::NoModifier, "a", "a", 0},
    {Qt::Key_A, Qt::ShiftModifier, "A", "A", KeyEvent::shift},
    {Qt::Key_Asterisk, Qt::ShiftModifier, "*", "*", KeyEvent::shift},
    {Qt::Key_multiply, Qt::NoModifier, "×", "×", 0},
    {Qt::Key_division, Qt::NoModifier, "÷", "÷", 0},
    // Editing keys get their traditional characters, whatever text Qt gives them.
    {Qt::Key_Backspace, Qt::NoModifier, "\b", "\x7F", 0},
    {Qt::Key_Return, Qt::NoModifier, "\r", "\r", 0},
    {Qt::Key_Enter, Qt::KeypadModifier, "\r", "\x03", KeyEvent::numericPad},
    {Qt::Key_Escape, Qt::NoModifier, "\x1B", "\x1B", 0},
    {Qt::Key_Tab, Qt::NoModifier, "\t", "\t", 0},
    {Qt::Key_Delete, Qt::NoModifier, "\x7F", "\xEF\x9C\xA8", 0},  // U+F728
    {Qt::Key_Up, Qt::NoModifier, "", "\xEF\x9C\x80", 0},          // U+F700
    {Qt::Key_Right, Qt::NoModifier, "", "\xEF\x9C\x83", 0},       // U+F703
    {Qt::Key_F1, Qt::NoModifier, "", "\xEF\x9C\x84", 0},          // U+F704
    {Qt::Key_F12, Qt::NoModifier, "", "\xEF\x9C\x8F", 0},         // U+F70F
    // Ctrl is the Command key: the key's own character, never a control character.
    {Qt::Key_H, Qt::ControlModifier, "\b", "h", KeyEvent::command},
    {Qt::Key_C, Qt::ControlModifier, "\x03", "c", KeyEvent::command},
    {Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier, "\x04", "D",
     KeyEvent::command | KeyEvent::shift},
    {Qt::Key_1, Qt::ControlModifier, "1", "1", KeyEvent::command},
    {Qt::Key_Return, Qt::ControlModifier, "\r", "\r", KeyEvent::command},
    {Qt::Key_A, Qt::AltModifier, "a", "a", KeyEvent::option},
    // A key without text that the table does not name: an empty string, still a key-down.
    {Qt::Key_VolumeUp, Qt::NoModifier, "", "", 0},
};

TEST(KeyEvents, MapQtKeysToTheirCharacters) {
    for (const auto& c : kKeyCases) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, QString::fromUtf8(c.text));
        const auto mapped = toKeyEvent(event);
        ASSERT_TRUE(mapped) << std::hex << c.key;
        EXPECT_EQ(mapped->characters, c.characters) << std::hex << c.key;
        EXPECT_EQ(mapped->modifierFlags, c.flags) << std::hex << c.key;
    }
}

// Keys one after another with the keysyms X11 gives them: a dead key or the compose key and the
// keys inside a sequence give no characters, the key that completes it gives the composed ones.
struct ComposeStep {
    int key;
    quint32 keysym;
    const char* text;
    const char* characters;
};

const ComposeStep kComposeSteps[] = {
    {Qt::Key_6, 0x36, "6", "6"},
    {Qt::Key_Multi_key, 0xFF20, "", ""},
    {Qt::Key_X, 0x78, "x", ""},
    {Qt::Key_X, 0x78, "x", "×"},
    {Qt::Key_7, 0x37, "7", "7"},
    {Qt::Key_Dead_Acute, 0xFE51, "", ""},
    {Qt::Key_E, 0x65, "e", "é"},
    // A key that continues no sequence breaks it off and gives its own characters.
    {Qt::Key_Dead_Acute, 0xFE51, "", ""},
    {Qt::Key_Backspace, 0xFF08, "\b", "\x7F"},
    {Qt::Key_E, 0x65, "e", "e"},
};

TEST(KeyEvents, DeadAndComposeKeysGiveTheComposedCharacterOnTheLastKey) {
    for (const auto& step : kComposeSteps) {
        const QKeyEvent event(QEvent::KeyPress, step.key, Qt::NoModifier, 0, step.keysym, 0,
                              QString::fromUtf8(step.text));
        const auto mapped = toKeyEvent(event);
        ASSERT_TRUE(mapped) << std::hex << step.keysym;
        EXPECT_EQ(mapped->characters, step.characters) << std::hex << step.keysym;
    }
}

TEST(KeyEvents, ModifierKeysAloneAreNoKeyDownEvents) {
    for (const int key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta, Qt::Key_AltGr,
                          Qt::Key_CapsLock, Qt::Key_Super_L}) {
        const QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString());
        EXPECT_FALSE(toKeyEvent(event)) << std::hex << key;
    }
}

TEST(KeyMonitor, SeesEveryPressOnceAndSwallowsItAndItsShortcuts) {
    const auto window = makeShownWindow(Size{200, 100});
    std::vector<std::string> seen;
    addLocalMonitorForEvents(EventMask::keyDown, [&seen](const KeyEvent& event) {
        seen.push_back(event.characters.value_or("<none>"));
        return std::optional<KeyEvent>{};
    });
    int shortcutsFired = 0;
    auto* shortcut = new QShortcut(QKeySequence("Ctrl+C"), widgetOf(*window));
    QObject::connect(shortcut, &QShortcut::activated, [&shortcutsFired] { ++shortcutsFired; });

    QWindow* handle = widgetOf(*window)->windowHandle();
    QTest::keyClick(handle, Qt::Key_5);
    QTest::keyClick(handle, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(handle, Qt::Key_Backspace);
    InputRouter::shared().reset();

    EXPECT_EQ(seen, (std::vector<std::string>{"5", "c", "\x7F"}));
    EXPECT_EQ(shortcutsFired, 0);
}

}  // namespace
}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "quorvin/engine/StandardCalculator.h"
#include "quorvin/toolkit/Application.h"
#include "quorvin/toolkit/Button.h"
#include "quorvin/toolkit/KeyEvent.h"
#include "quorvin/toolkit/TextField.h"
#include "quorvin/toolkit/Window.h"

namespace quorvin {

class CalcButton;

// The application controller. It owns the one Calculator (never replaced), the main window and
// references to the controls that refreshes write into; the window's view tree owns every
// control. A keypad key's command logs one "DEBUG: " line, makes one call that changes the engine
// and refreshes the display once (an operator key whose tag names no operation does nothing). A
// typed key logs one line and then makes the same call as its keypad key, switches the base
// (which logs a second line) or does nothing. A paste logs one line, clears the engine and enters
// each of its N characters (N + 1 calls), then refreshes once; a base switch and a copy change
// nothing in the engine.
// Every resize rebuilds the whole interface at scale = content width / 400.
//
// Example, in decimal from 0: clicking 1, 2, +, 3, = shows 1, 12, 12, 3 and 15; the add is
// computed when = is clicked.
//
// Made with std::make_shared: callbacks on longer-lived objects hold it weakly.
class AppDelegate : public toolkit::ApplicationDelegate,
                    public std::enable_shared_from_this<AppDelegate> {
public:
    using Command = void (AppDelegate::*)();

    std::unique_ptr<toolkit::Window> window;
    StandardCalculator calculator;
    NumberSystem currentSystem = NumberSystem::decimal;
    std::shared_ptr<toolkit::TextField> displayLabel;
    std::shared_ptr<toolkit::TextField> hexLabel;
    std::shared_ptr<toolkit::TextField> decLabel;
    std::shared_ptr<toolkit::TextField> binLabel;
    std::shared_ptr<toolkit::Button> hexButton;
    std::shared_ptr<toolkit::Button> decButton;
    std::shared_ptr<toolkit::Button> binButton;
    double scale = 1.0;
    // A refresh has asked for the next entry to be prepared once its frame is drawn.
    bool nextEntryQueued = false;

    // Launch and main window.
    void applicationDidFinishLaunching() override;
    bool applicationShouldTerminateAfterLastWindowClosed() override;

    // Display refresh and base selection.
    void updateDisplay();
    void prepareNextEntryAfterFrame();
    void prepareNextEntry();
    void updateSystemButtons();
    void systemChanged(toolkit::Button& sender);

    // Keypad commands.
    void digitPressed(toolkit::Button& sender);
    void operationPressed(toolkit::Button& sender);
    void equals();
    void clear();
    void backspace();
    void toggleSign();
    void shiftLeft();
    void shiftRight();

    // What a command does to the engine, and the refresh after it; the keypad's actions above
    // log their line first, the keyboard calls these directly.
    void enterDigit(std::string_view digit);
    void applyOperation(Operation operation);
    void evaluate();
    void clearAll();
    void removeLastDigit();

    // Clipboard.
    void copyValue();
    void pasteValue();

    // Interface construction.
    void setupUI();
    std::shared_ptr<toolkit::TextField> createConvLabel(const std::string& text, double y);
    std::shared_ptr<toolkit::Button> createSystemButton(const std::string& title, double x,
                                                        double y, double width, double height,
                                                        int tag);
    std::shared_ptr<toolkit::Button> createActionButton(const std::string& title, double x,
                                                        double y, double width, double height,
                                                        Command action);
    std::shared_ptr<toolkit::Button> createCalcButton(const std::string& title, double x, double y,
                                                      double width, double height);

    // Rebuild after a resize.
    void handleResize();

    // Keyboard: every key-down event of the application, from the key monitor.
    void keyDown(const toolkit::KeyEvent& event);
};

}  // namespace quorvin

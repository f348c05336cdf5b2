// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Display refresh and base selection.
#include <string>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/controller/Palette.h"
#include "quorvin/platform/DebugLog.h"

namespace quorvin {

namespace {

void styleBaseButton(toolkit::Button* button, toolkit::Color color) {
    if (button == nullptr || button->layer() == nullptr) return;
    button->layer()->setBackgroundColor(color);
    // A constant radius, not scaled: every base button has 4 points once it has been refreshed.
    button->layer()->setCornerRadius(4.0);
}

}  // namespace

void AppDelegate::updateDisplay() {
    if (!displayLabel || !hexLabel || !decLabel || !binLabel) return;  // no interface built yet
    const std::int64_t value = calculator.value();
    displayLabel->setStringValue(calculator.convertToString(value, currentSystem));
    hexLabel->setStringValue("HEX  " +
                             calculator.convertToString(value, NumberSystem::hexadecimal));
    decLabel->setStringValue("DEC  " + calculator.convertToString(value, NumberSystem::decimal));
    binLabel->setStringValue("BIN  " + calculator.convertToString(value, NumberSystem::binary));
}

void AppDelegate::updateSystemButtons() {
    for (toolkit::Button* button : {hexButton.get(), decButton.get(), binButton.get()}) {
        styleBaseButton(button, palette::baseIdle);
    }
    toolkit::Button* selected = nullptr;
    switch (currentSystem) {
    case NumberSystem::binary: selected = binButton.get(); break;
    case NumberSystem::decimal: selected = decButton.get(); break;
    case NumberSystem::hexadecimal: selected = hexButton.get(); break;
    }
    if (selected != nullptr && selected->layer() != nullptr) {
        selected->layer()->setBackgroundColor(palette::baseSelected);
    }
    // A screen reader reads the current base as the checked one of the three, and hears it
    // named as the display's description when it changes.
    for (toolkit::Button* button : {hexButton.get(), decButton.get(), binButton.get()}) {
        if (button != nullptr) button->setAccessibilitySelected(button == selected);
    }
    if (displayLabel && selected != nullptr)
        displayLabel->setAccessibilityDescription(selected->accessibilityLabel());
}

// The base buttons' tags are their radixes; any other tag keeps the base and still refreshes.
void AppDelegate::systemChanged(toolkit::Button& sender) {
    if (const auto system = numberSystemFromRawValue(sender.tag())) currentSystem = *system;
    toolkit::debugLog("System changed to: " + std::string(toString(currentSystem)));
    updateSystemButtons();
    updateDisplay();
}

}  // namespace quorvin

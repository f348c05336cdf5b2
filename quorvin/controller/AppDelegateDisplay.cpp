// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Display refresh and base selection.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/controller/KeyRows.h"
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

// The display's text and the HEX, DEC and BIN lines for the engine's value.
std::array<std::string, 4> linesFor(const Calculator& calculator, NumberSystem shownIn) {
    const std::int64_t value = calculator.value();
    return {calculator.convertToString(value, shownIn),
            "HEX  " + calculator.convertToString(value, NumberSystem::hexadecimal),
            "DEC  " + calculator.convertToString(value, NumberSystem::decimal),
            "BIN  " + calculator.convertToString(value, NumberSystem::binary)};
}

}  // namespace

void AppDelegate::updateDisplay() {
    if (!displayLabel || !hexLabel || !decLabel || !binLabel) return;  // no interface built yet
    auto lines = linesFor(calculator, currentSystem);
    displayLabel->setStringValue(std::move(lines[0]));
    hexLabel->setStringValue(std::move(lines[1]));
    decLabel->setStringValue(std::move(lines[2]));
    binLabel->setStringValue(std::move(lines[3]));
    prepareNextEntryAfterFrame();
}

// Once, however many refreshes come before the frame: the entry prepared is the one then shown.
void AppDelegate::prepareNextEntryAfterFrame() {
    if (nextEntryQueued) return;
    nextEntryQueued = true;
    toolkit::Application::sharedApplication().performAfterFrame([weakSelf = weak_from_this()] {
        if (const auto self = weakSelf.lock()) {
            self->nextEntryQueued = false;
            self->prepareNextEntry();
        }
    });
}

// Most often the next key is a digit or Backspace: the lines each would leave are offered to the
// labels, which fit and shape them while the program is idle, so that the key draws at once.
void AppDelegate::prepareNextEntry() {
    std::array<std::vector<std::string>, 4> next;
    const auto offer = [&](const StandardCalculator& after) {
        auto lines = linesFor(after, currentSystem);
        for (std::size_t index = 0; index < lines.size(); ++index)
            next[index].push_back(std::move(lines[index]));
    };
    const std::string_view digits =
        keyrows::kDigitRun.substr(0, static_cast<std::size_t>(rawValue(currentSystem)));
    for (std::size_t index = 0; index < digits.size(); ++index) {
        StandardCalculator after = calculator;
        after.inputDigit(digits.substr(index, 1), currentSystem);
        offer(after);
    }
    StandardCalculator after = calculator;
    after.backspace(currentSystem);
    offer(after);
    displayLabel->prepareStringValues(std::move(next[0]));
    hexLabel->prepareStringValues(std::move(next[1]));
    decLabel->prepareStringValues(std::move(next[2]));
    binLabel->prepareStringValues(std::move(next[3]));
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

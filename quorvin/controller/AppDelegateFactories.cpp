// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// The factories that make and style every label and button of the window.
#include <memory>
#include <string>
#include <string_view>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/controller/KeyRows.h"
#include "quorvin/controller/Palette.h"
#include "quorvin/platform/DebugLog.h"
#include "quorvin/views/CalcButton.h"

namespace quorvin {

namespace {

using toolkit::Font;
using toolkit::FontWeight;

void wireKey(toolkit::Button& button, const KeyRow& row) {
    if (row.tag != 0) button.setTag(row.tag);
    if (row.senderAction) {
        button.setAction(row.senderAction);
    } else {
        button.setAction(row.action);
    }
}

// Assistive technology calls a button by its row's name, or by its title when the row has none.
void describe(toolkit::Button& button, const KeyRow& row) {
    button.setAccessibilityLabel(
        std::string(row.accessibilityLabel.empty() ? row.title : row.accessibilityLabel));
    if (!row.toolTip.empty()) button.setToolTip(std::string(row.toolTip));
}

// The start of every base-row button: a rounded push button whose title comes later.
std::shared_ptr<toolkit::Button> makeRoundedButton(double x, double y, double width,
                                                   double height) {
    auto button = toolkit::View::make<toolkit::Button>(toolkit::makeRect(x, y, width, height));
    button->setTitle("");
    button->setBezelStyle(toolkit::BezelStyle::rounded);
    return button;
}

// A layer of one colour instead of the bezel, and no focus ring.
void makeFlat(toolkit::Button& button, toolkit::Color background, double cornerRadius) {
    button.setWantsLayer(true);
    button.setBordered(false);
    button.setFocusRingType(toolkit::FocusRingType::none);
    button.layer()->setBackgroundColor(background);
    button.layer()->setCornerRadius(cornerRadius);
}

}  // namespace

std::shared_ptr<toolkit::TextField> AppDelegate::createConvLabel(const std::string& text,
                                                                 double y) {
    auto label = toolkit::TextField::labelWithString(text);
    label->setFrame(toolkit::makeRect(10 * scale, y, 340 * scale, 22 * scale));
    label->setFont(Font::monospacedSystemFont(14 * scale, FontWeight::medium));
    return label;
}

std::shared_ptr<toolkit::Button> AppDelegate::createSystemButton(const std::string& title, double x,
                                                                 double y, double width,
                                                                 double height, int tag) {
    auto button = makeRoundedButton(x, y, width, height);
    button->setTag(tag);
    button->setTarget(weak_from_this());
    button->setAction(&AppDelegate::systemChanged);
    makeFlat(*button, palette::baseIdle, 4 * scale);
    button->setAttributedTitle(
        {title, Font::systemFont(13 * scale, FontWeight::semibold), palette::keyTitle});
    describe(*button, keyRowFor(title));
    return button;
}

std::shared_ptr<toolkit::Button> AppDelegate::createActionButton(const std::string& title, double x,
                                                                 double y, double width,
                                                                 double height, Command action) {
    auto button = makeRoundedButton(x, y, width, height);
    button->setTarget(weak_from_this());
    button->setAction(action);
    makeFlat(*button, palette::clipboardButton, 4 * scale);
    button->setAttributedTitle({title, Font::systemFont(18 * scale), std::nullopt});
    describe(*button, keyRowFor(title));
    return button;
}

// A keypad key. Its callbacks show the pressed colour; they hold the key weakly, so a key removed
// by a rebuild is freed.
std::shared_ptr<toolkit::Button> AppDelegate::createCalcButton(const std::string& title, double x,
                                                               double y, double width,
                                                               double height) {
    auto button = toolkit::View::make<CalcButton>(toolkit::makeRect(x, y, width, height));
    button->setTitle("");
    button->setBordered(false);
    button->setFont(Font::systemFont(20 * scale, FontWeight::bold));
    button->setTarget(weak_from_this());
    button->setWantsLayer(true);

    const std::weak_ptr<CalcButton> weakButton = button;
    button->onPress = [title, weakButton] {
        toolkit::debugLog("Button '" + title + "' pressed");
        if (const auto key = weakButton.lock(); key && key->layer()) {
            key->layer()->setBackgroundColor(palette::pressedKey);
        }
    };
    button->onRelease = [title, weakButton] {
        toolkit::debugLog("Button '" + title + "' released");
        if (const auto key = weakButton.lock(); key && key->layer() && key->originalColor) {
            key->layer()->setBackgroundColor(*key->originalColor);
        }
    };

    const KeyRow row = keyRowFor(title);
    wireKey(*button, row);
    const KeyClassStyle style = styleOf(row.keyClass);
    button->layer()->setBackgroundColor(style.background);
    button->originalColor = style.background;
    button->layer()->setCornerRadius(4 * scale);
    button->setAttributedTitle(
        {title, Font::systemFont(style.titleSize * scale, FontWeight::bold), palette::keyTitle});
    describe(*button, row);
    return button;
}

}  // namespace quorvin

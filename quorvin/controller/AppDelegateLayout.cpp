// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Builds the window's content from its layout: the base row, the conversion panel, the display
// and the keypad, each control made by its factory and placed where the layout says.
#include <string>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/controller/KeyRows.h"
#include "quorvin/controller/Layout.h"
#include "quorvin/controller/Palette.h"
#include "quorvin/platform/DebugLog.h"

namespace quorvin {

void AppDelegate::setupUI() {
    if (!window || !window->contentView()) return;
    const auto contentView = window->contentView();
    const double width = contentView->bounds().size.width;

    const Layout layout = layoutFor(width);
    scale = layout.scale;

    const auto baseButton = [&](std::size_t column) {
        const auto& [title, frame] = layout.baseRow[column];
        const KeyRow row = keyRowFor(title);
        const auto [x, y] = frame.origin;
        const auto [buttonWidth, height] = frame.size;
        return row.keyClass == KeyClass::base
                   ? createSystemButton(std::string(title), x, y, buttonWidth, height, row.tag)
                   : createActionButton(std::string(title), x, y, buttonWidth, height, row.action);
    };
    hexButton = baseButton(0);
    decButton = baseButton(1);
    binButton = baseButton(2);
    const auto copyButton = baseButton(3);
    const auto pasteButton = baseButton(4);
    for (const auto& button : {hexButton, decButton, binButton, copyButton, pasteButton}) {
        contentView->addSubview(button);
    }

    const auto panel = toolkit::View::make<toolkit::View>(layout.panel);
    panel->setWantsLayer(true);
    panel->layer()->setBackgroundColor(palette::conversionPanel);
    panel->layer()->setCornerRadius(6 * scale);

    hexLabel = createConvLabel("HEX  0", layout.conversionLines[0].origin.y);
    decLabel = createConvLabel("DEC  0", layout.conversionLines[1].origin.y);
    binLabel = createConvLabel("BIN  0", layout.conversionLines[2].origin.y);
    std::size_t line = 0;
    for (const auto& label : {hexLabel, decLabel, binLabel}) {
        auto frame = label->frame();
        frame.size.width = layout.conversionLines[line++].size.width;
        label->setFrame(frame);
        panel->addSubview(label);
    }
    contentView->addSubview(panel);

    displayLabel = toolkit::TextField::labelWithString("0");
    displayLabel->setFrame(layout.display);
    displayLabel->setFont(
        toolkit::Font::monospacedSystemFont(38 * scale, toolkit::FontWeight::bold));
    displayLabel->setAlignment(toolkit::TextAlignment::right);
    displayLabel->setBackgroundColor(palette::displayBackground);
    displayLabel->setTextColor(palette::displayText);
    displayLabel->setBordered(true);
    displayLabel->setBezeled(false);
    displayLabel->setDrawsBackground(true);
    displayLabel->setWantsLayer(true);
    // Radius and border stay constant in points at every scale.
    displayLabel->layer()->setCornerRadius(4);
    displayLabel->layer()->setBorderWidth(2);
    displayLabel->layer()->setBorderColor(palette::displayBorder);
    contentView->addSubview(displayLabel);
    // A screen reader finds the focus on the display and speaks each new value.
    displayLabel->setAccessibilityStatus(true);

    for (const auto& key : layout.keys) {
        const auto [x, y] = key.frame.origin;
        const auto [keyWidth, height] = key.frame.size;
        contentView->addSubview(createCalcButton(std::string(key.title), x, y, keyWidth, height));
    }

    toolkit::debugLog("UI setup complete");
}

}  // namespace quorvin

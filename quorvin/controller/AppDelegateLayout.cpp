// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// The layout of the window's content, built from the bottom up at scale = width / 400.
#include <string>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/controller/KeyRows.h"
#include "quorvin/controller/Palette.h"
#include "quorvin/platform/DebugLog.h"

namespace quorvin {

void AppDelegate::setupUI() {
    if (!window || !window->contentView()) return;
    const auto contentView = window->contentView();
    const double width = contentView->bounds().size.width;

    scale = width / 400;
    const double margin = 10 * scale;
    const double spacing = 6 * scale;
    const double buttonWidth = (width - 2 * margin - 4 * spacing) / 5;
    const double buttonHeight = 55 * scale;
    const double keypadHeight = 6 * buttonHeight + 5 * spacing;
    const double baseRowHeight = buttonHeight / 2;
    const double panelHeight = 85 * scale;
    const double displayHeight = 55 * scale;
    const auto columnX = [&](int column) { return margin + column * (buttonWidth + spacing); };

    double y = margin + keypadHeight + 8 * scale;

    const auto baseButton = [&](int column) {
        const auto title = kBaseRowTitles[static_cast<std::size_t>(column)];
        const KeyRow row = keyRowFor(title);
        return row.keyClass == KeyClass::base
                   ? createSystemButton(std::string(title), columnX(column), y, buttonWidth,
                                        baseRowHeight, row.tag)
                   : createActionButton(std::string(title), columnX(column), y, buttonWidth,
                                        baseRowHeight, row.action);
    };
    hexButton = baseButton(0);
    decButton = baseButton(1);
    binButton = baseButton(2);
    const auto copyButton = baseButton(3);
    const auto pasteButton = baseButton(4);
    for (const auto& button : {hexButton, decButton, binButton, copyButton, pasteButton}) {
        contentView->addSubview(button);
    }

    y += baseRowHeight + 8 * scale;

    const auto panel = toolkit::View::make<toolkit::View>(
        toolkit::makeRect(margin, y, width - 2 * margin, panelHeight));
    panel->setWantsLayer(true);
    panel->layer()->setBackgroundColor(palette::conversionPanel);
    panel->layer()->setCornerRadius(6 * scale);

    hexLabel = createConvLabel("HEX  0", panelHeight - 25 * scale);
    decLabel = createConvLabel("DEC  0", panelHeight - 50 * scale);
    binLabel = createConvLabel("BIN  0", panelHeight - 75 * scale);
    for (const auto& label : {hexLabel, decLabel, binLabel}) {
        auto frame = label->frame();
        frame.size.width = width - 2 * margin - 20 * scale;
        label->setFrame(frame);
        panel->addSubview(label);
    }
    contentView->addSubview(panel);

    y += panelHeight + 8 * scale;

    displayLabel = toolkit::TextField::labelWithString("0");
    displayLabel->setFrame(toolkit::makeRect(margin, y, width - 2 * margin, displayHeight));
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

    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 5; ++column) {
            const auto title =
                kKeypadTitles[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            if (title == "=" && column == 4) continue;
            const double x = columnX(column);
            const double keyY = margin + (5 - row) * (buttonHeight + spacing);
            const double keyWidth =
                row == 5 && column == 3 ? 2 * buttonWidth + spacing : buttonWidth;
            contentView->addSubview(
                createCalcButton(std::string(title), x, keyY, keyWidth, buttonHeight));
        }
    }

    toolkit::debugLog("UI setup complete");
}

}  // namespace quorvin

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// The layout at scale = width / 400, built from the bottom up: the keypad, the base row, the
// conversion panel, the display. Nothing is rounded to whole points.
#include "quorvin/controller/Layout.h"

namespace quorvin {

namespace {

// Every cell of the grid is a key but the one the double-wide "=" covers.
constexpr std::size_t keyCells() {
    std::size_t count = 0;
    for (std::size_t row = 0; row < kKeypadTitles.size(); ++row) {
        for (std::size_t column = 0; column < 5; ++column) {
            if (kKeypadTitles[row][column] != "=" || column != 4) ++count;
        }
    }
    return count;
}
static_assert(keyCells() == kKeyCount);

}  // namespace

Layout layoutFor(double width) {
    Layout layout{};
    const double scale = width / 400;
    const double margin = 10 * scale;
    const double spacing = 6 * scale;
    const double buttonWidth = (width - 2 * margin - 4 * spacing) / 5;
    const double buttonHeight = 55 * scale;
    const double keypadHeight = 6 * buttonHeight + 5 * spacing;
    const double baseRowHeight = buttonHeight / 2;
    const double panelHeight = 85 * scale;
    const double displayHeight = 55 * scale;
    const auto columnX = [&](int column) { return margin + column * (buttonWidth + spacing); };
    layout.scale = scale;

    double y = margin + keypadHeight + 8 * scale;
    for (int column = 0; column < 5; ++column) {
        const auto index = static_cast<std::size_t>(column);
        layout.baseRow[index] = {kBaseRowTitles[index],
                                 toolkit::makeRect(columnX(column), y, buttonWidth, baseRowHeight)};
    }

    y += baseRowHeight + 8 * scale;
    layout.panel = toolkit::makeRect(margin, y, width - 2 * margin, panelHeight);
    // Each line starts and ends 10 points inside the panel; the HEX line is on top. Its y is
    // measured down from the panel's top.
    constexpr double kBelowPanelTop[] = {25, 50, 75};
    for (std::size_t line = 0; line < 3; ++line) {
        layout.conversionLines[line] =
            toolkit::makeRect(10 * scale, panelHeight - kBelowPanelTop[line] * scale,
                              width - 2 * margin - 20 * scale, 22 * scale);
    }

    y += panelHeight + 8 * scale;
    layout.display = toolkit::makeRect(margin, y, width - 2 * margin, displayHeight);

    std::size_t index = 0;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 5; ++column) {
            const auto title =
                kKeypadTitles[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            if (title == "=" && column == 4) continue;
            const double keyWidth =
                row == 5 && column == 3 ? 2 * buttonWidth + spacing : buttonWidth;
            layout.keys[index++] = {
                title, row, column,
                toolkit::makeRect(columnX(column), margin + (5 - row) * (buttonHeight + spacing),
                                  keyWidth, buttonHeight)};
        }
    }
    return layout;
}

}  // namespace quorvin

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Where every control of the window's content goes, as a function of the content's width alone.
// The window builds from it, and so do the start-up floor and the data the end-to-end harness
// reads: this is the only place the numbers are computed.
#include <array>
#include <cstddef>
#include <string_view>

#include "quorvin/toolkit/Geometry.h"

namespace quorvin {

// Row 0 is the top row. The "=" of column 3 in the last row is double wide and covers column 4.
inline constexpr std::array<std::array<std::string_view, 5>, 6> kKeypadTitles{{
    {"A", "<<", ">>", "CE", "⌫"},
    {"B", "(", ")", "%", "÷"},
    {"C", "7", "8", "9", "×"},
    {"D", "4", "5", "6", "−"},
    {"E", "1", "2", "3", "+"},
    {"F", "+/−", "0", "=", "="},
}};

// The row above the conversion panel, left to right.
inline constexpr std::array<std::string_view, 5> kBaseRowTitles{"HEX", "DEC", "BIN", "📄", "📋"};

inline constexpr std::size_t kKeyCount = 29;

struct PlacedButton {
    std::string_view title;
    toolkit::Rect frame;
};

struct PlacedKey {
    std::string_view title;
    int row;
    int column;
    toolkit::Rect frame;
};

// Frames are in the content view's coordinates (origin bottom left, y upward), except the
// conversion lines, which are in the panel's.
struct Layout {
    double scale;  // width / 400: every number below is its value at 400 points times this
    std::array<PlacedButton, 5> baseRow;
    toolkit::Rect panel;
    std::array<toolkit::Rect, 3> conversionLines;  // HEX, DEC, BIN from the top
    toolkit::Rect display;
    std::array<PlacedKey, kKeyCount> keys;  // row by row from the top left
};

Layout layoutFor(double width);

}  // namespace quorvin

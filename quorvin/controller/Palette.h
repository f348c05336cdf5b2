// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string_view>

#include "quorvin/toolkit/Color.h"

// The colours of the interface, as sRGB components.
namespace quorvin::palette {

using toolkit::Color;

inline constexpr Color digitKey = Color::rgba(0.15, 0.15, 0.15, 1);
inline constexpr Color operatorKey = Color::rgba(0.85, 0.55, 0.25, 1);
inline constexpr Color shiftKey = Color::rgba(0.35, 0.35, 0.35, 1);
inline constexpr Color clearKey = Color::rgba(0.85, 0.2, 0.2, 1);
inline constexpr Color auxiliaryKey = Color::rgba(0.5, 0.5, 0.5, 1);
inline constexpr Color pressedKey = Color::redColor();
inline constexpr Color keyTitle = Color::whiteColor();
inline constexpr Color baseIdle = Color::rgba(0.25, 0.45, 0.55, 1);
inline constexpr Color baseSelected = Color::rgba(0.95, 0.65, 0.15, 1);
inline constexpr Color clipboardButton = Color::rgba(0.35, 0.65, 0.45, 1);
inline constexpr Color conversionPanel = Color::rgba(0.75, 0.75, 0.72, 1);
inline constexpr Color displayBackground = Color::rgba(0.65, 0.75, 0.65, 1);
inline constexpr Color displayText = Color::rgba(0.1, 0.1, 0.1, 1);
inline constexpr Color displayBorder = Color::white(0.4, 0.7);
inline constexpr Color windowBackground = Color::rgba(0.85, 0.85, 0.82, 1);

struct NamedColour {
    std::string_view name;
    Color colour;
};

// Every colour above by its name, for the data the end-to-end harness reads.
inline constexpr std::array kNamedColours{
    NamedColour{"digitKey", digitKey},
    NamedColour{"operatorKey", operatorKey},
    NamedColour{"shiftKey", shiftKey},
    NamedColour{"clearKey", clearKey},
    NamedColour{"auxiliaryKey", auxiliaryKey},
    NamedColour{"pressedKey", pressedKey},
    NamedColour{"keyTitle", keyTitle},
    NamedColour{"baseIdle", baseIdle},
    NamedColour{"baseSelected", baseSelected},
    NamedColour{"clipboardButton", clipboardButton},
    NamedColour{"conversionPanel", conversionPanel},
    NamedColour{"displayBackground", displayBackground},
    NamedColour{"displayText", displayText},
    NamedColour{"displayBorder", displayBorder},
    NamedColour{"windowBackground", windowBackground},
};

}  // namespace quorvin::palette

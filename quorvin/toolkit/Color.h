// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

namespace quorvin::toolkit {

// An sRGB colour with components from 0 to 1. It doubles as the layer colour: layers take the
// same value, so no conversion step is needed.
struct Color {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;
    bool operator==(const Color&) const = default;

    static constexpr Color rgba(double red, double green, double blue, double alpha) {
        return Color{red, green, blue, alpha};
    }
    static constexpr Color white(double level, double alpha) {
        return Color{level, level, level, alpha};
    }
    static constexpr Color whiteColor() { return Color{1, 1, 1, 1}; }
    static constexpr Color redColor() { return Color{1, 0, 0, 1}; }
};

}  // namespace quorvin::toolkit

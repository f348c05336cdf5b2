// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

namespace quorvin::toolkit {

enum class FontWeight { regular, medium, semibold, bold };

// A font request: the desktop's general or fixed-pitch system font at a size in points
// (device-independent pixels) and a weight.
struct Font {
    enum class Family { system, monospaced };

    Family family = Family::system;
    double size = 13;
    FontWeight weight = FontWeight::regular;
    bool operator==(const Font&) const = default;

    static constexpr Font systemFont(double size, FontWeight weight = FontWeight::regular) {
        return Font{Family::system, size, weight};
    }
    static constexpr Font monospacedSystemFont(double size, FontWeight weight) {
        return Font{Family::monospaced, size, weight};
    }
};

}  // namespace quorvin::toolkit

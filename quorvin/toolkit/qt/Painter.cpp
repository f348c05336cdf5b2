// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/qt/Painter.h"

#include <algorithm>
#include <cmath>

#include "quorvin/toolkit/qt/QtConversions.h"

namespace quorvin::toolkit {

namespace {

double relativeLuminance(const QColor& color) {
    const auto linear = [](double component) {
        return component <= 0.04045 ? component / 12.92
                                    : std::pow((component + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

// What a light palette writes text in.
const QColor kLightPaletteText = Qt::black;
constexpr double kMinimumContrast = 4.5;

}  // namespace

double contrastRatio(const QColor& first, const QColor& second) {
    const double a = relativeLuminance(first), b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor Painter::readableTextColor(QPalette::ColorRole role,
                                  std::optional<Color> ownBackground) const {
    const QColor platform = widget.palette().color(role);
    const std::optional<Color> under = ownBackground ? ownBackground : background;
    if (!under) return platform;
    const QColor fixed = toQColor(*under);
    const double platformContrast = contrastRatio(platform, fixed);
    if (platformContrast >= kMinimumContrast) return platform;
    return contrastRatio(kLightPaletteText, fixed) > platformContrast ? kLightPaletteText
                                                                      : platform;
}

}  // namespace quorvin::toolkit

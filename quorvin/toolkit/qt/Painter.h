// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: what a view's draw() paints with.

#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <optional>

#include "quorvin/toolkit/Color.h"

namespace quorvin::toolkit {

// What a view's draw() paints with: the painter, the widget (palette, resolution) and the fixed
// colour the view sits on (the nearest layer background of the view or its ancestors, if any).
class Painter {
public:
    Painter(QPainter& painter, const QWidget& target, std::optional<Color> layerBackground)
        : qt(painter), widget(target), background(layerBackground) {}

    // The desktop's colour for `role`, unless it is hard to read on the fixed colour that the
    // view's text sits on (`ownBackground`, else the background above): below a contrast of
    // 4.5 : 1 a light palette's text colour is used instead, so a dark desktop theme never puts
    // light text on the program's light panels.
    QColor readableTextColor(QPalette::ColorRole role,
                             std::optional<Color> ownBackground = std::nullopt) const;

    QPainter& qt;
    const QWidget& widget;
    const std::optional<Color> background;
};

// The WCAG contrast ratio of two opaque colours, from 1 (same) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

}  // namespace quorvin::toolkit

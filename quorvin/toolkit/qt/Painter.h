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
#include "quorvin/toolkit/View.h"

namespace quorvin::toolkit {

// What a view's draw() paints with: the painter and the widget (palette, resolution).
class Painter {
public:
    Painter(QPainter& painter, const QWidget& target) : qt(painter), widget(target) {}

    // The desktop's colour for `role`, unless it is hard to read on the fixed colour that the
    // view's text sits on (`ownBackground`, else the nearest layer background of the view or its
    // ancestors): below a contrast of 4.5 : 1 a light palette's text colour is used instead, so a
    // dark desktop theme never puts light text on the program's light panels.
    QColor readableTextColor(const View& view, QPalette::ColorRole role,
                             std::optional<Color> ownBackground = std::nullopt) const;

    QPainter& qt;
    const QWidget& widget;
};

// The WCAG contrast ratio of two opaque colours, from 1 (same) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

}  // namespace quorvin::toolkit

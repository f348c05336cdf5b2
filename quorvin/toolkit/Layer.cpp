// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/Layer.h"

#include "quorvin/toolkit/View.h"

namespace quorvin::toolkit {

void Layer::setBackgroundColor(std::optional<Color> color) {
    background = color;
    owner.setNeedsDisplay();
}

void Layer::setCornerRadius(double cornerRadius) {
    radius = cornerRadius;
    owner.setNeedsDisplay();
}

void Layer::setBorderWidth(double width) {
    border = width;
    owner.setNeedsDisplay();
}

void Layer::setBorderColor(std::optional<Color> color) {
    borderTint = color;
    owner.setNeedsDisplay();
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

#include "quorvin/toolkit/Color.h"

namespace quorvin::toolkit {

class View;

// The backing layer of a view: an antialiased rounded rectangle painted under the view's own
// content (background) and over it (border). A view has one only after setWantsLayer(true).
class Layer {
public:
    explicit Layer(View& view) : owner(view) {}
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    void setBackgroundColor(std::optional<Color> color);
    std::optional<Color> backgroundColor() const { return background; }
    void setCornerRadius(double radius);
    double cornerRadius() const { return radius; }
    void setBorderWidth(double width);
    double borderWidth() const { return border; }
    void setBorderColor(std::optional<Color> color);
    std::optional<Color> borderColor() const { return borderTint; }

private:
    View& owner;
    std::optional<Color> background;
    double radius = 0;
    double border = 0;
    std::optional<Color> borderTint;
};

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

namespace quorvin::toolkit {

// Points are device-independent pixels held as doubles. Rectangles have their origin at the
// bottom-left corner of the parent, with y growing upward.
struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    double width = 0;
    double height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    Point origin;
    Size size;
    bool operator==(const Rect&) const = default;

    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    bool contains(Point p) const {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
};

constexpr Rect makeRect(double x, double y, double width, double height) {
    return Rect{Point{x, y}, Size{width, height}};
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Writes the window's layout at 400 points wide, the titles of its buttons and its colours as
// JSON, for the end-to-end harness, which scales the frames to the window it sees.
// Usage: layout_data OUTPUT
#include <charconv>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "quorvin/controller/KeyRows.h"
#include "quorvin/controller/Layout.h"
#include "quorvin/controller/Palette.h"

namespace {

using quorvin::toolkit::Color;
using quorvin::toolkit::Rect;

std::string number(double value) {
    char buffer[32];
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
    return {std::begin(buffer), result.ptr};
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string numbers(std::initializer_list<double> values) {
    std::string out;
    for (const double value : values)
        out += (out.empty() ? "[" : ", ") + number(value);
    return out + ']';
}

std::string frame(const Rect& rect) {
    return numbers({rect.origin.x, rect.origin.y, rect.size.width, rect.size.height});
}

std::string colour(const Color& colour) {
    return numbers({colour.red, colour.green, colour.blue, colour.alpha});
}

// The items of a JSON array (`open` '[') or object ('{'), one a line.
template <typename Items, typename Format>
std::string list(char open, const Items& items, Format format) {
    std::string out(1, open);
    for (const auto& item : items) {
        out += out.size() > 1 ? ",\n    " : "\n    ";
        out += format(item);
    }
    return out + "\n  " + (open == '[' ? ']' : '}');
}

std::string layoutJson() {
    using namespace quorvin;
    const Layout layout = layoutFor(400);
    const auto button = [](const PlacedButton& placed) {
        return "{\"title\": " + quoted(placed.title) + ", \"frame\": " + frame(placed.frame) + "}";
    };
    const auto key = [](const PlacedKey& placed) {
        return "{\"title\": " + quoted(placed.title) + ", \"frame\": " + frame(placed.frame) +
               ", \"row\": " + std::to_string(placed.row) +
               ", \"column\": " + std::to_string(placed.column) + "}";
    };
    const auto namedColour = [](const palette::NamedColour& named) {
        return quoted(named.name) + ": " + colour(named.colour);
    };
    const auto restingColourOf = [](std::string_view title) {
        return quoted(title) + ": " + colour(restingColour(keyRowFor(title).keyClass));
    };
    std::vector<std::string_view> titles(kBaseRowTitles.begin(), kBaseRowTitles.end());
    for (const auto& placed : layout.keys)
        titles.push_back(placed.title);

    return "{\n  \"width\": 400,\n  \"scale\": " + number(layout.scale) +
           ",\n  \"baseRow\": " + list('[', layout.baseRow, button) +
           ",\n  \"panel\": " + frame(layout.panel) +
           ",\n  \"conversionLines\": " + list('[', layout.conversionLines, frame) +
           ",\n  \"display\": " + frame(layout.display) +
           ",\n  \"keys\": " + list('[', layout.keys, key) +
           ",\n  \"palette\": " + list('{', palette::kNamedColours, namedColour) +
           ",\n  \"restingColours\": " + list('{', titles, restingColourOf) + "\n}\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: layout_data OUTPUT\n", stderr);
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << layoutJson();
    out.close();
    if (!out) {
        std::fprintf(stderr, "layout_data: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

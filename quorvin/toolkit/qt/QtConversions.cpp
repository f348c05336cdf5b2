// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/qt/QtConversions.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>
#include <cmath>

#include "quorvin/toolkit/qt/ColourEmoji.h"

namespace quorvin::toolkit {

namespace {

float component(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<float>(std::clamp(value, 0.0, 1.0));
}

QFont::Weight qtWeight(FontWeight weight) {
    switch (weight) {
    case FontWeight::regular: return QFont::Normal;
    case FontWeight::medium: return QFont::Medium;
    case FontWeight::semibold: return QFont::DemiBold;
    case FontWeight::bold: return QFont::Bold;
    }
    return QFont::Normal;
}

// The font with the colour emoji font as its first fallback: the text font keeps every character
// it has, and emoji come in colour before fontconfig's own fallback is asked. The text font is
// named by the family it resolves to: a generic name such as "Sans Serif" is no family of Qt's
// own, and Qt would make the next family in the list, the emoji font, the font of all the text
// (its digits included). Only for the general font, which draws the emoji titles.
//
// The family is resolved once, at the size and weight first asked for: resolving it loads a font
// at that size, the one about to draw, rather than one at the desktop's size that draws nothing.
QFont withColourEmoji(QFont font) {
    const auto& emoji = colourEmojiFamily();
    if (!emoji) return font;
    static const QString text = QFontInfo(font).family();
    font.setFamilies({text, *emoji});
    return font;
}

}  // namespace

QColor toQColor(const Color& color) {
    return QColor::fromRgbF(component(color.red), component(color.green), component(color.blue),
                            component(color.alpha));
}

QFont toQFont(const Font& font, double logicalDpiY) {
    // Looked up once: the desktop's fonts do not change while the program runs. Kept for the
    // whole process (never destroyed at exit, when Qt's font cache may already be gone).
    static const QFont* const general =
        new QFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    static const QFont* const fixed =
        new QFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    QFont result = font.family == Font::Family::monospaced ? *fixed : *general;
    const double dpi = logicalDpiY > 0 ? logicalDpiY : 96.0;
    // Sizes are device-independent pixels; Qt's point sizes are typographic points.
    const double pixels = std::isfinite(font.size) ? std::clamp(font.size, 1.0, 4096.0) : 13.0;
    result.setPointSizeF(pixels * 72.0 / dpi);
    result.setWeight(qtWeight(font.weight));
    return font.family == Font::Family::monospaced ? result : withColourEmoji(result);
}

}  // namespace quorvin::toolkit

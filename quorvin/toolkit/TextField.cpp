// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/TextField.h"

#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

#include "quorvin/toolkit/Accessibility.h"
#include "quorvin/toolkit/Painter.h"
#include "quorvin/toolkit/QtConversions.h"

namespace quorvin::toolkit {

namespace {

// Space between the text and the left and right edges, as a label leaves it.
constexpr double kTextInset = 2;

Qt::Alignment qtAlignment(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::left: return Qt::AlignLeft;
    case TextAlignment::center: return Qt::AlignHCenter;
    case TextAlignment::right: return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

// The space a line of text takes, ink included: glyphs may reach past their advance (a bold
// digit's right edge) or start left of the origin.
QSizeF textExtent(const QFont& font, const QString& text, QPaintDevice& device) {
    const QFontMetricsF metrics(font, &device);
    const QRectF ink = metrics.tightBoundingRect(text);
    const double left = std::min(0.0, ink.left());
    const double right = std::max(metrics.horizontalAdvance(text), ink.right());
    return QSizeF(right - left, metrics.height());
}

bool fitsIn(QSizeF extent, QSizeF room) {
    return extent.width() <= room.width() && extent.height() <= room.height();
}

// `font` when the text fits in the room on one line; otherwise the same family and weight at the
// largest size (to a hundredth of a point) at which it does.
QFont fittingFont(QFont font, const QString& text, QSizeF room, QPaintDevice& device) {
    if (text.isEmpty()) return font;
    const QSizeF extent = textExtent(font, text, device);
    if (fitsIn(extent, room)) return font;
    constexpr double kSmallest = 0.5;
    double fits = kSmallest, tooLarge = font.pointSizeF();
    // The width is close to proportional to the size, which gives a good first guess; the
    // search then settles the hinting's steps.
    const double guess = tooLarge * std::min(room.width() / std::max(extent.width(), 1e-9),
                                             room.height() / std::max(extent.height(), 1e-9));
    font.setPointSizeF(std::max(kSmallest, guess));
    if (fitsIn(textExtent(font, text, device), room)) {
        fits = font.pointSizeF();
    } else {
        tooLarge = font.pointSizeF();
    }
    while (tooLarge - fits > 0.01) {
        font.setPointSizeF((fits + tooLarge) / 2);
        (fitsIn(textExtent(font, text, device), room) ? fits : tooLarge) = font.pointSizeF();
    }
    font.setPointSizeF(fits);
    return font;
}

}  // namespace

TextField::TextField(Rect frame) : View(frame) {}

// The label starts with an empty frame: every caller places it, and measuring the text here
// would load the font engine before the window is first shown.
std::shared_ptr<TextField> TextField::labelWithString(std::string text) {
    auto label = View::make<TextField>(Rect{});
    label->setStringValue(std::move(text));
    return label;
}

void TextField::setStringValue(std::string newText) {
    const bool changed = newText != text;
    text = std::move(newText);
    setNeedsDisplay();
    // Without a label the text is the field's accessible name.
    if (changed && accessibilityLabel().empty()) accessibleNameChanged(*this);
    if (changed) accessibleStatusAnnounce(*this);
}

void TextField::setAccessibilityStatus(bool isStatus) {
    if (isStatus == accessibilityStatus) return;
    accessibilityStatus = isStatus;
    accessibleStatusChanged(*this);
}

void TextField::setFont(Font font) {
    textFont = font;
    setNeedsDisplay();
}

void TextField::setAlignment(TextAlignment alignment) {
    textAlignment = alignment;
    setNeedsDisplay();
}

void TextField::setTextColor(std::optional<Color> color) {
    foreground = color;
    setNeedsDisplay();
}

void TextField::setBackgroundColor(Color color) {
    background = color;
    setNeedsDisplay();
}

void TextField::setBordered(bool isBordered) {
    bordered = isBordered;
    setNeedsDisplay();
}

void TextField::setDrawsBackground(bool drawsBackground) {
    fillsBackground = drawsBackground;
    setNeedsDisplay();
}

void TextField::draw(Painter& painter) const {
    QPainter& qt = painter.qt;
    const QRectF area = painter.widget.rect();
    if (fillsBackground) qt.fillRect(area, toQColor(background));

    qt.setPen(foreground ? toQColor(*foreground)
                         : painter.readableTextColor(
                               *this, QPalette::Text,
                               fillsBackground ? std::optional(background) : std::nullopt));
    // The text keeps its inset from whatever border is drawn over the field's edges.
    double border = bordered ? 1 : 0;
    if (const Layer* backing = layer()) border += std::max(0.0, backing->borderWidth());
    const QRectF room = area.adjusted(kTextInset + border, border, -kTextInset - border, -border);
    const QString shown = toQString(text);
    qt.setFont(fittingFont(toQFont(textFont, painter.widget.logicalDpiY()), shown, room.size(),
                           *qt.device()));
    const int flags = static_cast<int>((qtAlignment(textAlignment) | Qt::AlignVCenter).toInt()) |
                      Qt::TextSingleLine;
    qt.drawText(room, flags, shown);

    if (bordered) {
        qt.setRenderHint(QPainter::Antialiasing, false);
        qt.setPen(QPen(painter.widget.palette().color(QPalette::Mid), 1));
        qt.setBrush(Qt::NoBrush);
        qt.drawRect(painter.widget.rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace quorvin::toolkit

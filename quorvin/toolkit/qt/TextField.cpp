// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/TextField.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

#include "quorvin/text/QtText.h"
#include "quorvin/toolkit/qt/Accessibility.h"
#include "quorvin/toolkit/qt/Painter.h"
#include "quorvin/toolkit/qt/QtConversions.h"

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
// largest size at which it does. Qt measures and draws a font at a whole number of pixels (a
// point size is rounded to the nearest pixel size), so that largest size is a whole pixel size
// below the font's own, and the width is close to proportional to it: one measurement at the
// font's own size gives the size, which is then verified, and its next larger size ruled out.
QFont fittingFont(QFont font, const QString& text, QSizeF room, QPaintDevice& device) {
    if (text.isEmpty()) return font;
    const QSizeF extent = textExtent(font, text, device);
    if (fitsIn(extent, room)) return font;
    const int own = QFontInfo(QFont(font, &device)).pixelSize();
    const double ratio = std::min(room.width() / std::max(extent.width(), 1e-9),
                                  room.height() / std::max(extent.height(), 1e-9));
    const auto fitsAt = [&](int pixels) {
        font.setPixelSize(pixels);
        return fitsIn(textExtent(font, text, device), room);
    };
    // Nothing smaller than a pixel: text that fits at no size is drawn at one.
    int size = std::clamp(static_cast<int>(std::floor(own * ratio)), 1, std::max(1, own - 1));
    if (fitsAt(size)) {
        while (size + 1 < own && fitsAt(size + 1))
            ++size;
    } else {
        while (size > 1 && !fitsAt(size - 1))
            --size;
        size = std::max(1, size - 1);
    }
    font.setPixelSize(size);
    return font;
}

}  // namespace

// The font the field last drew with, and what it was fitted for: a repaint of the same text in
// the same room draws at once, with no measurement.
struct TextField::FittedFont {
    Font font;
    double dpi = 0;
    QString text;
    QSizeF room;
    QFont fitted;
};

TextField::TextField(Rect frame) : View(frame) {}

TextField::~TextField() = default;

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

AccessibleRole TextField::accessibilityRole() const {
    return accessibilityStatus ? AccessibleRole::statusBar : AccessibleRole::label;
}

std::string TextField::accessibilityDefaultName() const {
    return text;
}

std::string TextField::accessibilityValue() const {
    return text;
}

AccessibilityState TextField::accessibilityState() const {
    return AccessibilityState{.holdsWindowFocus = accessibilityStatus};
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
                         : painter.readableTextColor(QPalette::Text, fillsBackground
                                                                         ? std::optional(background)
                                                                         : std::nullopt));
    // The text keeps its inset from whatever border is drawn over the field's edges.
    double border = bordered ? 1 : 0;
    if (const Layer* backing = layer()) border += std::max(0.0, backing->borderWidth());
    const QRectF room = area.adjusted(kTextInset + border, border, -kTextInset - border, -border);
    const QString shown = toQString(text);
    const double dpi = painter.widget.logicalDpiY();
    if (!fitted || fitted->font != textFont || fitted->dpi != dpi || fitted->text != shown ||
        fitted->room != room.size()) {
        fitted = std::make_unique<FittedFont>(
            FittedFont{textFont, dpi, shown, room.size(),
                       fittingFont(toQFont(textFont, dpi), shown, room.size(), *qt.device())});
    }
    qt.setFont(fitted->fitted);
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

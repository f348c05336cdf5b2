#include "quorvin/toolkit/TextField.h"

#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

#include "quorvin/toolkit/QtBridge.h"

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

void TextField::setBezeled(bool isBezeled) {
    bezeled = isBezeled;
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

    qt.setFont(toQFont(textFont, painter.widget.logicalDpiY()));
    qt.setPen(foreground ? toQColor(*foreground) : painter.widget.palette().color(QPalette::Text));
    const int flags = static_cast<int>((qtAlignment(textAlignment) | Qt::AlignVCenter).toInt()) |
                      Qt::TextSingleLine;
    // The text keeps its inset from whatever border is drawn over the field's edges.
    double inset = kTextInset + (bordered || bezeled ? 1 : 0);
    if (const Layer* backing = layer()) inset += std::max(0.0, backing->borderWidth());
    qt.drawText(area.adjusted(inset, 0, -inset, 0), flags, toQString(text));

    if (bordered || bezeled) {
        qt.setRenderHint(QPainter::Antialiasing, false);
        qt.setPen(QPen(painter.widget.palette().color(QPalette::Mid), 1));
        qt.setBrush(Qt::NoBrush);
        qt.drawRect(painter.widget.rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/Button.h"

#include <utility>

#include "quorvin/text/QtText.h"
#include "quorvin/toolkit/qt/Accessibility.h"
#include "quorvin/toolkit/qt/InputRouter.h"
#include "quorvin/toolkit/qt/Painter.h"
#include "quorvin/toolkit/qt/QtConversions.h"

namespace quorvin::toolkit {

Button::Button(Rect frame) : View(frame) {}

void Button::setTitle(std::string title) {
    setAttributedTitle(AttributedString{std::move(title), std::nullopt, std::nullopt});
}

void Button::setAttributedTitle(AttributedString title) {
    const bool renamed = title.string != attributed.string;
    attributed = std::move(title);
    setNeedsDisplay();
    // Without a label the title is the button's accessible name.
    if (renamed && accessibilityLabel().empty()) accessibleNameChanged(*this);
}

void Button::setFont(Font font) {
    titleFont = font;
    setNeedsDisplay();
}

void Button::setBordered(bool isBordered) {
    bordered = isBordered;
    setNeedsDisplay();
}

void Button::setAccessibilitySelected(bool selected) {
    if (accessibilitySelection == selected) return;
    const bool becameSelectable = !accessibilitySelection.has_value();
    accessibilitySelection = selected;
    accessibleSelectionChanged(*this, becameSelectable);
}

AccessibleRole Button::accessibilityRole() const {
    // One of a set of which exactly one is selected, such as the base buttons.
    return isAccessibilitySelectable() ? AccessibleRole::radioButton : AccessibleRole::pushButton;
}

std::string Button::accessibilityDefaultName() const {
    return title();
}

AccessibilityState Button::accessibilityState() const {
    return AccessibilityState{.pressed = highlighted,
                              .checkable = isAccessibilitySelectable(),
                              .checked = isAccessibilitySelected()};
}

std::vector<AccessibleAction> Button::accessibilityActions() const {
    return {AccessibleAction::press};
}

void Button::performAccessibilityAction(AccessibleAction request) {
    switch (request) {
    case AccessibleAction::press: sendAction(); return;
    }
}

void Button::sendAction() {
    const std::shared_ptr<void> target = actionTarget.lock();
    if (!target || !action) return;
    // A copy: the action may destroy this button, and with it the stored function.
    const auto send = action;
    send(target.get(), *this);
}

void Button::mouseDown(const MouseEvent&) {
    highlighted = true;
    setNeedsDisplay();
    InputRouter::shared().pressBegan(weak_from_this().lock());
}

void Button::mouseUp(const MouseEvent& event) {
    highlighted = false;
    setNeedsDisplay();
    if (bounds().contains(event.location)) sendAction();
}

void Button::draw(Painter& painter) const {
    QPainter& qt = painter.qt;
    const QRectF area = painter.widget.rect();
    if (bordered) {
        const double radius = bezel == BezelStyle::rounded ? 6 : 3;
        const QPalette& palette = painter.widget.palette();
        qt.setPen(QPen(palette.color(QPalette::Mid), 1));
        qt.setBrush(highlighted ? palette.color(QPalette::Midlight).darker(115)
                                : palette.color(QPalette::Button));
        qt.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }
    qt.setFont(toQFont(attributed.font.value_or(titleFont), painter.widget.logicalDpiY()));
    // A bordered button paints the desktop's own button face; otherwise the title sits on the
    // layer's fixed colour.
    qt.setPen(attributed.foregroundColor ? toQColor(*attributed.foregroundColor)
              : bordered                 ? painter.widget.palette().color(QPalette::ButtonText)
                                         : painter.readableTextColor(QPalette::ButtonText));
    qt.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, toQString(attributed.string));
}

}  // namespace quorvin::toolkit

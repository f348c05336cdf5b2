// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quorvin/toolkit/Color.h"
#include "quorvin/toolkit/Font.h"
#include "quorvin/toolkit/View.h"

namespace quorvin::toolkit {

// Text with an optional font and colour, the form a button shows its title in.
struct AttributedString {
    std::string string;
    std::optional<Font> font;
    std::optional<Color> foregroundColor;
};

enum class BezelStyle { regular, rounded };
enum class FocusRingType { automatic, none, exterior };

// A push button with a title, a tag and target/action. A click is tracked in two halves:
// mouseDown (press) highlights it, mouseUp (release) sends the action when the release happens
// over the button. The release reaches the button wherever it happens, even when the button has
// left its window in between (a rebuild), and keys typed while it is held wait until it is done.
class Button : public View {
public:
    explicit Button(Rect frame);

    void setTitle(std::string title);  // plain title; replaces any attributed title
    const std::string& title() const { return attributed.string; }
    void setAttributedTitle(AttributedString title);
    const AttributedString& attributedTitle() const { return attributed; }
    void setFont(Font font);
    const Font& font() const { return titleFont; }
    void setBezelStyle(BezelStyle style) { bezel = style; }
    void setBordered(bool bordered);
    // No view takes the keyboard focus, so no ring is ever drawn; the type is not stored.
    void setFocusRingType([[maybe_unused]] FocusRingType type) {}
    void setTag(int tag) { tagValue = tag; }
    int tag() const { return tagValue; }

    // Target/action: the target is held weakly; a completed click calls `action` on it with the
    // button as sender. A target that is gone receives nothing.
    void setTarget(std::weak_ptr<void> target) { actionTarget = std::move(target); }
    template <class T>
    void setAction(void (T::*method)(Button& sender)) {
        action = [method](void* target, Button& sender) {
            (static_cast<T*>(target)->*method)(sender);
        };
    }
    template <class T>
    void setAction(void (T::*method)()) {
        action = [method](void* target, Button&) { (static_cast<T*>(target)->*method)(); };
    }
    // Sends the action to the target now, as a completed click does.
    void sendAction();

    bool isHighlighted() const { return highlighted; }

    // A button that stands for one of several choices reports itself to assistive technology as
    // checkable, and as checked while selected. Buttons never given a selection are plain push
    // buttons.
    void setAccessibilitySelected(bool selected);
    bool isAccessibilitySelected() const { return accessibilitySelection.value_or(false); }
    bool isAccessibilitySelectable() const { return accessibilitySelection.has_value(); }

    // A push button, or a radio button once it has a selection; called by its title, pressed
    // while highlighted, and offers the press.
    AccessibleRole accessibilityRole() const override;
    std::string accessibilityDefaultName() const override;
    AccessibilityState accessibilityState() const override;
    std::vector<AccessibleAction> accessibilityActions() const override;
    void performAccessibilityAction(AccessibleAction request) override;

    void mouseDown(const MouseEvent& event) override;
    void mouseUp(const MouseEvent& event) override;

protected:
    void draw(Painter& painter) const override;

private:
    AttributedString attributed;
    Font titleFont = Font::systemFont(13);
    BezelStyle bezel = BezelStyle::regular;
    bool bordered = true;
    bool highlighted = false;
    int tagValue = 0;
    std::weak_ptr<void> actionTarget;
    std::function<void(void*, Button&)> action;
    std::optional<bool> accessibilitySelection;
};

}  // namespace quorvin::toolkit

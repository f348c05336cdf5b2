// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quorvin/toolkit/Color.h"
#include "quorvin/toolkit/Font.h"
#include "quorvin/toolkit/View.h"

namespace quorvin::toolkit {

enum class TextAlignment { left, center, right };

// A single line of text. labelWithString gives a non-editable label without border or
// background; the setters turn those on.
class TextField : public View {
public:
    explicit TextField(Rect frame);
    ~TextField() override;

    static std::shared_ptr<TextField> labelWithString(std::string text);

    void setStringValue(std::string text);
    const std::string& stringValue() const { return text; }
    // Texts the field may be given next, such as those the next key would leave: each is fitted
    // and shaped while the program is idle, after the frame, so that showing it later draws at
    // once. Replaces the texts offered before; nothing is shown until setStringValue.
    void prepareStringValues(std::vector<std::string> texts);
    void setFont(Font font);
    const Font& font() const { return textFont; }
    void setAlignment(TextAlignment alignment);
    TextAlignment alignment() const { return textAlignment; }
    void setTextColor(std::optional<Color> color);  // absent: the desktop's text colour
    void setBackgroundColor(Color color);
    void setBordered(bool bordered);
    // The border is the field's only frame; the bezel choice is accepted and not stored.
    void setBezeled([[maybe_unused]] bool bezeled) {}
    void setDrawsBackground(bool drawsBackground);
    // A field that shows the window's current result. Assistive technology reads it as a status
    // bar and finds the window's focus on it while the window is active (no control takes the
    // focus), so that a screen reader speaks each change of its text and description.
    void setAccessibilityStatus(bool isStatus);
    bool isAccessibilityStatus() const { return accessibilityStatus; }

    // A label, or a status bar while a status field; called by its text and holding it as its
    // value.
    AccessibleRole accessibilityRole() const override;
    std::string accessibilityDefaultName() const override;
    std::string accessibilityValue() const override;
    AccessibilityState accessibilityState() const override;

protected:
    void draw(Painter& painter) const override;

private:
    std::string text;
    Font textFont = Font::systemFont(13);
    TextAlignment textAlignment = TextAlignment::left;
    std::optional<Color> foreground;
    Color background = Color::white(1, 1);
    bool bordered = false;
    bool fillsBackground = false;
    bool accessibilityStatus = false;
    void repaintText();

    struct FittedFont;
    mutable std::unique_ptr<FittedFont> fitted;
    // The texts offered to prepareStringValues, and the fits made for them so far.
    struct Upcoming;
    mutable std::unique_ptr<Upcoming> upcoming;
    class IdleFitter;
    void fitOneUpcoming();
};

}  // namespace quorvin::toolkit

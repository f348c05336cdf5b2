// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <optional>

#include "quorvin/toolkit/Button.h"
#include "quorvin/toolkit/Color.h"

namespace quorvin {

// A keypad key: a push button that also reports the moment it is pressed and the moment it is
// released, so the key can show a pressed colour. The command itself still goes through the
// button's target/action: a completed click runs onPress, the action, then onRelease; a press
// released outside the key runs both callbacks and no action.
class CalcButton : public toolkit::Button {
public:
    explicit CalcButton(toolkit::Rect frame);

    std::function<void()> onPress;
    std::function<void()> onRelease;
    // The resting background, stored by whoever colours the key; the key never reads it.
    std::optional<toolkit::Color> originalColor;

    void mouseDown(const toolkit::MouseEvent& event) override;
    void mouseUp(const toolkit::MouseEvent& event) override;
};

}  // namespace quorvin

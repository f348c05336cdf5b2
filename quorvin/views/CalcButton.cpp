// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/views/CalcButton.h"

namespace quorvin {

CalcButton::CalcButton(toolkit::Rect frame) : toolkit::Button(frame) {}

// A callback may drop the last reference to this key (a rebuild), so the key keeps itself alive
// for the call and runs a copy of the callback, never the stored one.
void CalcButton::mouseDown(const toolkit::MouseEvent& event) {
    const auto self = shared_from_this();
    if (onPress) {
        const auto callback = onPress;
        callback();
    }
    toolkit::Button::mouseDown(event);
}

void CalcButton::mouseUp(const toolkit::MouseEvent& event) {
    const auto self = shared_from_this();
    toolkit::Button::mouseUp(event);
    if (onRelease) {
        const auto callback = onRelease;
        callback();
    }
}

}  // namespace quorvin

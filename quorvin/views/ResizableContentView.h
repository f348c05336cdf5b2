// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>

#include "quorvin/toolkit/View.h"

namespace quorvin {

// The window's content view. While the user drags the window's edge it calls onResize whenever
// the width has moved more than 5 points from the last report, and once more when the drag ends,
// so the owner can rebuild the interface at the new width. Size changes outside a drag (the
// initial size) never report.
class ResizableContentView : public toolkit::View {
public:
    explicit ResizableContentView(toolkit::Rect frame);

    std::function<void()> onResize;
    // The size at the last report, or at the start of the current drag.
    toolkit::Size lastSize;

    void viewWillStartLiveResize() override;
    void setFrameSize(toolkit::Size size) override;
    void viewDidEndLiveResize() override;

private:
    void resized();
};

}  // namespace quorvin

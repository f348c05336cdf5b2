// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/views/ResizableContentView.h"

#include <cmath>
#include <string>

#include "quorvin/platform/DebugLog.h"

namespace quorvin {

namespace {

// A rebuild recreates every control, so a drag reports only once the width has moved further.
constexpr double kReportThreshold = 5.0;

}  // namespace

ResizableContentView::ResizableContentView(toolkit::Rect frame) : toolkit::View(frame) {}

void ResizableContentView::viewWillStartLiveResize() {
    toolkit::View::viewWillStartLiveResize();
    toolkit::debugLog("Live resize started");
    lastSize = frame().size;
}

void ResizableContentView::setFrameSize(toolkit::Size size) {
    toolkit::View::setFrameSize(size);
    if (!inLiveResize() || std::abs(size.width - lastSize.width) <= kReportThreshold) return;
    toolkit::debugLog("Frame size changed: " + toolkit::formatSize(size.width, size.height));
    lastSize = size;
    resized();
}

void ResizableContentView::viewDidEndLiveResize() {
    toolkit::View::viewDidEndLiveResize();
    toolkit::debugLog("Live resize ended");
    resized();
}

// The callback rebuilds the children of this view; it runs from a copy so that replacing
// onResize meanwhile cannot destroy the running closure.
void ResizableContentView::resized() {
    if (!onResize) return;
    const auto callback = onResize;
    callback();
}

}  // namespace quorvin

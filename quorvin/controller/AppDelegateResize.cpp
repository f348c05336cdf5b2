// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// The rebuild after a resize: every control is discarded and made again at the new width.
#include <memory>
#include <vector>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/platform/DebugLog.h"

namespace quorvin {

void AppDelegate::handleResize() {
    toolkit::debugLog("Handling resize, updating UI...");
    if (!window || !window->contentView()) return;
    const auto contentView = window->contentView();

    // A snapshot, since removing a child changes the list being walked.
    const std::vector<std::shared_ptr<toolkit::View>> children = contentView->subviews();
    for (const auto& child : children)
        child->removeFromSuperview();

    setupUI();
    updateSystemButtons();
    updateDisplay();
}

}  // namespace quorvin

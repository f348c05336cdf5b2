// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit: work that waits for the frame being painted now.

#include <functional>

namespace quorvin::toolkit {

// Runs `work` on the event loop once the events waiting now have been handled, the update requests
// that paint and flush the next frame included: it is posted below their priority
// (Qt::LowEventPriority). Work still waiting when the application ends never runs; without an
// application none is taken.
void postAfterFrame(std::function<void()> work);

}  // namespace quorvin::toolkit

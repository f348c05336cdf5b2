// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Copy and paste of the shown value as plain text.
#include <cstdio>
#include <new>
#include <string>
#include <string_view>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/platform/DebugLog.h"
#include "quorvin/text/Text.h"
#include "quorvin/toolkit/Pasteboard.h"

namespace quorvin {

void AppDelegate::copyValue() {
    if (!displayLabel) return;
    auto& pasteboard = toolkit::Pasteboard::generalPasteboard();
    pasteboard.clearContents();
    pasteboard.setString(displayLabel->stringValue(), toolkit::PasteboardType::string);
    toolkit::debugLog("Copied to clipboard: " + displayLabel->stringValue());
}

// Types the clipboard's text into the engine one user-perceived character at a time, in the
// current base; characters that are not digits of the base are skipped. A clipboard without
// text (empty, or holding only an image) changes nothing. The text is held once, inside its
// line's message, so that a paste of N bytes costs about 2N at its peak (the message and the
// line). When even that does not fit in memory, nothing is pasted and standard error says so.
void AppDelegate::pasteValue() {
    constexpr std::string_view kPrefix = "Pasted from clipboard: ";
    std::string message;
    try {
        {
            auto text = toolkit::Pasteboard::generalPasteboard().stringForType(
                toolkit::PasteboardType::string);
            if (!text || text->empty()) return;
            message.reserve(kPrefix.size() + text->size());
            message += kPrefix;
            message += *text;
        }
        toolkit::debugLog(message);
    } catch (const std::bad_alloc&) {
        std::fputs("quorvin: nothing pasted: not enough memory for the clipboard's text\n", stderr);
        std::fflush(stderr);
        return;
    }
    calculator.clear();
    toolkit::forEachGrapheme(
        std::string_view(message).substr(kPrefix.size()),
        [this](std::string_view character) { calculator.inputDigit(character, currentSystem); });
    updateDisplay();
}

}  // namespace quorvin

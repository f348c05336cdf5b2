// Copy and paste of the shown value as plain text.
#include <string>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/toolkit/DebugLog.h"
#include "quorvin/toolkit/Pasteboard.h"
#include "quorvin/toolkit/Text.h"

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
// text (empty, or holding only an image) changes nothing.
void AppDelegate::pasteValue() {
    const auto text =
        toolkit::Pasteboard::generalPasteboard().stringForType(toolkit::PasteboardType::string);
    if (!text || text->empty()) return;
    toolkit::debugLog("Pasted from clipboard: " + *text);
    calculator.clear();
    toolkit::forEachGrapheme(*text, [this](std::string_view character) {
        calculator.inputDigit(character, currentSystem);
    });
    updateDisplay();
}

}  // namespace quorvin

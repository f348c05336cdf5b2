// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvin::toolkit {

enum class PasteboardType { string };

// The desktop's clipboard (on X11 the CLIPBOARD selection), used as plain text only.
class Pasteboard {
public:
    static Pasteboard& generalPasteboard();

    // Empties the clipboard and takes ownership of it; returns a change count.
    int clearContents();
    bool setString(std::string_view text, PasteboardType type);
    // The clipboard's text as UTF-8, or nothing when it holds no text (empty, or an image only)
    // or its owner does not answer: on X11 it gets 5 s for each answer, so an owner that never
    // answers costs one wait, and a paste ends within 30 s holding at most 128 MiB (past either,
    // nothing, and one line on standard error). While it waits the windows keep answering, and
    // the input that arrives meanwhile acts after the paste.
    std::optional<std::string> stringForType(PasteboardType type) const;

private:
    Pasteboard() = default;
    int changeCount = 0;
};

}  // namespace quorvin::toolkit

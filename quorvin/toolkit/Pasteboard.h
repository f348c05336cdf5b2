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
    // or its owner does not answer: on X11 it gets 5 s for its list of formats and 5 s for the
    // text, so an owner that never answers costs one wait.
    std::optional<std::string> stringForType(PasteboardType type) const;

private:
    Pasteboard() = default;
    int changeCount = 0;
};

}  // namespace quorvin::toolkit

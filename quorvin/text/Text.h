// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorvin::toolkit {

// Calls `visit` with each user-perceived character of a UTF-8 text, in order, as UTF-8: "e" with
// a combining accent, a flag, an emoji sequence joined by U+200D and "\r\n" are one character
// each. Invalid UTF-8 is read as the desktop decodes it (replacement characters).
void forEachGrapheme(std::string_view utf8, const std::function<void(std::string_view)>& visit);

// True when the text is UTF-8 that Qt decodes and encodes back unchanged: well formed, with no
// surrogate, noncharacter or byte-order mark. Anything else is left to Qt.
bool isPlainUtf8(std::string_view text);

// The whole text upper-cased with the full Unicode mapping ("ß" becomes "SS").
std::string uppercased(std::string_view utf8);

}  // namespace quorvin::toolkit

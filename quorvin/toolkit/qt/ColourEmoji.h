// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit: the installed colour emoji font, looked up once through fontconfig.

#include <QString>

#include <optional>

namespace quorvin::toolkit {

// The family of the colour emoji font that fontconfig prefers among those drawing both clipboard
// symbols (U+1F4C4 and U+1F4CB), or none when no such font is installed. Asked for by name, it
// draws them in colour even where a monochrome symbol font would be fontconfig's own choice for
// these code points (Noto Sans Symbols2 before Noto Color Emoji, with fonts-noto-core installed).
const std::optional<QString>& colourEmojiFamily();

}  // namespace quorvin::toolkit

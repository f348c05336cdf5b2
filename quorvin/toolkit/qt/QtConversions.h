// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: the toolkit's plain values (UTF-8 text, colours, fonts, key
// events) as Qt's, and back.

#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

#include "quorvin/toolkit/Color.h"
#include "quorvin/toolkit/Font.h"
#include "quorvin/toolkit/KeyEvent.h"

namespace quorvin::toolkit {

// UTF-8 text as a QString (invalid sequences become replacement characters).
QString toQString(std::string_view utf8);
std::string toUtf8(const QString& text);
// True when the text is UTF-8 that Qt decodes and encodes back unchanged: well formed, with no
// surrogate, noncharacter or byte-order mark. Anything else is left to Qt.
bool isPlainUtf8(std::string_view text);
// English text marked QUORVIN_TRANSLATABLE, in the user's language when a translation is loaded
// (the text itself otherwise, and for any text the translation lacks).
QString toTranslatedQString(const std::string& english);
// Loads the program's translation and Qt's own for the user's languages (LANGUAGE, then the
// locale), those that exist.
void installTranslation();

// Colour components are clamped to 0…1; the result is exact sRGB.
QColor toQColor(const Color& color);
// The desktop's general or fixed system font at `font.size` device-independent pixels.
QFont toQFont(const Font& font, double logicalDpiY);

// The key-down event a Qt key press stands for, or none for a modifier key pressed alone.
std::optional<KeyEvent> toKeyEvent(const QKeyEvent& event);

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: the toolkit's colours and fonts as Qt's.

#include <QColor>
#include <QFont>

#include "quorvin/toolkit/Color.h"
#include "quorvin/toolkit/Font.h"

namespace quorvin::toolkit {

// Colour components are clamped to 0…1; the result is exact sRGB.
QColor toQColor(const Color& color);
// The desktop's general or fixed system font at `font.size` device-independent pixels.
QFont toQFont(const Font& font, double logicalDpiY);

}  // namespace quorvin::toolkit

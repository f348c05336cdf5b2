// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit: fonts loaded at the sizes a shrinking text is likely to be drawn at next.

#include <QFont>
#include <QString>

class QWidget;

namespace quorvin::toolkit {

// Loads `font` at the few pixel sizes just below `pixelSize`, for `widget`, once the frame being
// painted now has been flushed: one size per pass of the event loop, each shaping `sample` (the
// text just drawn), so that the glyphs it has are measured at that size as well. A size loaded
// before, or drawn at, is not loaded again.
//
// The first use of a font at a size costs about a millisecond, most of it fontconfig working out
// that size's rendering settings. A number that grows a digit at a time shrinks its field a size
// or two per digit, so without this each new digit would wait for it.
void loadSmallerSizesAfterFrame(QWidget& widget, const QFont& font, int pixelSize,
                                const QString& sample);

}  // namespace quorvin::toolkit

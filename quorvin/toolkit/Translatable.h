// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Marks a string literal as text for people that the toolkit hands on in the user's language:
// accessible names and descriptions, and tooltips. Here it stays the English literal, so callers
// keep passing and comparing plain strings; the toolkit looks the translation up when it gives
// the text to the desktop. The English text is the message's id: `lupdate -tr-function-alias
// QT_TRID_NOOP+=QUORVIN_TRANSLATABLE` finds every marked literal (the build target
// quorvin_lupdate runs it).
#define QUORVIN_TRANSLATABLE(text) text

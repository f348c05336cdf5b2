// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: the texts that assistive technology reads, in the user's
// language.

#include <QString>

#include <string>

namespace quorvin::toolkit {

// English text marked QUORVIN_TRANSLATABLE, in the user's language when a translation is loaded
// (the text itself otherwise, and for any text the translation lacks).
QString toTranslatedQString(const std::string& english);
// Loads the program's translation and Qt's own for the user's languages (LANGUAGE, then the
// locale), those that exist.
void installTranslation();

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// UTF-8 text as Qt's strings, and back.

#include <QString>

#include <string>
#include <string_view>

namespace quorvin::toolkit {

// UTF-8 text as a QString (invalid sequences become replacement characters).
QString toQString(std::string_view utf8);
std::string toUtf8(const QString& text);

}  // namespace quorvin::toolkit

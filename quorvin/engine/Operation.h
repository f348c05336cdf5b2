// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

namespace quorvin {

// The binary operation that waits for its right operand; `none` means nothing is pending.
enum class Operation { add, subtract, multiply, divide, modulo, none };

// The case name: "add", "subtract", "multiply", "divide", "modulo" or "none".
std::string_view toString(Operation operation);

}  // namespace quorvin

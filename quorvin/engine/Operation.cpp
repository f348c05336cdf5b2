// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/engine/Operation.h"

namespace quorvin {

std::string_view toString(Operation operation) {
    switch (operation) {
    case Operation::add: return "add";
    case Operation::subtract: return "subtract";
    case Operation::multiply: return "multiply";
    case Operation::divide: return "divide";
    case Operation::modulo: return "modulo";
    case Operation::none: return "none";
    }
    return "unknown";  // only reachable through a cast from an out-of-range integer
}

}  // namespace quorvin

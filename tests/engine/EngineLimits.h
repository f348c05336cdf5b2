// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <limits>

#include "quorvin/engine/NumberSystem.h"

namespace quorvin::test {

// The range of a value and the bases it is entered in, shared by the engine tests and the fuzzer.
inline constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
inline constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
inline constexpr std::array kSystems{NumberSystem::binary, NumberSystem::decimal,
                                     NumberSystem::hexadecimal};

}  // namespace quorvin::test

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "quorvin/platform/StartGuards.h"

namespace {

// Numbers the window system would scale by stay, blanks and a plus sign included; anything else is
// dropped before it is read.
TEST(StartGuards, OnlyAPositiveScaleFactorIsKept) {
    struct ScaleCase {
        const char* value;
        bool kept;
    };
    const ScaleCase cases[] = {
        {"2", true},      {" +1.5\t", true}, {"0.25\n", true}, {"+", false}, {"2x", false},
        {"1e999", false}, {"-0", false},     {"0x2", false},   {" ", false},
    };
    for (const auto& c : cases) {
        setenv("QT_SCALE_FACTOR", c.value, 1);
        EXPECT_EQ(quorvin::toolkit::dropUnusableScaleFactor(), !c.kept) << '"' << c.value << '"';
        const char* left = std::getenv("QT_SCALE_FACTOR");
        EXPECT_EQ(left ? std::string(left) : "(unset)", c.kept ? c.value : "(unset)")
            << '"' << c.value << '"';
    }
    unsetenv("QT_SCALE_FACTOR");
}

}  // namespace

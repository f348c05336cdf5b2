// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstdlib>

#include "quorvin/toolkit/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The untranslated English texts, whatever the desktop's language.
    setenv("LANGUAGE", "en", 1);
    // Listing the tests (done at build time, without a display) needs no application.
    if (!GTEST_FLAG_GET(list_tests)) quorvin::toolkit::Application::sharedApplication();
    return RUN_ALL_TESTS();
}

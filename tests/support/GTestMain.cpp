// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstdlib>

#include "quorvin/toolkit/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // English names and tooltips whatever the desktop's language, unless a run asks for one
    // (controller.de sets QUORVIN_TEST_LANGUAGE=de): the program reads LANGUAGE at start.
    const char* language = std::getenv("QUORVIN_TEST_LANGUAGE");
    setenv("LANGUAGE", language ? language : "en", 1);
    // Listing the tests (done at build time, without a display) needs no application.
    if (!GTEST_FLAG_GET(list_tests)) quorvin::toolkit::Application::sharedApplication();
    return RUN_ALL_TESTS();
}

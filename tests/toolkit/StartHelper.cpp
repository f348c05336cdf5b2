// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/Application.h"

// Starts the application and ends at once; the start-up tests read its exit status and
// standard error.
int main() {
    quorvin::toolkit::Application::sharedApplication();
    return 0;
}

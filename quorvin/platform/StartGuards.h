// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// What the program makes sure of before the window system starts, and how it says that it cannot
// start.

#include <string>
#include <string_view>

namespace quorvin::toolkit {

// Descriptors 0, 1 and 2 are open before anything else opens a file: a connection that got one of
// them would receive whatever is written to standard output or standard error. A closed one is
// opened on /dev/null.
void openStandardDescriptors();

// A reader of standard output or standard error that goes away must not end the program: writes
// then fail with EPIPE instead, and the lines are lost.
void ignoreBrokenPipes();

// Writes "quorvin: cannot start: " and `reason` as one line to standard error.
void writeStartFailure(std::string_view reason);

// Without a display to connect to (QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY unset or empty)
// writes one line to standard error and ends the process with status 1.
void exitWithoutDisplay();

// Why the window system could not be started, naming the platform, X display or Wayland display
// the environment asked for (in that order of precedence), escaped as the diagnostic lines are.
std::string windowSystemFailure();

// Qt scales every window by QT_SCALE_FACTOR. Zero, a negative or non-finite number leaves a window
// that is never mapped, and text that is no number is not used anyway: either is dropped, with
// one line on standard error, before Qt reads it. Blanks around the number and a plus sign are
// allowed, as Qt allows them. True when the variable was dropped.
bool dropUnusableScaleFactor();

}  // namespace quorvin::toolkit

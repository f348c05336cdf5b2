// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace quorvin::toolkit {

// Writes "DEBUG: " and the escaped message as one line to standard output, without ever waiting
// for it: the line joins a bounded queue that a writer thread empties into the descriptor as
// fast as the reader takes it, each line in one piece and in order. When the queue is full (the
// reader stalls) the line is dropped; the next line that gets through is preceded by one line
// on standard error saying how many were lost. When standard output fails (a closed pipe, a full
// disk) lines are dropped without a word.
void debugLog(std::string message);

// Waits until every line logged so far has been written (or dropped), for at most `timeout`;
// true when the queue emptied in time. The program does this at exit with a timeout of two
// seconds.
bool flushDebugLog(std::chrono::milliseconds timeout);

// The message as it is logged, so that every line reads back to exactly one text: a backslash
// as \\; \r, \n and \t as themselves; other C0 controls and DEL as \xHH of the byte; C1 controls
// (U+0080 to U+009F) as \xHH of the code point; the bidirectional embedding, override and
// isolate controls (U+202A to U+202E, U+2066 to U+2069) and the line and paragraph separators
// (U+2028, U+2029) as \u{XXXX}; every other byte unchanged, including bytes of invalid UTF-8.
std::string escapeControlCharacters(std::string_view text);

// Sends every line (without its line end) to `sink` instead of standard output, for tests.
// An empty sink restores standard output.
void setDebugSink(std::function<void(std::string_view line)> sink);

// A size as the diagnostic lines show it: "(450.0, 652.5)", each number in its shortest
// round-trip form and always with a fractional part.
std::string formatSize(double width, double height);

}  // namespace quorvin::toolkit

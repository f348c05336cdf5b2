#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorvin::toolkit {

// Writes "DEBUG: " and the message as one line to standard output and flushes it. Control
// characters in the message are escaped (\r, \n, \t, otherwise \xHH) so that one event stays one
// line and no terminal control sequence gets through.
void debugLog(std::string_view message);

// The message as it is logged: C0 controls and DEL as \r, \n, \t or \xHH of the byte, C1
// controls (U+0080 to U+009F) as \xHH of the code point; every other byte unchanged.
std::string escapeControlCharacters(std::string_view text);

// Sends every line (without its line end) to `sink` instead of standard output, for tests.
// An empty sink restores standard output.
void setDebugSink(std::function<void(std::string_view line)> sink);

// A size as the diagnostic lines show it: "(450.0, 652.5)", each number in its shortest
// round-trip form and always with a fractional part.
std::string formatSize(double width, double height);

}  // namespace quorvin::toolkit

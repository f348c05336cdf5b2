// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Reading the CLIPBOARD selection's text from another client, over a connection of the program's
// own to the display.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

typedef struct _XDisplay Display;

namespace quorvin::x11 {

// Opens, on the first call, the connection to the display that `display` is connected to, and
// keeps it for the program's life; false when it cannot be opened. Later calls answer the same
// whatever display they are handed.
bool openClipboardConnection(Display* display);

// Waits, with the program's event loop running, until `descriptor` can be read or `deadline`
// passes; false when the program is leaving its event loop instead (the paste then ends at once).
using WaitForReadable =
    std::function<bool(int descriptor, std::chrono::steady_clock::time_point deadline)>;

// The owner's text, as the bytes it sent, and how they are encoded.
struct ClipboardText {
    enum class Encoding { utf8, latin1 };
    std::string bytes;
    Encoding encoding = Encoding::utf8;
};

// The CLIPBOARD selection's text over that connection, decoded by the type the owner names
// (compound text becomes UTF-8, as Xlib reads it), or nothing when no connection is open, it holds
// no text, its owner does not answer in time (one wait of 5 s for a silent owner) or the paste
// passes its bounds (30 s, 128 MiB; each with one line on standard error). `wait` is asked whenever
// the owner is slower than a moment.
std::optional<ClipboardText> clipboardText(const WaitForReadable& wait);

}  // namespace quorvin::x11

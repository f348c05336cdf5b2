// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Reading the X11 CLIPBOARD selection as text over a connection of the program's own. The owner
// gets 5 s for each answer and the whole paste 30 s and 128 MiB; while it waits the caller's event
// loop runs, and the text arrives as the owner's bytes, never as a UTF-16 copy of UTF-8.

#include "quorvin/x11/Clipboard.h"

#include <poll.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace quorvin::x11 {

namespace {

using Clock = std::chrono::steady_clock;

// How long the owner gets for each answer, as long as the desktop's toolkit gives it.
constexpr std::chrono::milliseconds kOwnerTimeout{5000};
// However the owner answers, a paste ends within this time and holds at most this many of its
// bytes: far more than any text a person pastes takes from a prompt owner (100 MiB arrive in a
// few seconds), and little enough that an owner that never stops costs neither the session nor
// its memory.
constexpr std::chrono::seconds kPasteTimeLimit{30};
constexpr std::size_t kPasteByteLimit = std::size_t{128} << 20;
// Milliseconds the window may go unanswered while the next piece is on its way.
constexpr int kBriefWait = 5;
// Properties are read in pieces of this many 32-bit units, so that Xlib's copy stays small.
constexpr long kPieceLongs = 1 << 18;

struct Connection {
    Display* display = nullptr;
    ::Window requestor = 0;
    Atom clipboard = 0, targets = 0, incr = 0, property = 0;
    Atom utf8String = 0, utf8Text = 0, text = 0, compoundText = 0;
};

// Opened on the first paste, on the display the program uses, and kept unchanged for its life.
const Connection* opened = nullptr;
bool openTried = false;

const Connection* open(Display* programDisplay) {
    if (openTried) return opened;
    openTried = true;
    opened = [programDisplay]() -> const Connection* {
        if (!programDisplay) return nullptr;
        Display* display = XOpenDisplay(DisplayString(programDisplay));
        if (!display) return nullptr;
        auto* c = new Connection;
        c->display = display;
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        c->requestor = XCreateWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0,
                                     InputOnly, CopyFromParent, CWEventMask, &attributes);
        c->clipboard = XInternAtom(display, "CLIPBOARD", False);
        c->targets = XInternAtom(display, "TARGETS", False);
        c->incr = XInternAtom(display, "INCR", False);
        c->property = XInternAtom(display, "QUORVIN_CLIPBOARD", False);
        c->utf8String = XInternAtom(display, "UTF8_STRING", False);
        c->utf8Text = XInternAtom(display, "text/plain;charset=utf-8", False);
        c->text = XInternAtom(display, "TEXT", False);
        c->compoundText = XInternAtom(display, "COMPOUND_TEXT", False);
        return c;
    }();
    return opened;
}

// Why a paste gave up before the owner had said all; only the two bounds are worth a line.
enum class Stop { none, refused, ownerSilent, tooSlow, tooLarge, leaving };

void reportStop(Stop stop) {
    const char* why = nullptr;
    switch (stop) {
    case Stop::tooSlow: why = "the clipboard's owner took longer than 30 s"; break;
    case Stop::tooLarge: why = "the clipboard's text is larger than 128 MiB"; break;
    case Stop::none:
    case Stop::refused:
    case Stop::ownerSilent:
    case Stop::leaving: return;
    }
    std::fprintf(stderr, "quorvin: nothing pasted: %s\n", why);
    std::fflush(stderr);
}

// One paste: its connection, its deadline and, once it has stopped early, why.
struct Transfer {
    const Connection& c;
    const WaitForReadable& wait;
    Clock::time_point deadline;
    Stop stop = Stop::none;
    std::size_t held = 0;  // bytes of the owner's text kept so far

    // Waits for the next event of the requestor window that `matches`, for at most one answer's
    // time within the paste's deadline.
    template <class Matches>
    std::optional<XEvent> waitForEvent(Matches matches) {
        const auto answerDeadline = std::min(Clock::now() + kOwnerTimeout, deadline);
        for (;;) {
            while (XPending(c.display) > 0) {
                XEvent event;
                XNextEvent(c.display, &event);
                if (matches(event)) return event;
            }
            if (Clock::now() >= answerDeadline) {
                stop = answerDeadline == deadline ? Stop::tooSlow : Stop::ownerSilent;
                return std::nullopt;
            }
            // A prompt owner's next piece is usually there within a moment; only a longer wait
            // goes through the event loop, which costs more than the piece itself.
            pollfd descriptor{ConnectionNumber(c.display), POLLIN, 0};
            if (poll(&descriptor, 1, kBriefWait) > 0) continue;
            // Readable or past the deadline, the loop's start tells which.
            if (!wait(ConnectionNumber(c.display), answerDeadline)) {
                stop = Stop::leaving;
                return std::nullopt;
            }
        }
    }

    // Reads and deletes the requestor's property, a piece at a time, into a string of exactly
    // its size (never more than the paste may still hold). Its type and format are stored.
    std::optional<std::string> readProperty(Atom& type, int& format) {
        std::string into;
        long offset = 0;
        for (;;) {
            unsigned long count = 0, bytesAfter = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(c.display, c.requestor, c.property, offset, kPieceLongs, False,
                                   AnyPropertyType, &type, &format, &count, &bytesAfter,
                                   &data) != Success) {
                return std::nullopt;
            }
            const std::unique_ptr<unsigned char, int (*)(void*)> owned(data, XFree);
            const auto itemBytes = static_cast<unsigned long>(format / 8);
            // Xlib hands 32-bit items over as longs; they are kept as 4 bytes each.
            const unsigned long keptItemBytes = format == 32 ? 4 : itemBytes;
            if (offset == 0) {
                const unsigned long total = count * keptItemBytes + bytesAfter;
                if (total > kPasteByteLimit - held) {
                    stop = Stop::tooLarge;
                    return std::nullopt;
                }
                into.reserve(total);
            }
            if (data && format == 32) {
                const auto* items = reinterpret_cast<const long*>(data);
                for (unsigned long i = 0; i < count; ++i) {
                    const auto item = static_cast<std::uint32_t>(items[i]);
                    into.append(reinterpret_cast<const char*>(&item), sizeof item);
                }
            } else if (data) {
                into.append(reinterpret_cast<const char*>(data), count * itemBytes);
            }
            if (bytesAfter == 0 || count == 0) break;
            offset += static_cast<long>(count * itemBytes / 4);
        }
        XDeleteProperty(c.display, c.requestor, c.property);
        held += into.size();
        return into;
    }
};

struct Answer {
    Atom type = 0;
    int format = 0;
    std::string bytes;
};

// The selection converted to `target`, or nothing when the owner refuses, does not answer in
// time or would exceed the paste's bounds (`transfer.stop` says which).
std::optional<Answer> convert(Transfer& transfer, Atom target) {
    const Connection& c = transfer.c;
    // Whatever a late owner still sent for an earlier request is dropped first.
    XSync(c.display, False);
    while (XPending(c.display) > 0) {
        XEvent stale;
        XNextEvent(c.display, &stale);
    }
    XDeleteProperty(c.display, c.requestor, c.property);
    XConvertSelection(c.display, c.clipboard, target, c.property, c.requestor, CurrentTime);
    XFlush(c.display);
    const auto notified = transfer.waitForEvent([&c, target](const XEvent& event) {
        return event.type == SelectionNotify && event.xselection.requestor == c.requestor &&
               event.xselection.target == target;
    });
    if (!notified) return std::nullopt;
    if (notified->xselection.property == 0) {
        transfer.stop = Stop::refused;
        return std::nullopt;
    }

    Answer answer;
    auto first = transfer.readProperty(answer.type, answer.format);
    if (!first) return std::nullopt;
    if (answer.type != c.incr) {
        answer.bytes = std::move(*first);
        return answer;
    }

    // An incremental transfer: the property held the owner's lower bound of the size, which is
    // only a claim and reserves nothing. Each piece arrives as a new value of the property and is
    // kept as it came; an empty piece ends it, and the pieces are joined once their size is known.
    first.reset();
    XFlush(c.display);
    std::vector<std::string> pieces;
    std::size_t size = 0;
    for (;;) {
        const auto piece = transfer.waitForEvent([&c](const XEvent& event) {
            return event.type == PropertyNotify && event.xproperty.window == c.requestor &&
                   event.xproperty.atom == c.property && event.xproperty.state == PropertyNewValue;
        });
        if (!piece) return std::nullopt;
        auto bytes = transfer.readProperty(answer.type, answer.format);
        if (!bytes) return std::nullopt;
        XFlush(c.display);
        if (bytes->empty()) break;
        size += bytes->size();
        pieces.push_back(std::move(*bytes));
    }
    answer.bytes.reserve(size);
    for (std::string& piece : pieces)
        answer.bytes += std::exchange(piece, std::string());
    return answer;
}

bool offers(std::string_view targets, Atom target) {
    for (std::size_t i = 0; i + 4 <= targets.size(); i += 4) {
        std::uint32_t atom = 0;
        std::memcpy(&atom, targets.data() + i, sizeof atom);
        if (atom == target) return true;
    }
    return false;
}

// Compound text (ISO 2022 with X's escapes; plain Latin-1 is the simplest case) as UTF-8, by
// Xlib's own converter. Its NUL-separated parts are kept apart by NULs.
// TEXT is no encoding of its own; an owner that names it is read as compound text, which reads
// plain Latin-1 the same way.
std::optional<ClipboardText> fromCompoundText(const Connection& c, std::string& bytes) {
    XTextProperty property{};
    property.value = reinterpret_cast<unsigned char*>(bytes.data());
    property.encoding = c.compoundText;
    property.format = 8;
    property.nitems = bytes.size();
    char** list = nullptr;
    int count = 0;
    const int status = Xutf8TextPropertyToTextList(c.display, &property, &list, &count);
    if (status < Success || !list) return std::nullopt;
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += '\0';
        text += list[i];
    }
    XFreeStringList(list);
    return ClipboardText{std::move(text), ClipboardText::Encoding::utf8};
}

// The answer's bytes as text, decoded by the type the owner gave them (whatever was asked for), or
// nothing when that type is no text.
std::optional<ClipboardText> decode(const Connection& c, Atom target, Answer answer) {
    if (answer.format != 8) return std::nullopt;
    std::string& bytes = answer.bytes;
    // A final NUL is the C string's end, except in the MIME type, which carries bytes as they are.
    if (target != c.utf8Text && !bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    if (answer.type == c.utf8String || answer.type == c.utf8Text)
        return ClipboardText{std::move(bytes), ClipboardText::Encoding::utf8};
    if (answer.type == XA_STRING)
        return ClipboardText{std::move(bytes), ClipboardText::Encoding::latin1};
    if (answer.type == c.compoundText || answer.type == c.text) return fromCompoundText(c, bytes);
    return std::nullopt;
}

std::optional<ClipboardText> readText(Transfer& transfer) {
    const Connection& c = transfer.c;
    const auto targets = convert(transfer, c.targets);
    if (!targets || targets->format != 32) return std::nullopt;
    // Qt's own clipboard asks in this order, so that a text reads the same; compound text, which
    // it does not read, comes before the Latin-1 of STRING.
    for (const Atom target : {c.utf8Text, c.utf8String, c.compoundText, Atom{XA_STRING}, c.text}) {
        if (!offers(targets->bytes, target)) continue;
        auto answer = convert(transfer, target);
        if (!answer) return std::nullopt;
        return decode(c, target, std::move(*answer));
    }
    return std::nullopt;
}

}  // namespace

bool openClipboardConnection(Display* display) {
    return open(display) != nullptr;
}

std::optional<ClipboardText> clipboardText(const WaitForReadable& wait) {
    const Connection* c = opened;
    if (!c || XGetSelectionOwner(c->display, c->clipboard) == 0) return std::nullopt;
    Transfer transfer{*c, wait, Clock::now() + kPasteTimeLimit};
    try {
        auto text = readText(transfer);
        reportStop(transfer.stop);
        return text;
    } catch (const std::bad_alloc&) {
        std::fputs("quorvin: nothing pasted: not enough memory for the clipboard's text\n", stderr);
    } catch (const std::exception& problem) {
        std::fprintf(stderr, "quorvin: nothing pasted: %s\n", problem.what());
    }
    std::fflush(stderr);
    return std::nullopt;
}

}  // namespace quorvin::x11

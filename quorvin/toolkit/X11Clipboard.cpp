// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Reading the X11 CLIPBOARD selection as text over a connection of the toolkit's own, so that the
// waits are the toolkit's: one for the owner's list of targets, one for the text (each further
// piece of an incremental transfer restarts it), and the text arrives as the owner's bytes,
// never as a UTF-16 copy. Xlib's macros clash with Qt's names, so its headers come last.

#include <QByteArray>
#include <QGuiApplication>
#include <QString>

#include <poll.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "quorvin/toolkit/QtConversions.h"
#include "quorvin/toolkit/X11.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace quorvin::toolkit {

namespace {

using Clock = std::chrono::steady_clock;

// How long the owner gets for each answer, as long as the desktop's toolkit gives it.
constexpr std::chrono::milliseconds kOwnerTimeout{5000};
// Properties are read in pieces of this many 32-bit units, so that Xlib's copy stays small.
constexpr long kPieceLongs = 1 << 18;

struct Connection {
    Display* display = nullptr;
    ::Window requestor = 0;
    Atom clipboard = 0, targets = 0, incr = 0, property = 0;
    Atom utf8String = 0, utf8Text = 0, text = 0;
};

// Opened on the first paste, on the display Qt uses, and kept unchanged for the program's life.
const Connection* connection() {
    static const Connection* const opened = []() -> const Connection* {
        const auto* x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        if (!x11 || !x11->display()) return nullptr;
        Display* display = XOpenDisplay(DisplayString(x11->display()));
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
        return c;
    }();
    return opened;
}

// The next event of the requestor window that `matches`, or nothing once `deadline` passes.
template <class Matches>
std::optional<XEvent> waitForEvent(Display* display, Clock::time_point deadline, Matches matches) {
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (matches(event)) return event;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
        if (poll(&descriptor, 1, static_cast<int>(left.count()) + 1) < 0 && errno != EINTR) {
            return std::nullopt;
        }
    }
}

// Reads and deletes the requestor's property, a piece at a time, appending to `into`.
Atom readProperty(const Connection& c, std::string& into, int& format) {
    Atom type = 0;
    long offset = 0;
    for (;;) {
        unsigned long count = 0, bytesAfter = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(c.display, c.requestor, c.property, offset, kPieceLongs, False,
                               AnyPropertyType, &type, &format, &count, &bytesAfter,
                               &data) != Success) {
            return 0;
        }
        const auto itemBytes = static_cast<unsigned long>(format / 8);
        if (offset == 0) into.reserve(into.size() + count * itemBytes + bytesAfter);
        if (data) {
            if (format == 32) {
                // Xlib hands 32-bit items over as longs.
                const auto* items = reinterpret_cast<const long*>(data);
                for (unsigned long i = 0; i < count; ++i) {
                    const auto item = static_cast<std::uint32_t>(items[i]);
                    into.append(reinterpret_cast<const char*>(&item), sizeof item);
                }
            } else {
                into.append(reinterpret_cast<const char*>(data), count * itemBytes);
            }
            XFree(data);
        }
        if (bytesAfter == 0 || count == 0) break;
        offset += static_cast<long>(count * itemBytes / 4);
    }
    XDeleteProperty(c.display, c.requestor, c.property);
    return type;
}

// The selection converted to `target`, or nothing when the owner refuses or does not answer.
std::optional<std::string> convert(const Connection& c, Atom target) {
    // Whatever a late owner still sent for an earlier request is dropped first.
    XSync(c.display, False);
    while (XPending(c.display) > 0) {
        XEvent stale;
        XNextEvent(c.display, &stale);
    }
    XDeleteProperty(c.display, c.requestor, c.property);
    XConvertSelection(c.display, c.clipboard, target, c.property, c.requestor, CurrentTime);
    XFlush(c.display);
    const auto notified =
        waitForEvent(c.display, Clock::now() + kOwnerTimeout, [&c, target](const XEvent& event) {
            return event.type == SelectionNotify && event.xselection.requestor == c.requestor &&
                   event.xselection.target == target;
        });
    if (!notified || notified->xselection.property == 0) return std::nullopt;

    std::string bytes;
    int format = 0;
    const Atom type = readProperty(c, bytes, format);
    if (type != c.incr) return bytes;

    // An incremental transfer: the property held a lower bound of the size; each piece
    // arrives as a new value of the property, and an empty piece ends it.
    std::uint32_t lowerBound = 0;
    if (bytes.size() >= sizeof lowerBound)
        std::memcpy(&lowerBound, bytes.data(), sizeof lowerBound);
    std::string text;
    text.reserve(lowerBound);
    XFlush(c.display);
    for (;;) {
        const auto piece =
            waitForEvent(c.display, Clock::now() + kOwnerTimeout, [&c](const XEvent& event) {
                return event.type == PropertyNotify && event.xproperty.window == c.requestor &&
                       event.xproperty.atom == c.property &&
                       event.xproperty.state == PropertyNewValue;
            });
        if (!piece) return std::nullopt;
        const std::size_t before = text.size();
        readProperty(c, text, format);
        XFlush(c.display);
        if (text.size() == before) return text;
    }
}

bool offers(std::string_view targets, Atom target) {
    for (std::size_t i = 0; i + 4 <= targets.size(); i += 4) {
        std::uint32_t atom = 0;
        std::memcpy(&atom, targets.data() + i, sizeof atom);
        if (atom == target) return true;
    }
    return false;
}

}  // namespace

bool x11ClipboardReadable() {
    return QGuiApplication::platformName() == QLatin1String("xcb") && connection() != nullptr;
}

std::optional<std::string> x11ClipboardText() {
    const Connection* c = connection();
    if (!c || XGetSelectionOwner(c->display, c->clipboard) == 0) return std::nullopt;
    const auto targets = convert(*c, c->targets);
    if (!targets) return std::nullopt;
    // The order and the conversions Qt's own clipboard applies, so that a text reads the same.
    if (offers(*targets, c->utf8Text)) {
        auto text = convert(*c, c->utf8Text);
        if (text && !isPlainUtf8(*text)) text = toUtf8(QString::fromUtf8(QByteArrayView(*text)));
        return text;
    }
    for (const Atom target : {c->utf8String, Atom{XA_STRING}, c->text}) {
        if (!offers(*targets, target)) continue;
        auto text = convert(*c, target);
        if (!text) return std::nullopt;
        if (!text->empty() && text->back() == '\0') text->pop_back();
        if (target != c->utf8String) {
            text = toUtf8(QString::fromLatin1(QByteArrayView(*text)));
        } else if (!isPlainUtf8(*text)) {
            text = toUtf8(QString::fromUtf8(QByteArrayView(*text)));
        }
        return text;
    }
    return std::nullopt;
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/Pasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "quorvin/text/QtText.h"
#include "quorvin/text/Text.h"
#include "quorvin/toolkit/qt/InputRouter.h"
#include "quorvin/x11/Clipboard.h"

namespace quorvin::toolkit {

namespace {

// True on X11 once the program's own connection for reading the clipboard is open.
bool x11ClipboardReadable() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11::openClipboardConnection(x11 ? x11->display() : nullptr);
}

// The clipboard's text read over that connection as UTF-8 (invalid sequences become replacement
// characters). The event loop runs while it waits, with the input that arrives held by the router;
// the bytes arrive once, without a UTF-16 copy of text that is plain UTF-8 already.
std::optional<std::string> x11ClipboardText() {
    auto text = x11::clipboardText([](int descriptor,
                                      std::chrono::steady_clock::time_point deadline) {
        return InputRouter::waitForReadable(descriptor, deadline) != InputRouter::WaitEnd::quitting;
    });
    if (!text) return std::nullopt;
    switch (text->encoding) {
    case x11::ClipboardText::Encoding::utf8:
        if (isPlainUtf8(text->bytes)) return std::move(text->bytes);
        return toUtf8(QString::fromUtf8(QByteArrayView(text->bytes)));
    case x11::ClipboardText::Encoding::latin1:
        return toUtf8(QString::fromLatin1(QByteArrayView(text->bytes)));
    }
    return std::nullopt;
}

}  // namespace

Pasteboard& Pasteboard::generalPasteboard() {
    static Pasteboard pasteboard;
    return pasteboard;
}

int Pasteboard::clearContents() {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    return ++changeCount;
}

bool Pasteboard::setString(std::string_view text, PasteboardType type) {
    switch (type) {
    case PasteboardType::string:
        QGuiApplication::clipboard()->setText(toQString(text), QClipboard::Clipboard);
        return true;
    }
    return false;
}

std::optional<std::string> Pasteboard::stringForType(PasteboardType type) const {
    switch (type) {
    case PasteboardType::string: {
        const QClipboard* clipboard = QGuiApplication::clipboard();
        // Another program's text, on X11, comes over the toolkit's own connection: one wait
        // for an owner that does not answer, and no UTF-16 copy of a long text.
        if (!clipboard->ownsClipboard() && x11ClipboardReadable()) return x11ClipboardText();
        const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
        if (!data || !data->hasText()) return std::nullopt;
        return toUtf8(data->text());
    }
    }
    return std::nullopt;
}

}  // namespace quorvin::toolkit

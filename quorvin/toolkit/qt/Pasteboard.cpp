// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/Pasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "quorvin/toolkit/QtConversions.h"
#include "quorvin/toolkit/X11.h"

namespace quorvin::toolkit {

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

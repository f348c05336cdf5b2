#include "quorvin/toolkit/Pasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "quorvin/toolkit/QtBridge.h"

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
        const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
        if (!data || !data->hasText()) return std::nullopt;
        const QByteArray utf8 = data->text().toUtf8();
        return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    }
    return std::nullopt;
}

}  // namespace quorvin::toolkit

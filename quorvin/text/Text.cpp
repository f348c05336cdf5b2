// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/text/Text.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QTextBoundaryFinder>

#include <cstdint>
#include <cstring>

#include "quorvin/text/QtText.h"

namespace quorvin::toolkit {

namespace {

// A text is split a piece of about this many bytes at a time, so that no UTF-16 copy of a long
// text exists whole.
constexpr std::size_t kPieceBytes = 64 * 1024;

bool isContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

bool isNoncharacter(char32_t code) {
    return (code >= 0xFDD0 && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE;
}

// Appends UTF-16 code units as UTF-8. A lone surrogate becomes U+FFFD, as Qt encodes it.
void appendUtf8(std::string& out, const char16_t* units, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i) {
        char32_t code = units[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (char32_t{units[i + 1]} - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
}

// For text that is not plain UTF-8: decoded whole, each character encoded back.
void forEachGraphemeOfDecodedText(std::string_view utf8,
                                  const std::function<void(std::string_view)>& visit) {
    // A byte order mark at the start is kept as the character it is, not dropped.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
    const auto* units = reinterpret_cast<const char16_t*>(text.utf16());
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    // One buffer for every character: megabytes of text must not cost an allocation each.
    std::string grapheme;
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > start; end = finder.toNextBoundary()) {
        // After some complex-script letters (Khmer among them) Qt 6.4's finder also puts a
        // boundary between the two halves of a surrogate pair; a code point is never cut.
        if (end < text.size() && QChar::isHighSurrogate(units[end - 1]) &&
            QChar::isLowSurrogate(units[end]))
            continue;
        grapheme.clear();
        appendUtf8(grapheme, units + start, end - start);
        visit(grapheme);
        start = end;
    }
}

// Visits the characters of `piece` that certainly end inside it (all of them when it is the end of
// the text) as views into it; returns how many bytes they took. A boundary inside the piece is
// one in the whole text as well: the rules look back no further than the character's own start,
// and ahead only at the next character.
std::size_t visitPiece(std::string_view piece, bool endOfText,
                       const std::function<void(std::string_view)>& visit) {
    const QString text = toQString(piece);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    std::size_t visited = 0, byte = 0;
    qsizetype unit = 0;
    for (qsizetype boundary = finder.toNextBoundary(); boundary >= 0;
         boundary = finder.toNextBoundary()) {
        // Qt 6.4 may put a boundary inside a surrogate pair (see above); the walk below has
        // already taken the whole code point.
        if (boundary <= unit) continue;
        if (boundary == text.size() && !endOfText) break;  // it may go on in the next piece
        while (unit < boundary) {
            // A four-byte sequence is two UTF-16 units; every other one is one.
            const auto lead = static_cast<unsigned char>(piece[byte]);
            const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            byte += length;
            unit += length == 4 ? 2 : 1;
        }
        visit(piece.substr(visited, byte - visited));
        visited = byte;
    }
    return visited;
}

}  // namespace

bool isPlainUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        std::uint64_t word = 0;
        if (size - i >= sizeof word) {
            std::memcpy(&word, bytes + i, sizeof word);
            if ((word & 0x8080808080808080u) == 0) {
                i += sizeof word;
                continue;
            }
        }
        const unsigned lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t code = 0, lowest = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1F, lowest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0F, lowest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07, lowest = 0x10000;
        } else {
            return false;
        }
        if (size - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) return false;
            code = (code << 6) | (bytes[i + k] & 0x3F);
        }
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
            code == 0xFEFF || isNoncharacter(code)) {
            return false;
        }
        i += length;
    }
    return true;
}

// Plain UTF-8 is split a piece at a time, and each character is a view into the text itself.
void forEachGrapheme(std::string_view utf8, const std::function<void(std::string_view)>& visit) {
    if (!isPlainUtf8(utf8)) {
        forEachGraphemeOfDecodedText(utf8, visit);
        return;
    }
    std::size_t start = 0, pieceBytes = kPieceBytes;
    while (start < utf8.size()) {
        std::size_t end = std::min(utf8.size(), start + pieceBytes);
        while (end < utf8.size() && isContinuationByte(utf8[end]))
            ++end;
        const bool endOfText = end == utf8.size();
        const std::size_t visited = visitPiece(utf8.substr(start, end - start), endOfText, visit);
        // One character longer than the piece: the next piece is twice as long, so that even a
        // text that is one character costs linear time.
        pieceBytes = visited == 0 ? pieceBytes * 2 : kPieceBytes;
        start += visited;
    }
}

std::string uppercased(std::string_view utf8) {
    const QByteArray upper = toQString(utf8).toUpper().toUtf8();
    return std::string(upper.constData(), static_cast<std::size_t>(upper.size()));
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// libFuzzer target for the toolkit's text handling. Every input is logged and must read back to
// exactly itself, with nothing left in the line that a terminal would act on; and it is split into
// user-perceived characters, which must be the ones Qt's boundary finder gives for the whole
// text (never cutting a code point), in order, and together the text itself.
//
// For invalid UTF-8 the escaping still reads back byte for byte (stray bytes pass through
// unchanged and are never taken for an escape); the split sees the text as Qt decodes it, with
// replacement characters.
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QTextBoundaryFinder>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quorvin/platform/DebugLog.h"
#include "quorvin/text/Text.h"

namespace {

void check(bool holds) {
    if (!holds) __builtin_trap();
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // lower case is never written
}

// The text a logged line stands for. Fails on anything the escaping never writes: an unknown
// escape, lower-case hex, a \x of a printable character, a \u{} of a character left as it is.
std::string unescape(std::string_view logged) {
    std::string text;
    for (std::size_t i = 0; i < logged.size(); ++i) {
        if (logged[i] != '\\') {
            text.push_back(logged[i]);
            continue;
        }
        check(i + 1 < logged.size());
        const char kind = logged[++i];
        if (kind == '\\') {
            text.push_back('\\');
        } else if (kind == 'r') {
            text.push_back('\r');
        } else if (kind == 'n') {
            text.push_back('\n');
        } else if (kind == 't') {
            text.push_back('\t');
        } else if (kind == 'x') {
            check(i + 2 < logged.size());
            const int high = hexValue(logged[i + 1]);
            const int low = hexValue(logged[i + 2]);
            check(high >= 0 && low >= 0);
            const auto value = static_cast<char32_t>(high * 16 + low);
            check(value < 0x20 || (value >= 0x7F && value <= 0x9F));
            check(value != '\r' && value != '\n' && value != '\t');
            appendUtf8(text, value);
            i += 2;
        } else if (kind == 'u') {
            check(logged.substr(i + 1, 1) == "{" && logged.substr(i + 6, 1) == "}");
            char32_t value = 0;
            for (std::size_t k = i + 2; k < i + 6; ++k) {
                const int digit = hexValue(logged[k]);
                check(digit >= 0);
                value = value * 16 + static_cast<char32_t>(digit);
            }
            check((value >= 0x2028 && value <= 0x202E) || (value >= 0x2066 && value <= 0x2069));
            appendUtf8(text, value);
            i += 6;
        } else {
            check(false);
        }
    }
    return text;
}

// The code points of a UTF-8 text, or nothing when it is not valid UTF-8 (overlong forms,
// surrogates and values past U+10FFFF are invalid).
bool decodeUtf8(std::string_view text, std::vector<char32_t>& codes) {
    codes.clear();
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
        if (length == 0 || i + length > text.size()) return false;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3F);
        }
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        codes.push_back(code);
        i += length;
    }
    return true;
}

bool actedOnByTerminals(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || (code >= 0x2028 && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

void checkEscaping(std::string_view text) {
    const std::string logged = quorvin::toolkit::escapeControlCharacters(text);
    check(unescape(logged) == text);
    for (const char c : logged)
        check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    std::vector<char32_t> codes;
    if (decodeUtf8(text, codes)) {
        check(decodeUtf8(logged, codes));
        for (const char32_t code : codes)
            check(!actedOnByTerminals(code));
    }
}

void checkCharacters(std::string_view text) {
    // Every character, a byte order mark at the start included.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    const QString decoded =
        decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    std::vector<std::string> expected;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, decoded);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > start; end = finder.toNextBoundary()) {
        if (end < decoded.size() && decoded[end - 1].isHighSurrogate() &&
            decoded[end].isLowSurrogate())
            continue;  // a code point is never cut, whatever the finder says
        const QByteArray piece = decoded.mid(start, end - start).toUtf8();
        expected.emplace_back(piece.constData(), static_cast<std::size_t>(piece.size()));
        start = end;
    }
    std::vector<std::string> visited;
    quorvin::toolkit::forEachGrapheme(
        text, [&](std::string_view character) { visited.emplace_back(character); });
    check(visited == expected);
    std::string joined;
    for (const std::string& character : visited) {
        check(!character.empty());
        joined += character;
    }
    const QByteArray whole = decoded.toUtf8();
    check(joined == std::string_view(whole.constData(), static_cast<std::size_t>(whole.size())));
    std::vector<char32_t> codes;
    if (decodeUtf8(text, codes)) check(joined == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkEscaping(text);
    checkCharacters(text);
    return 0;
}

#include "quorvin/toolkit/Text.h"

#include <QString>
#include <QTextBoundaryFinder>

#include "quorvin/toolkit/QtBridge.h"

namespace quorvin::toolkit {

namespace {

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

}  // namespace

QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void forEachGrapheme(std::string_view utf8, const std::function<void(std::string_view)>& visit) {
    const QString text = toQString(utf8);
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

std::string uppercased(std::string_view utf8) {
    const QByteArray upper = toQString(utf8).toUpper().toUtf8();
    return std::string(upper.constData(), static_cast<std::size_t>(upper.size()));
}

}  // namespace quorvin::toolkit

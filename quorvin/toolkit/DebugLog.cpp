#include "quorvin/toolkit/DebugLog.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quorvin::toolkit {

namespace {

std::function<void(std::string_view)>& debugSink() {
    static std::function<void(std::string_view)> sink;
    return sink;
}

void appendHexEscape(std::string& out, unsigned value) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out.push_back(kDigits[(value >> 4) & 0xF]);
    out.push_back(kDigits[value & 0xF]);
}

void appendEscaped(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            appendHexEscape(out, byte);
        } else if (byte == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // U+0080 to U+009F: C2 followed by the code point itself.
            appendHexEscape(out, static_cast<unsigned char>(text[++i]));
        } else {
            out.push_back(text[i]);
        }
    }
}

std::string formatNumber(double value) {
    char buffer[512];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text = error == std::errc{} ? std::string(buffer, end) : std::string("nan");
    if (std::isfinite(value) && text.find('.') == std::string::npos) text += ".0";
    return text;
}

}  // namespace

void debugLog(std::string_view message) {
    // Built in one allocation, with room for the line end: a pasted text's line may be hundreds
    // of megabytes.
    constexpr std::string_view kPrefix = "DEBUG: ";
    std::string line;
    line.reserve(kPrefix.size() + message.size() + 1);
    line += kPrefix;
    appendEscaped(line, message);
    if (const auto sink = debugSink()) {
        sink(line);
        return;
    }
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

std::string escapeControlCharacters(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

void setDebugSink(std::function<void(std::string_view line)> sink) {
    debugSink() = std::move(sink);
}

std::string formatSize(double width, double height) {
    return "(" + formatNumber(width) + ", " + formatNumber(height) + ")";
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QTextBoundaryFinder>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "quorvin/text/Text.h"

namespace quorvin::toolkit {
namespace {

using Graphemes = std::vector<std::string>;

Graphemes graphemesOf(std::string_view text) {
    Graphemes graphemes;
    graphemes.reserve(text.size());  // never more characters than bytes
    forEachGrapheme(text, [&](std::string_view g) { graphemes.emplace_back(g); });
    return graphemes;
}

struct GraphemeCase {
    const char* name;
    std::string text;
    Graphemes expected;
};
const std::string kReplacement = "\xEF\xBF\xBD";
const GraphemeCase kGraphemeCases[] = {
    {"ASCII", "1F+", {"1", "F", "+"}},
    {"empty", "", {}},
    {"combining accent", "e\xCC\x81x", {"e\xCC\x81", "x"}},
    {"one flag", "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA", {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA"}},
    {"two flags",
     "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7",
     {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA", "\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7"}},
    {"skin tone", "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD", {"\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD"}},
    {"ZWJ family",
     "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7"
     "7",
     {"\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7", "7"}},
    {"CR LF", "1\r\n2\n\r", {"1", "\r\n", "2", "\n", "\r"}},
    {"keycap",
     "1\xEF\xB8\x8F\xE2\x83\xA3"
     "1",
     {"1\xEF\xB8\x8F\xE2\x83\xA3", "1"}},
    {"invalid bytes",
     "a\xFF"
     "b\xC3",
     {"a", kReplacement, "b", kReplacement}},
    {"encoded surrogate", "\xED\xA0\x80", {kReplacement, kReplacement, kReplacement}},
    {"embedded NUL",
     std::string("1\0"
                 "2",
                 3),
     {"1", std::string(1, '\0'), "2"}},
    {"four-byte code point", "\xF0\x90\x8D\x88!", {"\xF0\x90\x8D\x88", "!"}},
    // Qt's UTF-8 decoding drops a byte order mark at the start of a text; it is a character too.
    {"leading byte order mark",
     "\xEF\xBB\xBF"
     "1",
     {"\xEF\xBB\xBF", "1"}},
    // Qt's boundary finder puts a boundary inside the emoji after a Khmer letter.
    {"emoji after a Khmer letter",
     "\xE1\x9E\x80\xF0\x9F\x98\x80",
     {"\xE1\x9E\x80", "\xF0\x9F\x98\x80"}},
};

TEST(Graphemes, EachUserPerceivedCharacterIsOneVisit) {
    for (const auto& c : kGraphemeCases)
        EXPECT_EQ(graphemesOf(c.text), c.expected) << c.name;
}

TEST(Graphemes, ValidTextIsCutWithoutLoss) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "12\xC3\x9F\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD\r\ne\xCC\x81\xE2\x80\x94";
    std::string joined;
    std::size_t count = 0;
    forEachGrapheme(text, [&](std::string_view g) {
        joined += g;
        ++count;
    });
    EXPECT_EQ(joined, text);
    EXPECT_EQ(count, 20000u * 7);
}

// The split of the whole text at once, as the desktop's text engine makes it.
Graphemes graphemesOfWholeText(const std::string& text) {
    const QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, decoded);
    Graphemes graphemes;
    graphemes.reserve(static_cast<std::size_t>(decoded.size()));
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > start; end = finder.toNextBoundary()) {
        const QByteArray bytes = QStringView(decoded).mid(start, end - start).toUtf8();
        graphemes.emplace_back(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        start = end;
    }
    return graphemes;
}

std::string repeated(std::string_view unit, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += unit;
    return text;
}

// Characters of several code points, placed across the point where a long text is cut into
// pieces (64 KiB), at every offset around it.
const std::string kRegionalIndicator = "\xF0\x9F\x87\xA9";
const std::string kStraddlingCharacters[] = {
    "e\xCC\x81",
    "\r\n",
    "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD",
    "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7",
    "1\xEF\xB8\x8F\xE2\x83\xA3",
    repeated(kRegionalIndicator, 41),   // an odd run: twenty flags and one lone indicator
    "e" + repeated("\xCC\x81", 50000),  // one character longer than a piece
};

TEST(Graphemes, LongTextsSplitAsTheWholeTextDoes) {
    constexpr std::size_t kPiece = 64 * 1024;
    for (const auto& character : kStraddlingCharacters) {
        for (std::size_t before = kPiece - 9; before <= kPiece + 1; ++before) {
            const std::string text = std::string(before, 'x') + character + "7" + character;
            EXPECT_EQ(graphemesOf(text), graphemesOfWholeText(text))
                << character.size() << " bytes after " << before;
        }
    }
}

struct UpperCase {
    std::string text;
    std::string expected;
};
const UpperCase kUpperCases[] = {
    {"\xC3\x9F", "SS"},
    {"\xEF\xAC\x81", "FI"},
    {"ff", "FF"},
    {"0x1f", "0X1F"},
    {"", ""},
    {"\xC3\xBF", "\xC5\xB8"},
    {"\xCF\x83", "\xCE\xA3"},
    {"A1-", "A1-"},
    {std::string("a\0b", 3), std::string("A\0B", 3)},
};

TEST(Uppercased, AppliesTheFullUnicodeMapping) {
    for (const auto& c : kUpperCases)
        EXPECT_EQ(uppercased(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace quorvin::toolkit

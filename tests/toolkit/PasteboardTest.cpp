// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

#include <string>

#include "quorvin/toolkit/Application.h"
#include "quorvin/toolkit/Pasteboard.h"

namespace quorvin::toolkit {
namespace {

TEST(Pasteboard, TextMakesTheRoundTripUnchanged) {
    Pasteboard& pasteboard = Pasteboard::generalPasteboard();
    for (const std::string& text :
         {std::string("FFFFFFFFFFFFFFFB"), std::string("-9223372036854775808"),
          std::string("\xC3\x9F \xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD e\xCC\x81 \r\n\t\x1B[2J"),
          std::string("a\0b", 3), std::string(100000, '7')}) {
        pasteboard.clearContents();
        EXPECT_TRUE(pasteboard.setString(text, PasteboardType::string));
        EXPECT_EQ(pasteboard.stringForType(PasteboardType::string), text) << text.size();
        EXPECT_EQ(QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString(), text);
    }
}

TEST(Pasteboard, ClearingLeavesNoTextAndCountsTheChange) {
    Pasteboard& pasteboard = Pasteboard::generalPasteboard();
    pasteboard.setString("42", PasteboardType::string);
    const int before = pasteboard.clearContents();
    EXPECT_EQ(pasteboard.stringForType(PasteboardType::string), std::nullopt);
    EXPECT_EQ(pasteboard.clearContents(), before + 1);
}

TEST(Pasteboard, ImageOnlyClipboardHasNoText) {
    auto* data = new QMimeData;
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::red);
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
    EXPECT_EQ(Pasteboard::generalPasteboard().stringForType(PasteboardType::string), std::nullopt);
}

TEST(Pasteboard, InvalidUtf8ArrivesAsReplacementCharacters) {
    Pasteboard& pasteboard = Pasteboard::generalPasteboard();
    pasteboard.setString(
        "1\xFF"
        "2\xED\xA0\x80"
        "3",
        PasteboardType::string);
    const auto text = pasteboard.stringForType(PasteboardType::string);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->substr(0, 4),
              "1\xEF\xBF\xBD"
              "");
    EXPECT_EQ(text->back(), '3');
    EXPECT_EQ(QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size()))
                  .toUtf8()
                  .toStdString(),
              *text)
        << "not valid UTF-8";
}

}  // namespace
}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvin/toolkit/Application.h"
#include "quorvin/toolkit/Button.h"
#include "quorvin/toolkit/TextField.h"
#include "quorvin/toolkit/qt/QtConversions.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "quorvin/toolkit/qt/Windows.h"
#include "tests/support/TestDriver.h"

namespace quorvin::toolkit {
namespace {

using testing::describe;
using testing::isColor;
using testing::makeShownWindow;
using testing::renderWindow;

TEST(Button, TitleReadsBackThePlainOrAttributedText) {
    auto button = View::make<Button>(makeRect(0, 0, 60, 40));
    button->setAttributedTitle(AttributedString{
        "\xC3\xB7", Font::systemFont(24, FontWeight::medium), Color::whiteColor()});
    EXPECT_EQ(button->title(), "\xC3\xB7");
    EXPECT_EQ(button->attributedTitle().font, Font::systemFont(24, FontWeight::medium));
    // A plain title drops the attributes of the previous one.
    button->setTitle("DEC");
    EXPECT_EQ(button->title(), "DEC");
    EXPECT_EQ(button->attributedTitle().font, std::nullopt);
    EXPECT_EQ(button->attributedTitle().foregroundColor, std::nullopt);
}

struct FontCase {
    Font font;
    double pointSize;  // at 96 dpi
    QFont::Weight weight;
    bool monospaced;
};
const FontCase kFontCases[] = {
    {Font::systemFont(13), 9.75, QFont::Normal, false},
    {Font::systemFont(28.5, FontWeight::medium), 21.375, QFont::Medium, false},
    {Font::systemFont(20, FontWeight::semibold), 15, QFont::DemiBold, false},
    {Font::systemFont(36, FontWeight::bold), 27, QFont::Bold, false},
    {Font::monospacedSystemFont(16, FontWeight::regular), 12, QFont::Normal, true},
    {Font::monospacedSystemFont(12, FontWeight::bold), 9, QFont::Bold, true},
};

TEST(Font, SizesAreDeviceIndependentPixelsAndWeightsMapToQt) {
    for (const auto& c : kFontCases) {
        const QFont font = toQFont(c.font, 96);
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.pointSize) << c.font.size;
        EXPECT_EQ(font.weight(), c.weight) << c.font.size;
        const QFontMetricsF metrics(font);
        const bool sameAdvance =
            metrics.horizontalAdvance("iii") == metrics.horizontalAdvance("WWW");
        EXPECT_EQ(sameAdvance, c.monospaced) << c.font.size;
        // The text is drawn in the desktop's font, not in a fallback put beside it.
        const QFont desktop = QFontDatabase::systemFont(c.monospaced ? QFontDatabase::FixedFont
                                                                     : QFontDatabase::GeneralFont);
        EXPECT_EQ(QFontInfo(font).family(), QFontInfo(desktop).family()) << c.font.size;
    }
    // At twice the resolution the same pixel size is half as many points.
    EXPECT_DOUBLE_EQ(toQFont(Font::systemFont(24), 192).pointSizeF(), 9);
}

TEST(Font, NonsenseSizesStillGiveAUsableFont) {
    for (const double size : {0.0, -5.0, std::nan(""), 1e300}) {
        const QFont font = toQFont(Font::systemFont(size), 96);
        EXPECT_GT(font.pointSizeF(), 0) << size;
    }
}

// Columns and rows of the dark pixels in a rendered area.
struct Ink {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
    int colored = 0;
    bool empty() const { return right < 0; }
};

Ink inkIn(const QImage& image, QRect area, Color background) {
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (isColor(pixel, background, 40)) continue;
            ink.left = std::min(ink.left, x - area.left());
            ink.right = std::max(ink.right, x - area.left());
            ink.top = std::min(ink.top, y - area.top());
            ink.bottom = std::max(ink.bottom, y - area.top());
            if (pixel.hsvSaturation() > 100 && pixel.value() > 80) ++ink.colored;
        }
    }
    return ink;
}

struct AlignmentCase {
    TextAlignment alignment;
    int minLeft, maxRight;  // of the ink, in a 200-pixel-wide field
};
constexpr AlignmentCase kAlignmentCases[] = {
    {TextAlignment::left, 0, 60},
    {TextAlignment::center, 60, 140},
    {TextAlignment::right, 140, 199},
};

TEST(TextField, DrawsAlignedTextCentredVertically) {
    for (const auto& c : kAlignmentCases) {
        auto window = makeShownWindow(Size{200, 60});
        auto field = View::make<TextField>(makeRect(0, 0, 200, 60));
        field->setStringValue("88");
        field->setFont(Font::systemFont(20));
        field->setAlignment(c.alignment);
        window->contentView()->addSubview(field);

        const Ink ink = inkIn(renderWindow(*window), QRect(0, 0, 200, 60), Color::whiteColor());
        ASSERT_FALSE(ink.empty());
        EXPECT_GE(ink.left, c.minLeft) << static_cast<int>(c.alignment);
        EXPECT_LE(ink.right, c.maxRight) << static_cast<int>(c.alignment);
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30, 4) << static_cast<int>(c.alignment);
    }
}

TEST(TextField, TextColourDefaultsToThePalettesTextColour) {
    auto window = makeShownWindow(Size{100, 40});
    auto field = View::make<TextField>(makeRect(0, 0, 100, 40));
    field->setStringValue("\xE2\x96\x88\xE2\x96\x88");  // full blocks: solid ink
    field->setFont(Font::systemFont(24));
    window->contentView()->addSubview(field);

    const QColor text = widgetOf(*field)->palette().color(QPalette::Text);
    const QColor defaultInk = renderWindow(*window).pixelColor(12, 20);
    EXPECT_LE(std::abs(defaultInk.red() - text.red()), 1) << describe(defaultInk);

    const Color red = Color::rgba(1, 0, 0, 1);
    field->setTextColor(red);
    const QColor redInk = renderWindow(*window).pixelColor(12, 20);
    EXPECT_TRUE(isColor(redInk, red)) << describe(redInk);
}

// A display-like field: a 2-point layer border and a drawn border, 200 × 40.
struct FitCase {
    std::string text;
    TextAlignment alignment;
    bool fitsAtItsFont;
};
const FitCase kFitCases[] = {
    {"8888", TextAlignment::right, true},
    {"8888", TextAlignment::left, true},
    {"8888", TextAlignment::center, true},
    {std::string(40, '8'), TextAlignment::right, false},
    {std::string(40, '8'), TextAlignment::left, false},
    {std::string(40, '8'), TextAlignment::center, false},
    {"-9223372036854775808", TextAlignment::right, false},
    {"", TextAlignment::right, true},
};

TEST(TextField, TextThatDoesNotFitShrinksOntoOneLineClearOfTheBorder) {
    constexpr int kWidth = 200, kHeight = 40;
    constexpr int kClear = 3;  // the drawn borders and one pixel of air
    const Color background = Color::rgba(0.65, 0.75, 0.65, 1);
    for (const auto& c : kFitCases) {
        const std::string label = "\"" + c.text + "\" " + std::to_string(int(c.alignment));
        auto window = makeShownWindow(Size{kWidth, kHeight});
        auto field = View::make<TextField>(makeRect(0, 0, kWidth, kHeight));
        field->setFont(Font::monospacedSystemFont(28, FontWeight::bold));
        field->setAlignment(c.alignment);
        field->setBackgroundColor(background);
        field->setDrawsBackground(true);
        field->setBordered(true);
        field->setWantsLayer(true);
        field->layer()->setBorderWidth(2);
        field->layer()->setBorderColor(Color::white(0.4, 0.7));
        field->setStringValue(c.text);
        window->contentView()->addSubview(field);

        const QRect inside(kClear, kClear, kWidth - 2 * kClear, kHeight - 2 * kClear);
        const Ink ink = inkIn(renderWindow(*window), inside, background);
        if (c.text.empty()) {
            EXPECT_TRUE(ink.empty()) << label;
            continue;
        }
        ASSERT_FALSE(ink.empty()) << label;
        // Nothing reaches the border: the ink ends short of the room's edges.
        EXPECT_GT(ink.left, 0) << label;
        EXPECT_LT(ink.right, inside.width() - 1) << label;
        // A digit at 28 pixels is about 20 pixels high; a shrunk one is smaller but still there
        // from end to end of the room.
        const int height = ink.bottom - ink.top;
        if (c.fitsAtItsFont) {
            EXPECT_GE(height, 18) << label;
        } else {
            EXPECT_LT(height, 16) << label;
            EXPECT_GE(ink.right - ink.left, inside.width() * 8 / 10) << label;
        }
        const double middle = (ink.left + ink.right) / 2.0;
        switch (c.alignment) {
        case TextAlignment::left: EXPECT_LE(ink.left, 6) << label; break;
        case TextAlignment::right: EXPECT_GE(ink.right, inside.width() - 8) << label; break;
        case TextAlignment::center: EXPECT_NEAR(middle, inside.width() / 2.0, 3) << label; break;
        }
        EXPECT_EQ(field->stringValue(), c.text);
    }
}

// The fitting rule written out plainly: the field's font when the text fits in the room, ink and
// advance as QFontMetricsF measures them, otherwise the largest whole pixel size at which it
// fits (found here by trying every size from the top), at least one pixel; the text then drawn
// as QPainter::drawText draws one line. The field must give exactly the same pixels.
QImage plainlyFittedText(const QString& text, const Font& font, TextAlignment alignment,
                         bool bordered, QSize size, Color background, Color foreground) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(toQColor(background));
    const double border = bordered ? 1 : 0;
    const QRectF room = QRectF(image.rect()).adjusted(2 + border, border, -2 - border, -border);
    const auto fits = [&](const QFont& candidate) {
        const QFontMetricsF metrics(candidate, &image);
        const QRectF ink = metrics.tightBoundingRect(text);
        const double width =
            std::max(metrics.horizontalAdvance(text), ink.right()) - std::min(0.0, ink.left());
        return width <= room.width() && metrics.height() <= room.height();
    };
    const QFont own = toQFont(font, image.logicalDpiY());
    QFont chosen = own;
    if (!fits(own)) {
        chosen.setPixelSize(1);
        for (int pixels = QFontInfo(QFont(own, &image)).pixelSize() - 1; pixels > 1; --pixels) {
            QFont candidate = own;
            candidate.setPixelSize(pixels);
            if (fits(candidate)) {
                chosen = candidate;
                break;
            }
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(chosen);
    painter.setPen(toQColor(foreground));
    const Qt::Alignment horizontal = alignment == TextAlignment::left    ? Qt::AlignLeft
                                     : alignment == TextAlignment::right ? Qt::AlignRight
                                                                         : Qt::AlignHCenter;
    painter.drawText(
        room, static_cast<int>((horizontal | Qt::AlignVCenter).toInt()) | Qt::TextSingleLine, text);
    if (bordered) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QApplication::palette().color(QPalette::Mid), 1));
        painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Each text in fields of every width from `narrowest` to 48 pixels wider, so that some width
// falls just either side of each size's extent.
struct ExactFitCase {
    std::string text;
    Font font;
    TextAlignment alignment;
    int narrowest, height;
    bool bordered = false;
};
const ExactFitCase kExactFitCases[] = {
    {"8888", Font::monospacedSystemFont(28, FontWeight::bold), TextAlignment::right, 40, 40},
    {"-9223372036854775808", Font::monospacedSystemFont(28, FontWeight::bold), TextAlignment::right,
     180, 41, true},
    {"HEX  7FFFFFFFFFFFFFFF", Font::monospacedSystemFont(10.5, FontWeight::medium),
     TextAlignment::left, 100, 18},
    {"BIN  " + std::string(63, '1'), Font::monospacedSystemFont(21, FontWeight::medium),
     TextAlignment::left, 200, 36},
    // Glyphs whose ink reaches past their advance, or left of the pen.
    {"jAVWaToy.,fi 17Wf", Font::systemFont(20), TextAlignment::center, 40, 30},
    {"WXYKwxy", Font::monospacedSystemFont(28, FontWeight::bold), TextAlignment::right, 50, 40},
    {"e\xCC\x81 \xC3\xB1 42", Font::systemFont(20), TextAlignment::left, 20, 30},
};

TEST(TextField, DrawsExactlyAsTheLargestSizeThatFitsIsDrawn) {
    const Color background = Color::rgba(0.9, 0.9, 0.85, 1);
    const Color foreground = Color::rgba(0.1, 0.1, 0.2, 1);
    for (const auto& c : kExactFitCases) {
        for (int width = c.narrowest; width <= c.narrowest + 48; ++width) {
            auto window = makeShownWindow(Size{double(width), double(c.height)});
            auto field = View::make<TextField>(makeRect(0, 0, width, c.height));
            field->setFont(c.font);
            field->setAlignment(c.alignment);
            field->setTextColor(foreground);
            field->setBackgroundColor(background);
            field->setDrawsBackground(true);
            field->setBordered(c.bordered);
            window->contentView()->addSubview(field);
            // In some widths the text is typed character by character and then taken back, as
            // the display changes, and in half of those the texts are offered first and fitted
            // while the event loop is idle; in the others it is set whole.
            std::vector<std::string> texts{c.text};
            if (width % 8 == 0) {
                texts.clear();
                for (std::size_t length = 1; length <= c.text.size(); ++length)
                    texts.push_back(c.text.substr(0, length));
                for (std::size_t length = c.text.size() - 1; length >= 1; --length)
                    texts.push_back(c.text.substr(0, length));
            }
            if (width % 16 == 0) {
                field->prepareStringValues(texts);
                testing::wait(60);
            }
            for (const std::string& text : texts) {
                field->setStringValue(text);
                const QImage expected =
                    plainlyFittedText(QString::fromStdString(text), c.font, c.alignment, c.bordered,
                                      QSize(width, c.height), background, foreground);
                // Twice: the second paint draws the line kept from the first.
                for (int paint = 0; paint < 2; ++paint)
                    ASSERT_EQ(renderWindow(*window), expected)
                        << text << " width " << width << " paint " << paint;
            }
        }
    }
}

// A changed text is painted again where the old text and the new one lie, not the whole field:
// after every change the window's own pixels (its backing store, which the screen shows) are
// those of a fresh paint of the whole window. A display-like field, bordered on a rounded
// layer, and a conversion-like line on a rounded panel.
TEST(TextField, AChangedTextLeavesThePixelsOfAFreshPaint) {
    auto window = makeShownWindow(Size{300, 140});
    auto panel = View::make<View>(makeRect(0, 0, 300, 140));
    panel->setWantsLayer(true);
    panel->layer()->setBackgroundColor(Color::rgba(0.75, 0.8, 0.75, 1));
    panel->layer()->setCornerRadius(6);
    auto display = View::make<TextField>(makeRect(10, 80, 280, 41));
    display->setFont(Font::monospacedSystemFont(28, FontWeight::bold));
    display->setAlignment(TextAlignment::right);
    display->setBackgroundColor(Color::rgba(0.95, 0.95, 0.9, 1));
    display->setDrawsBackground(true);
    display->setBordered(true);
    display->setWantsLayer(true);
    display->layer()->setCornerRadius(4);
    display->layer()->setBorderWidth(2);
    display->layer()->setBorderColor(Color::white(0.4, 0.7));
    auto line = View::make<TextField>(makeRect(10, 10, 280, 18));
    line->setFont(Font::monospacedSystemFont(10.5, FontWeight::medium));
    panel->addSubview(display);
    panel->addSubview(line);
    window->contentView()->addSubview(panel);
    // At the end the display narrows, and a text it showed a moment before comes back.
    const std::string texts[] = {"7",
                                 "78",
                                 "-9223372036854775808",
                                 "12",
                                 "0",
                                 "1" + std::string(63, '0'),
                                 "1" + std::string(62, '0'),
                                 "FF",
                                 "jW",
                                 "-9223372036854775808",
                                 "",
                                 "narrower",
                                 "-9223372036854775808"};
    QWidget& shown = *widgetOf(*window);
    for (const std::string& text : texts) {
        if (text == "narrower") {
            display->setFrame(makeRect(10, 80, 230, 41));
            continue;
        }
        display->setStringValue(text);
        line->setStringValue("BIN  " + text);
        // The next texts are offered, and fitted while the loop waits: most changes draw a
        // line made ahead.
        display->prepareStringValues({text + "1", "7", "78", "-9223372036854775808"});
        line->prepareStringValues({"BIN  7", "BIN  78"});
        testing::wait(30);
        const QImage onScreen = QGuiApplication::primaryScreen()
                                    ->grabWindow(shown.winId())
                                    .toImage()
                                    .convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(onScreen, renderWindow(*window)) << '"' << text << '"';
    }
}

// On a fixed light panel, a dark desktop's light text gives way to dark text; a desktop colour
// that reads well there, and any colour on the desktop's own background, stay.
struct ReadableCase {
    QColor desktopText;
    std::optional<Color> panel;
    QColor expected;
};
const ReadableCase kReadableCases[] = {
    {QColor(238, 238, 236), Color::rgba(0.75, 0.75, 0.72, 1), Qt::black},
    {QColor(255, 255, 255), Color::rgba(0.35, 0.65, 0.45, 1), Qt::black},
    {QColor(32, 32, 96), Color::rgba(0.75, 0.75, 0.72, 1), QColor(32, 32, 96)},
    {QColor(238, 238, 236), std::nullopt, QColor(238, 238, 236)},
};

TEST(TextField, DefaultTextColourStaysReadableOnAFixedPanel) {
    const QPalette original = QApplication::palette();
    for (const auto& c : kReadableCases) {
        QPalette dark = original;
        dark.setColor(QPalette::Text, c.desktopText);
        dark.setColor(QPalette::ButtonText, c.desktopText);
        QApplication::setPalette(dark);
        auto window = makeShownWindow(Size{200, 40});
        auto panel = View::make<View>(makeRect(0, 0, 200, 40));
        if (c.panel) {
            panel->setWantsLayer(true);
            panel->layer()->setBackgroundColor(*c.panel);
        }
        auto field = View::make<TextField>(makeRect(0, 0, 100, 40));
        field->setStringValue("\xE2\x96\x88\xE2\x96\x88");  // full blocks: solid ink
        field->setFont(Font::systemFont(24));
        auto button = View::make<Button>(makeRect(100, 0, 100, 40));
        button->setBordered(false);
        button->setTitle("\xE2\x96\x88");
        button->setFont(Font::systemFont(24));
        panel->addSubview(field);
        panel->addSubview(button);
        window->contentView()->addSubview(panel);

        const QImage image = renderWindow(*window);
        for (const QColor ink : {image.pixelColor(12, 20), image.pixelColor(150, 20)}) {
            EXPECT_LE(std::abs(ink.red() - c.expected.red()), 2)
                << describe(c.desktopText) << " gave " << describe(ink);
            EXPECT_LE(std::abs(ink.blue() - c.expected.blue()), 2)
                << describe(c.desktopText) << " gave " << describe(ink);
        }
    }
    QApplication::setPalette(original);
}

// In colour also where a monochrome symbol font has the same code point (Noto Sans Symbols2 has
// the clipboard, and fontconfig prefers it to the colour font when fonts-noto-core is installed).
TEST(Button, DrawsAnEmojiTitleInColour) {
    for (const std::string_view title :
         {"\xF0\x9F\x93\x84", "\xF0\x9F\x93\x8B"}) {  // page, clipboard
        auto window = makeShownWindow(Size{80, 80});
        auto button = View::make<Button>(makeRect(0, 0, 80, 80));
        button->setBordered(false);
        button->setTitle(std::string(title));
        button->setFont(Font::systemFont(40));
        window->contentView()->addSubview(button);

        const Ink ink = inkIn(renderWindow(*window), QRect(0, 0, 80, 80), Color::whiteColor());
        ASSERT_FALSE(ink.empty()) << title;
        EXPECT_GT(ink.colored, 50) << title << ": the emoji came out without colour";
        EXPECT_NEAR((ink.left + ink.right) / 2.0, 40, 6) << title;
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 40, 6) << title;
    }
}

TEST(Button, AttributedColourAndFontWinOverTheButtonFont) {
    auto window = makeShownWindow(Size{120, 60});
    auto button = View::make<Button>(makeRect(0, 0, 120, 60));
    button->setBordered(false);
    button->setWantsLayer(true);
    button->layer()->setBackgroundColor(Color::rgba(0, 0, 0, 1));
    button->setFont(Font::systemFont(8));
    button->setAttributedTitle(
        AttributedString{"\xE2\x96\x88", Font::systemFont(40), Color::rgba(0, 1, 0, 1)});
    window->contentView()->addSubview(button);

    const Ink ink = inkIn(renderWindow(*window), QRect(0, 0, 120, 60), Color::rgba(0, 0, 0, 1));
    ASSERT_FALSE(ink.empty());
    EXPECT_GT(ink.bottom - ink.top, 25) << "drawn with the button's small font";
    EXPECT_TRUE(isColor(renderWindow(*window).pixelColor(60, 30), Color::rgba(0, 1, 0, 1)));
}

}  // namespace
}  // namespace quorvin::toolkit

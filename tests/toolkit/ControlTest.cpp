#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <string>

#include "quorvin/toolkit/Button.h"
#include "quorvin/toolkit/TextField.h"
#include "tests/toolkit/ToolkitTestSupport.h"

namespace quorvin::toolkit {
namespace {

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

TEST(Button, DrawsAnEmojiTitleInColour) {
    auto window = makeShownWindow(Size{80, 80});
    auto button = View::make<Button>(makeRect(0, 0, 80, 80));
    button->setBordered(false);
    button->setTitle("\xF0\x9F\x93\x8B");  // clipboard
    button->setFont(Font::systemFont(40));
    window->contentView()->addSubview(button);

    const Ink ink = inkIn(renderWindow(*window), QRect(0, 0, 80, 80), Color::whiteColor());
    ASSERT_FALSE(ink.empty());
    EXPECT_GT(ink.colored, 50) << "the emoji came out without colour";
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 40, 6);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 40, 6);
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

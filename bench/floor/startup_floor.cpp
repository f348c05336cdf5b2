// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// The start-up floor: the least a Qt Widgets program can do to show a window with as many widgets
// as the calculator's (34 push buttons, 4 labels and one panel, placed where the calculator places
// them at 300 × 435). startup_bench.py measures this program and the calculator in the same run,
// so the calculator's start-up and memory are judged against what Qt itself costs on this machine.
// No toolkit layer, no engine, no painting of its own: plain widgets with palette colours.
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

#include "KeypadData.h"

namespace {

using namespace std::string_view_literals;

constexpr int kWidth = 300;
constexpr int kHeight = 435;

// The calculator's geometry at its initial width (scale 0.75), measured from the top.
constexpr double kMargin = 7.5;
constexpr double kSpacing = 4.5;
constexpr double kButtonWidth = (kWidth - 2 * kMargin - 4 * kSpacing) / 5;
constexpr double kButtonHeight = 41.25;
constexpr double kDisplayTop = 13.875;
constexpr double kDisplayHeight = 41.25;
constexpr double kPanelTop = kDisplayTop + kDisplayHeight + 6;
constexpr double kPanelHeight = 63.75;
constexpr double kBaseRowTop = kPanelTop + kPanelHeight + 6;
constexpr double kBaseRowHeight = kButtonHeight / 2;
constexpr double kKeypadTop = kBaseRowTop + kBaseRowHeight + 6;

// The calculator's titles and colours (from data/keypad.tsv), so both programs load the same
// fonts and shape the same glyphs (the emoji of the clipboard buttons included).
using quorvin::keypad_data::kBaseRow;
using quorvin::keypad_data::kKeypad;
constexpr std::array kConversionTitles{"HEX  0"sv, "DEC  0"sv, "BIN  0"sv};

QColor paletteColour(std::string_view name) {
    const auto& colour = quorvin::keypad_data::colour(name);
    return QColor::fromRgbF(static_cast<float>(colour.red), static_cast<float>(colour.green),
                            static_cast<float>(colour.blue), static_cast<float>(colour.alpha));
}

QRect pixelRect(double x, double y, double width, double height) {
    return {qRound(x), qRound(y), qRound(width), qRound(height)};
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

double columnX(int column) {
    return kMargin + column * (kButtonWidth + kSpacing);
}

void fillBackground(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void addDisplay(QWidget& window) {
    auto* display = new QLabel(QStringLiteral("0"), &window);
    display->setGeometry(pixelRect(kMargin, kDisplayTop, kWidth - 2 * kMargin, kDisplayHeight));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(28);
    font.setBold(true);
    display->setFont(font);
    display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fillBackground(*display, paletteColour("displayBackground"));
}

void addConversionPanel(QWidget& window) {
    auto* panel = new QWidget(&window);
    panel->setGeometry(pixelRect(kMargin, kPanelTop, kWidth - 2 * kMargin, kPanelHeight));
    fillBackground(*panel, paletteColour("conversionPanel"));
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (std::size_t row = 0; row < kConversionTitles.size(); ++row) {
        auto* label = new QLabel(toQString(kConversionTitles[row]), panel);
        label->setFont(font);
        label->setGeometry(
            pixelRect(7.5, 4 + 19.0 * static_cast<double>(row), kWidth - 4 * kMargin, 18));
    }
}

void addButtons(QWidget& window) {
    for (std::size_t column = 0; column < kBaseRow.size(); ++column) {
        auto* button = new QPushButton(toQString(kBaseRow[column]), &window);
        button->setGeometry(pixelRect(columnX(static_cast<int>(column)), kBaseRowTop, kButtonWidth,
                                      kBaseRowHeight));
    }
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 5; ++column) {
            const auto title =
                kKeypad[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            if (title == "=" && column == 4) continue;  // covered by the double-wide "="
            const double width = title == "=" ? 2 * kButtonWidth + kSpacing : kButtonWidth;
            auto* button = new QPushButton(toQString(title), &window);
            button->setGeometry(pixelRect(columnX(column),
                                          kKeypadTop + row * (kButtonHeight + kSpacing), width,
                                          kButtonHeight));
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Quorvin floor"));
    window.resize(kWidth, kHeight);
    fillBackground(window, paletteColour("windowBackground"));
    addDisplay(window);
    addConversionPanel(window);
    addButtons(window);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window.move(available.x() + (available.width() - kWidth) / 2,
                    available.y() + (available.height() - kHeight) / 2);
    }
    window.show();

    std::fputs("DEBUG: App ready!\n", stdout);
    std::fflush(stdout);
    return QApplication::exec();
}

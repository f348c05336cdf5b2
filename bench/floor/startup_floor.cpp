// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// The floor: the least a Qt Widgets program can do to show a window with as many widgets as the
// calculator's (34 push buttons, 4 labels and one panel, placed where the calculator places them).
// startup_bench.py and latency_bench.py measure this program and the calculator in the same run,
// so the calculator is judged against what Qt itself costs on this machine. No toolkit layer, no
// painting of its own: plain widgets with palette colours.
//
// Its keys rewrite the four labels with the texts the calculator would show (the engine computes
// them: digits, Backspace, + and =, Escape, Ctrl+H/D/B), and a resize lays the same widgets out
// again at the new width, fonts scaled. With --plain it shows no emoji and sets no fonts: a bare
// window of default widgets.
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QResizeEvent>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "quorvin/controller/Layout.h"
#include "quorvin/controller/Palette.h"
#include "quorvin/engine/Calculator.h"

namespace {

using namespace std::string_view_literals;

constexpr int kWidth = 300;
constexpr int kHeight = 435;

// The calculator's titles, layout and colours, so both programs load the same fonts, shape the
// same glyphs (the emoji of the clipboard buttons included) and place the widgets alike.
constexpr std::array kConversionPrefixes{"HEX  "sv, "DEC  "sv, "BIN  "sv};
constexpr std::array kPlainClipboardTitles{"Copy"sv, "Paste"sv};

QColor qColour(quorvin::toolkit::Color colour) {
    return QColor::fromRgbF(static_cast<float>(colour.red), static_cast<float>(colour.green),
                            static_cast<float>(colour.blue), static_cast<float>(colour.alpha));
}

// A frame of the layout (origin bottom left, y upward) in a parent `parentHeight` high whose
// origin is its top left, in whole pixels.
QRect pixelRect(const quorvin::toolkit::Rect& frame, double parentHeight) {
    return {qRound(frame.origin.x), qRound(parentHeight - frame.maxY()), qRound(frame.size.width),
            qRound(frame.size.height)};
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void fillBackground(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

class FloorWindow : public QWidget {
public:
    explicit FloorWindow(bool plainWidgets) : plain(plainWidgets) {
        setWindowTitle(QStringLiteral("Quorvin floor"));
        resize(kWidth, kHeight);
        fillBackground(*this, qColour(quorvin::palette::windowBackground));
        addDisplay();
        addConversionPanel();
        addButtons();
        place(kWidth, false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        using quorvin::NumberSystem;
        const QString text = event->text();
        const bool control = event->modifiers() & Qt::ControlModifier;
        if (control && event->key() == Qt::Key_H) {
            system = NumberSystem::hexadecimal;
        } else if (control && event->key() == Qt::Key_D) {
            system = NumberSystem::decimal;
        } else if (control && event->key() == Qt::Key_B) {
            system = NumberSystem::binary;
        } else if (event->key() == Qt::Key_Backspace) {
            calculator.backspace(system);
        } else if (event->key() == Qt::Key_Escape) {
            calculator.clear();
        } else if (text == QLatin1String("+")) {
            calculator.setOperation(quorvin::Operation::add);
        } else if (text == QLatin1String("=") || event->key() == Qt::Key_Return) {
            calculator.executeOperation();
        } else if (text.size() == 1 && text[0].isDigit()) {
            calculator.inputDigit(text.toStdString(), system);
        } else {
            return;
        }
        showValue();
    }

    void resizeEvent(QResizeEvent* event) override {
        if (event->size().width() != laidOutWidth) place(event->size().width(), true);
    }

private:
    void addDisplay() {
        display = new QLabel(QStringLiteral("0"), this);
        display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fillBackground(*display, qColour(quorvin::palette::displayBackground));
    }

    void addConversionPanel() {
        panel = new QWidget(this);
        fillBackground(*panel, qColour(quorvin::palette::conversionPanel));
        for (const auto prefix : kConversionPrefixes)
            conversions.push_back(new QLabel(toQString(prefix) + QLatin1Char('0'), panel));
    }

    void addButtons() {
        const quorvin::Layout layout = quorvin::layoutFor(kWidth);
        for (std::size_t column = 0; column < layout.baseRow.size(); ++column) {
            const auto title = plain && column >= 3 ? kPlainClipboardTitles[column - 3]
                                                    : layout.baseRow[column].title;
            baseRow.push_back(newButton(title));
        }
        for (const auto& key : layout.keys)
            keypad.push_back(newButton(key.title));
    }

    QPushButton* newButton(std::string_view title) {
        auto* button = new QPushButton(toQString(title), this);
        button->setFocusPolicy(Qt::NoFocus);  // keys go to the window, as in the calculator
        return button;
    }

    // Places every widget for the width; `scaleFonts` also sizes every font as the calculator
    // does. The first placement sets only the display's and the labels' fonts (none with --plain).
    void place(int width, bool scaleFonts) {
        laidOutWidth = width;
        const quorvin::Layout layout = quorvin::layoutFor(width);
        const double scale = layout.scale;
        // The content's height at the window's proportion of 20 : 29.
        const double height = width * 29.0 / 20.0;
        display->setGeometry(pixelRect(layout.display, height));
        if (!plain || scaleFonts) {
            QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
            font.setPixelSize(static_cast<int>(38 * scale));
            font.setBold(true);
            display->setFont(font);
        }
        panel->setGeometry(pixelRect(layout.panel, height));
        QFont conversionFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (scaleFonts) conversionFont.setPixelSize(static_cast<int>(14 * scale));
        for (std::size_t row = 0; row < conversions.size(); ++row) {
            QLabel* label = conversions[row];
            if (!plain || scaleFonts) label->setFont(conversionFont);
            label->setGeometry(pixelRect(layout.conversionLines[row], layout.panel.size.height));
        }
        if (scaleFonts) {
            // The buttons take the window's font, as widgets without their own font do.
            QFont titleFont = font();
            titleFont.setPixelSize(static_cast<int>(20 * scale));
            setFont(titleFont);
        }
        for (std::size_t column = 0; column < baseRow.size(); ++column)
            baseRow[column]->setGeometry(pixelRect(layout.baseRow[column].frame, height));
        for (std::size_t index = 0; index < keypad.size(); ++index)
            keypad[index]->setGeometry(pixelRect(layout.keys[index].frame, height));
    }

    void showValue() {
        using quorvin::NumberSystem;
        const std::int64_t value = calculator.value();
        display->setText(QString::fromStdString(calculator.convertToString(value, system)));
        constexpr std::array systems{NumberSystem::hexadecimal, NumberSystem::decimal,
                                     NumberSystem::binary};
        for (std::size_t row = 0; row < conversions.size(); ++row) {
            conversions[row]->setText(
                toQString(kConversionPrefixes[row]) +
                QString::fromStdString(calculator.convertToString(value, systems[row])));
        }
    }

    bool plain;
    int laidOutWidth = 0;
    QLabel* display = nullptr;
    QWidget* panel = nullptr;
    std::vector<QLabel*> conversions;
    std::vector<QPushButton*> baseRow, keypad;
    quorvin::Calculator calculator;
    quorvin::NumberSystem system = quorvin::NumberSystem::decimal;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool plain = QApplication::arguments().contains(QStringLiteral("--plain"));

    FloorWindow window(plain);
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

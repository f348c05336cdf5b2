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

#include "KeypadData.h"
#include "quorvin/engine/Calculator.h"

namespace {

using namespace std::string_view_literals;

constexpr int kWidth = 300;
constexpr int kHeight = 435;

// The calculator's titles and colours (from data/keypad.tsv), so both programs load the same
// fonts and shape the same glyphs (the emoji of the clipboard buttons included).
using quorvin::keypad_data::kBaseRow;
using quorvin::keypad_data::kKeypad;
constexpr std::array kConversionPrefixes{"HEX  "sv, "DEC  "sv, "BIN  "sv};
constexpr std::array kPlainClipboardTitles{"Copy"sv, "Paste"sv};

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

void fillBackground(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// The calculator's geometry at a window width (scale = width / 400), measured from the top.
struct Geometry {
    explicit Geometry(int windowWidth)
        : width(windowWidth),
          scale(windowWidth / 400.0),
          margin(10 * scale),
          spacing(6 * scale),
          buttonWidth((windowWidth - 2 * margin - 4 * spacing) / 5),
          buttonHeight(55 * scale) {
        const double height = windowWidth * 29.0 / 20.0;
        const double keypadHeight = 6 * buttonHeight + 5 * spacing;
        const double baseRowBottom = margin + keypadHeight + 8 * scale;  // from the bottom
        const double panelBottom = baseRowBottom + buttonHeight / 2 + 8 * scale;
        const double displayBottom = panelBottom + panelHeight() + 8 * scale;
        displayTop = height - displayBottom - buttonHeight;
        panelTop = height - panelBottom - panelHeight();
        baseRowTop = height - baseRowBottom - buttonHeight / 2;
        keypadTop = height - margin - keypadHeight;
    }
    double panelHeight() const { return 85 * scale; }
    double columnX(int column) const { return margin + column * (buttonWidth + spacing); }

    int width;
    double scale, margin, spacing, buttonWidth, buttonHeight;
    double displayTop = 0, panelTop = 0, baseRowTop = 0, keypadTop = 0;
};

class FloorWindow : public QWidget {
public:
    explicit FloorWindow(bool plainWidgets) : plain(plainWidgets) {
        setWindowTitle(QStringLiteral("Quorvin floor"));
        resize(kWidth, kHeight);
        fillBackground(*this, paletteColour("windowBackground"));
        addDisplay();
        addConversionPanel();
        addButtons();
        place(Geometry(kWidth), false);
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
        if (event->size().width() != laidOutWidth) place(Geometry(event->size().width()), true);
    }

private:
    void addDisplay() {
        display = new QLabel(QStringLiteral("0"), this);
        display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fillBackground(*display, paletteColour("displayBackground"));
    }

    void addConversionPanel() {
        panel = new QWidget(this);
        fillBackground(*panel, paletteColour("conversionPanel"));
        for (const auto prefix : kConversionPrefixes)
            conversions.push_back(new QLabel(toQString(prefix) + QLatin1Char('0'), panel));
    }

    void addButtons() {
        for (std::size_t column = 0; column < kBaseRow.size(); ++column) {
            const auto title =
                plain && column >= 3 ? kPlainClipboardTitles[column - 3] : kBaseRow[column];
            baseRow.push_back(newButton(title));
        }
        for (const auto& row : kKeypad) {
            for (std::size_t column = 0; column < row.size(); ++column) {
                if (row[column] == "=" && column == 4) continue;  // covered by the double-wide "="
                keypad.push_back(newButton(row[column]));
            }
        }
    }

    QPushButton* newButton(std::string_view title) {
        auto* button = new QPushButton(toQString(title), this);
        button->setFocusPolicy(Qt::NoFocus);  // keys go to the window, as in the calculator
        return button;
    }

    // Places every widget for the geometry; `scaleFonts` also sizes every font as the calculator
    // does. The first placement sets only the display's and the labels' fonts (none with --plain).
    void place(const Geometry& g, bool scaleFonts) {
        laidOutWidth = g.width;
        display->setGeometry(
            pixelRect(g.margin, g.displayTop, g.width - 2 * g.margin, g.buttonHeight));
        if (!plain || scaleFonts) {
            QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
            font.setPixelSize(static_cast<int>(38 * g.scale));
            font.setBold(true);
            display->setFont(font);
        }
        panel->setGeometry(
            pixelRect(g.margin, g.panelTop, g.width - 2 * g.margin, g.panelHeight()));
        QFont conversionFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (scaleFonts) conversionFont.setPixelSize(static_cast<int>(14 * g.scale));
        for (std::size_t row = 0; row < conversions.size(); ++row) {
            QLabel* label = conversions[row];
            if (!plain || scaleFonts) label->setFont(conversionFont);
            label->setGeometry(pixelRect(10 * g.scale, g.scale * (5.33 + 25.33 * double(row)),
                                         g.width - 4 * g.margin, 24 * g.scale));
        }
        if (scaleFonts) {
            // The buttons take the window's font, as widgets without their own font do.
            QFont titleFont = font();
            titleFont.setPixelSize(static_cast<int>(20 * g.scale));
            setFont(titleFont);
        }
        for (std::size_t column = 0; column < baseRow.size(); ++column) {
            baseRow[column]->setGeometry(pixelRect(g.columnX(static_cast<int>(column)),
                                                   g.baseRowTop, g.buttonWidth,
                                                   g.buttonHeight / 2));
        }
        std::size_t index = 0;
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 5; ++column) {
                const auto title =
                    kKeypad[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
                if (title == "=" && column == 4) continue;
                const double width = title == "=" ? 2 * g.buttonWidth + g.spacing : g.buttonWidth;
                QPushButton* button = keypad[index++];
                button->setGeometry(pixelRect(g.columnX(column),
                                              g.keypadTop + row * (g.buttonHeight + g.spacing),
                                              width, g.buttonHeight));
            }
        }
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

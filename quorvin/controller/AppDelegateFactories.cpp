// The factories that make and style every label and button of the window.
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/controller/Palette.h"
#include "quorvin/toolkit/DebugLog.h"
#include "quorvin/toolkit/Translatable.h"
#include "quorvin/views/CalcButton.h"

namespace quorvin {

namespace {

using namespace std::string_view_literals;
using toolkit::Font;
using toolkit::FontWeight;

enum class KeyClass { digit, operation, shift, clear, auxiliary };

struct KeyClassStyle {
    toolkit::Color background;
    double titleSize;  // points at scale 1
};

constexpr KeyClassStyle styleOf(KeyClass keyClass) {
    switch (keyClass) {
    case KeyClass::digit: return {palette::digitKey, 20};
    case KeyClass::operation: return {palette::operatorKey, 20};
    case KeyClass::shift: return {palette::shiftKey, 18};
    case KeyClass::clear: return {palette::clearKey, 18};
    case KeyClass::auxiliary: return {palette::auxiliaryKey, 18};
    }
    return {palette::auxiliaryKey, 18};
}

// Digit keys are those whose title occurs inside this text: a substring test, so "CE" is not a
// digit although "C" and "E" are.
constexpr std::string_view kDigitRun = "0123456789ABCDEF";

// Operator titles in tag order: "+" is 1 … "%" is 5; "=" evaluates and carries no tag.
constexpr std::array kOperatorTitles{"+"sv, "−"sv, "×"sv, "÷"sv, "%"sv, "="sv};

bool isOneOf(std::string_view title, std::initializer_list<std::string_view> titles) {
    for (const auto candidate : titles) {
        if (title == candidate) return true;
    }
    return false;
}

// The first rule that holds decides. Every keypad title falls into one class; an unknown title
// is treated as auxiliary (a key that enters its title as a digit).
KeyClass classify(std::string_view title) {
    if (!title.empty() && kDigitRun.find(title) != std::string_view::npos) return KeyClass::digit;
    for (const auto candidate : kOperatorTitles) {
        if (title == candidate) return KeyClass::operation;
    }
    if (isOneOf(title, {"<<", ">>"})) return KeyClass::shift;
    if (isOneOf(title, {"CE", "⌫"})) return KeyClass::clear;
    return KeyClass::auxiliary;
}

void wireKey(toolkit::Button& button, KeyClass keyClass, std::string_view title) {
    switch (keyClass) {
    case KeyClass::digit: button.setAction(&AppDelegate::digitPressed); return;
    case KeyClass::operation:
        if (title == "=") {
            button.setAction(&AppDelegate::equals);
            return;
        }
        for (std::size_t index = 0; index + 1 < kOperatorTitles.size(); ++index) {
            if (title == kOperatorTitles[index]) button.setTag(static_cast<int>(index) + 1);
        }
        button.setAction(&AppDelegate::operationPressed);
        return;
    case KeyClass::shift:
        button.setAction(title == "<<" ? &AppDelegate::shiftLeft : &AppDelegate::shiftRight);
        return;
    case KeyClass::clear:
        button.setAction(title == "CE" ? &AppDelegate::clear : &AppDelegate::backspace);
        return;
    case KeyClass::auxiliary:
        if (title == "+/−") {
            button.setAction(&AppDelegate::toggleSign);
        } else {
            button.setAction(&AppDelegate::digitPressed);
        }
        return;
    }
}

// What assistive technology calls the buttons whose title is a symbol or an abbreviation, and
// the tooltips of the buttons whose title alone does not say what they do. Every other button
// (the digits) is called by its title. The titles drawn on the buttons stay as they are; names
// and tooltips reach the desktop in the user's language.
struct ButtonDescription {
    std::string_view title;
    std::string_view accessibilityLabel;
    std::string_view toolTip;  // empty: none
};
constexpr std::array kButtonDescriptions{
    ButtonDescription{"+", QUORVIN_TRANSLATABLE("Add"), ""},
    ButtonDescription{"−", QUORVIN_TRANSLATABLE("Subtract"), ""},
    ButtonDescription{"×", QUORVIN_TRANSLATABLE("Multiply"), ""},
    ButtonDescription{"÷", QUORVIN_TRANSLATABLE("Divide"), ""},
    ButtonDescription{"%", QUORVIN_TRANSLATABLE("Modulo"), ""},
    ButtonDescription{"=", QUORVIN_TRANSLATABLE("Equals"), ""},
    ButtonDescription{"<<", QUORVIN_TRANSLATABLE("Shift left"),
                      QUORVIN_TRANSLATABLE("Shift left by one bit")},
    ButtonDescription{">>", QUORVIN_TRANSLATABLE("Shift right"),
                      QUORVIN_TRANSLATABLE("Shift right by one bit (keeps the sign)")},
    ButtonDescription{"CE", QUORVIN_TRANSLATABLE("Clear"), ""},
    ButtonDescription{"⌫", QUORVIN_TRANSLATABLE("Backspace"), ""},
    ButtonDescription{"+/−", QUORVIN_TRANSLATABLE("Toggle sign"),
                      QUORVIN_TRANSLATABLE("Toggle the sign")},
    ButtonDescription{"(", QUORVIN_TRANSLATABLE("Left parenthesis"), ""},
    ButtonDescription{")", QUORVIN_TRANSLATABLE("Right parenthesis"), ""},
    ButtonDescription{"📄", QUORVIN_TRANSLATABLE("Copy"),
                      QUORVIN_TRANSLATABLE("Copy the shown value")},
    ButtonDescription{"📋", QUORVIN_TRANSLATABLE("Paste"),
                      QUORVIN_TRANSLATABLE("Paste: type the clipboard's text in the current base")},
    ButtonDescription{"HEX", QUORVIN_TRANSLATABLE("Hexadecimal"), ""},
    ButtonDescription{"DEC", QUORVIN_TRANSLATABLE("Decimal"), ""},
    ButtonDescription{"BIN", QUORVIN_TRANSLATABLE("Binary"), ""},
};

void describe(toolkit::Button& button, std::string_view title) {
    std::string_view label = title;
    std::string_view toolTip;
    for (const auto& description : kButtonDescriptions) {
        if (description.title != title) continue;
        label = description.accessibilityLabel;
        toolTip = description.toolTip;
        break;
    }
    button.setAccessibilityLabel(std::string(label));
    if (!toolTip.empty()) button.setToolTip(std::string(toolTip));
}

// The start of every base-row button: a rounded push button whose title comes later.
std::shared_ptr<toolkit::Button> makeRoundedButton(double x, double y, double width,
                                                   double height) {
    auto button = toolkit::View::make<toolkit::Button>(toolkit::makeRect(x, y, width, height));
    button->setTitle("");
    button->setBezelStyle(toolkit::BezelStyle::rounded);
    return button;
}

// A layer of one colour instead of the bezel, and no focus ring.
void makeFlat(toolkit::Button& button, toolkit::Color background, double cornerRadius) {
    button.setWantsLayer(true);
    button.setBordered(false);
    button.setFocusRingType(toolkit::FocusRingType::none);
    button.layer()->setBackgroundColor(background);
    button.layer()->setCornerRadius(cornerRadius);
}

}  // namespace

std::shared_ptr<toolkit::TextField> AppDelegate::createConvLabel(const std::string& text,
                                                                 double y) {
    auto label = toolkit::TextField::labelWithString(text);
    label->setFrame(toolkit::makeRect(10 * scale, y, 340 * scale, 22 * scale));
    label->setFont(Font::monospacedSystemFont(14 * scale, FontWeight::medium));
    return label;
}

std::shared_ptr<toolkit::Button> AppDelegate::createSystemButton(const std::string& title, double x,
                                                                 double y, double width,
                                                                 double height, int tag) {
    auto button = makeRoundedButton(x, y, width, height);
    button->setTag(tag);
    button->setTarget(weak_from_this());
    button->setAction(&AppDelegate::systemChanged);
    makeFlat(*button, palette::baseIdle, 4 * scale);
    button->setAttributedTitle(
        {title, Font::systemFont(13 * scale, FontWeight::semibold), palette::keyTitle});
    describe(*button, title);
    return button;
}

std::shared_ptr<toolkit::Button> AppDelegate::createActionButton(const std::string& title, double x,
                                                                 double y, double width,
                                                                 double height, Command action) {
    auto button = makeRoundedButton(x, y, width, height);
    button->setTarget(weak_from_this());
    button->setAction(action);
    makeFlat(*button, palette::clipboardButton, 4 * scale);
    button->setAttributedTitle({title, Font::systemFont(18 * scale), std::nullopt});
    describe(*button, title);
    return button;
}

// A keypad key. Its callbacks show the pressed colour; they hold the key weakly, so a key removed
// by a rebuild is freed.
std::shared_ptr<toolkit::Button> AppDelegate::createCalcButton(const std::string& title, double x,
                                                               double y, double width,
                                                               double height) {
    auto button = toolkit::View::make<CalcButton>(toolkit::makeRect(x, y, width, height));
    button->setTitle("");
    button->setBordered(false);
    button->setFont(Font::systemFont(20 * scale, FontWeight::bold));
    button->setTarget(weak_from_this());
    button->setWantsLayer(true);

    const std::weak_ptr<CalcButton> weakButton = button;
    button->onPress = [title, weakButton] {
        toolkit::debugLog("Button '" + title + "' pressed");
        if (const auto key = weakButton.lock(); key && key->layer()) {
            key->layer()->setBackgroundColor(palette::pressedKey);
        }
    };
    button->onRelease = [title, weakButton] {
        toolkit::debugLog("Button '" + title + "' released");
        if (const auto key = weakButton.lock(); key && key->layer() && key->originalColor) {
            key->layer()->setBackgroundColor(*key->originalColor);
        }
    };

    const KeyClass keyClass = classify(title);
    wireKey(*button, keyClass, title);
    const KeyClassStyle style = styleOf(keyClass);
    button->layer()->setBackgroundColor(style.background);
    button->originalColor = style.background;
    button->layer()->setCornerRadius(4 * scale);
    button->setAttributedTitle(
        {title, Font::systemFont(style.titleSize * scale, FontWeight::bold), palette::keyTitle});
    describe(*button, title);
    return button;
}

}  // namespace quorvin

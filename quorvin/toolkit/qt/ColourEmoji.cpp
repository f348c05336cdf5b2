// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/qt/ColourEmoji.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace quorvin::toolkit {

namespace {

constexpr FcChar32 kClipboardSymbols[] = {0x1F4C4, 0x1F4CB};  // page, clipboard

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct CharSetDeleter {
    void operator()(FcCharSet* set) const { FcCharSetDestroy(set); }
};

bool isColourFontFor(FcPattern* font, const FcCharSet* wanted) {
    FcBool colour = FcFalse;
    FcCharSet* chars = nullptr;
    return FcPatternGetBool(font, FC_COLOR, 0, &colour) == FcResultMatch && colour &&
           FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) == FcResultMatch &&
           FcCharSetIsSubset(wanted, chars);
}

std::optional<QString> findColourEmojiFamily() {
    // Qt has loaded the configuration already; this only reads it.
    if (!FcInit()) return std::nullopt;
    const std::unique_ptr<FcCharSet, CharSetDeleter> wanted(FcCharSetCreate());
    for (const FcChar32 symbol : kClipboardSymbols)
        FcCharSetAddChar(wanted.get(), symbol);
    // "emoji" is fontconfig's generic family for emoji fonts; sorted by how well each font
    // matches it, the preferred colour font comes first whatever its name.
    const std::unique_ptr<FcPattern, PatternDeleter> pattern(
        FcNameParse(reinterpret_cast<const FcChar8*>("emoji:color=true")));
    if (!pattern) return std::nullopt;
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, wanted.get());
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
        FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    if (!fonts) return std::nullopt;
    for (int index = 0; index < fonts->nfont; ++index) {
        FcPattern* font = fonts->fonts[index];
        FcChar8* family = nullptr;
        if (isColourFontFor(font, wanted.get()) &&
            FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch)
            return QString::fromUtf8(reinterpret_cast<const char*>(family));
    }
    return std::nullopt;
}

}  // namespace

const std::optional<QString>& colourEmojiFamily() {
    static const std::optional<QString> family = findColourEmojiFamily();
    return family;
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/qt/ColourEmoji.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <utility>

namespace quorvin::toolkit {

namespace {

constexpr FcChar32 kClipboardSymbols[] = {0x1F4C4, 0x1F4CB};  // page, clipboard

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
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

std::optional<QString> familyOf(FcPattern* font) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch) return std::nullopt;
    return QString::fromUtf8(reinterpret_cast<const char*>(family));
}

// What listing the colour fonts that draw both symbols tells, when it tells enough: that there is
// none, or that they all share one family (fontconfig's preference among them can then only name
// that family). Listing filters the installed fonts without scoring them, so these usual cases
// cost a fraction of a sort. Nothing when the fonts must be sorted to choose.
struct Listed {
    std::optional<QString> family;  // no family: no colour font draws both
};

std::optional<Listed> listColourFamilyFor(FcCharSet* wanted) {
    const std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    const std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
        FcObjectSetBuild(FC_FAMILY, FC_COLOR, FC_CHARSET, nullptr));
    if (!pattern || !objects || !FcPatternAddBool(pattern.get(), FC_COLOR, FcTrue) ||
        !FcPatternAddCharSet(pattern.get(), FC_CHARSET, wanted))
        return std::nullopt;
    const std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
        FcFontList(nullptr, pattern.get(), objects.get()));
    if (!fonts) return std::nullopt;
    Listed listed;
    for (int index = 0; index < fonts->nfont; ++index) {
        FcPattern* font = fonts->fonts[index];
        if (!isColourFontFor(font, wanted)) return std::nullopt;  // not what was listed: sort
        const auto family = familyOf(font);
        if (!family || (listed.family && *listed.family != *family)) return std::nullopt;
        listed.family = family;
    }
    return listed;
}

std::optional<QString> findColourEmojiFamily() {
    // Loads fontconfig's configuration, once for the process: Qt's font database finds it loaded.
    if (!FcInit()) return std::nullopt;
    const std::unique_ptr<FcCharSet, CharSetDeleter> wanted(FcCharSetCreate());
    for (const FcChar32 symbol : kClipboardSymbols)
        FcCharSetAddChar(wanted.get(), symbol);
    if (auto listed = listColourFamilyFor(wanted.get())) return std::move(listed->family);
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
        if (!isColourFontFor(font, wanted.get())) continue;
        if (auto family = familyOf(font)) return family;
    }
    return std::nullopt;
}

}  // namespace

const std::optional<QString>& colourEmojiFamily() {
    static const std::optional<QString> family = findColourEmojiFamily();
    return family;
}

}  // namespace quorvin::toolkit

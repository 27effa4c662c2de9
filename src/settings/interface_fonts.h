// The two interface fonts, one per language, as plain descriptions that the
// window turns into real fonts. They belong to the plug-in and outlive every
// window; only their values change.
#pragma once

#include <cstdint>
#include <string>

namespace quillbox {

// Colours are 0x00BBGGRR, or negative for a system colour.
constexpr std::int32_t kSystemColorWindowText = static_cast<std::int32_t>(0x80000008u);
constexpr int kDefaultCharset = 1;

struct TFontStyle {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const TFontStyle&) const = default;
};

struct TFontDescription {
    int Charset = kDefaultCharset;  // 0 to 255
    std::int32_t Size = 8;          // points
    std::int32_t Color = kSystemColorWindowText;
    TFontStyle Style;
    std::string Name = "MS Sans Serif";
    bool operator==(const TFontDescription&) const = default;
};

struct TInterfaceFonts {
    TFontDescription SecondFont;
    TFontDescription JapaneseFont;
    // Set once a charset came from the settings file or the window's defaults
    // were taken.
    bool FontsLoaded = false;
};

// The font of the given language.
TFontDescription& CurrentFont(TInterfaceFonts& fonts, int localeID);
const TFontDescription& CurrentFont(const TInterfaceFonts& fonts, int localeID);

// The design defaults of each language's font: "ＭＳ Ｐゴシック" 9 points and
// "MS Sans Serif" 8 points, default charset, window-text colour, no style.
TFontDescription SampleFont(int localeID);

// The first window of a plug-in run gives both fonts their design defaults,
// unless the settings file set them. True when it did.
bool TakeSampleFontsUnlessLoaded(TInterfaceFonts& fonts);

// Points and pixel heights (negative: character height) at a given density.
std::int32_t FontHeightForSize(std::int32_t size, int pixelsPerInch);
std::int32_t FontSizeForHeight(std::int32_t height, int pixelsPerInch);

}  // namespace quillbox

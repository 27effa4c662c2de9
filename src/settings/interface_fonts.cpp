#include "settings/interface_fonts.h"

#include <cmath>

#include "settings/message_table.h"

namespace quillbox {

namespace {
constexpr int kPointsPerInch = 72;

// a * b / c rounded half away from zero; 64 bits so no product overflows.
std::int32_t ScaleRounded(std::int64_t a, std::int64_t b, std::int64_t c)
{
    return static_cast<std::int32_t>(std::llround(static_cast<double>(a * b) / static_cast<double>(c)));
}
}  // namespace

TFontDescription& CurrentFont(TInterfaceFonts& fonts, int localeID)
{
    return IsJapanese(localeID) ? fonts.JapaneseFont : fonts.SecondFont;
}

const TFontDescription& CurrentFont(const TInterfaceFonts& fonts, int localeID)
{
    return IsJapanese(localeID) ? fonts.JapaneseFont : fonts.SecondFont;
}

TFontDescription SampleFont(int localeID)
{
    TFontDescription font;
    font.Charset = kDefaultCharset;
    font.Size = IsJapanese(localeID) ? 9 : 8;
    font.Color = kSystemColorWindowText;
    font.Name = LanguageTextsFor(localeID).SampleFontName;
    return font;
}

bool TakeSampleFontsUnlessLoaded(TInterfaceFonts& fonts)
{
    if (fonts.FontsLoaded) return false;
    fonts.FontsLoaded = true;
    fonts.SecondFont = SampleFont(kEnglishLocaleID);
    fonts.JapaneseFont = SampleFont(kJapaneseLocaleID);
    return true;
}

std::int32_t FontHeightForSize(std::int32_t size, int pixelsPerInch)
{
    return -ScaleRounded(size, pixelsPerInch, kPointsPerInch);
}

std::int32_t FontSizeForHeight(std::int32_t height, int pixelsPerInch)
{
    if (pixelsPerInch <= 0) return 0;
    return -ScaleRounded(height, kPointsPerInch, pixelsPerInch);
}

}  // namespace quillbox

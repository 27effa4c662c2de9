#include "ui/win32/grid/font_cache.h"

namespace quillbox {

HFONT TFontCache::Get(const TFontSpec& spec)
{
    for (const auto& [known, font] : fonts_) {
        if (known == spec) return font.Get();
    }
    TFontHandle font(CreateFontA(spec.Height, 0, 0, 0, spec.Bold ? FW_BOLD : FW_NORMAL,
                                 spec.Italic, spec.Underline, spec.StrikeOut,
                                 static_cast<BYTE>(spec.Charset), OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 spec.Name.c_str()));
    const HFONT handle = font.Get();
    fonts_.emplace_back(spec, std::move(font));
    return handle;
}

TFontSpec SystemFontSpec()
{
    LOGFONTA logFont{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    TFontSpec spec;
    spec.Name = logFont.lfFaceName;
    spec.Height = logFont.lfHeight;
    spec.Bold = logFont.lfWeight >= FW_BOLD;
    spec.Charset = logFont.lfCharSet;
    spec.Color = GetSysColor(COLOR_WINDOWTEXT);
    return spec;
}

}  // namespace quillbox

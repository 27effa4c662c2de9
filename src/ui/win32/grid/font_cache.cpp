#include "ui/win32/grid/font_cache.h"

namespace quillbox {

HFONT TFontCache::Get(const TFontRequest& request)
{
    for (const auto& [known, font] : fonts_) {
        if (known == request) return font.Get();
    }
    TFontHandle font(CreateFontA(request.Height, 0, 0, 0, request.Bold ? FW_BOLD : FW_NORMAL,
                                 request.Italic, request.Underline, request.StrikeOut,
                                 static_cast<BYTE>(request.Charset), OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 request.Name.c_str()));
    const HFONT handle = font.Get();
    fonts_.emplace_back(request, std::move(font));
    return handle;
}

TFontRequest SystemFontSpec()
{
    LOGFONTA logFont{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    TFontRequest request;
    request.Name = logFont.lfFaceName;
    request.Height = logFont.lfHeight;
    request.Bold = logFont.lfWeight >= FW_BOLD;
    request.Charset = logFont.lfCharSet;
    request.Color = GetSysColor(COLOR_WINDOWTEXT);
    return request;
}

}  // namespace quillbox

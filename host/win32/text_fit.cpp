#include "text_fit.h"

#include <commctrl.h>

#include <vector>

#include "menus.h"

namespace quillbox {
namespace {

class TControlFontDc {
public:
    TControlFontDc(HWND control, bool bold) : control_(control), dc_(GetDC(control))
    {
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        if (bold) {
            LOGFONTW logFont{};
            GetObjectW(font, sizeof logFont, &logFont);
            logFont.lfWeight = FW_BOLD;
            bold_ = CreateFontIndirectW(&logFont);
            font = bold_;
        }
        old_ = SelectObject(dc_, font);
    }
    ~TControlFontDc()
    {
        SelectObject(dc_, old_);
        ReleaseDC(control_, dc_);
        if (bold_) DeleteObject(bold_);
    }
    TControlFontDc(const TControlFontDc&) = delete;
    TControlFontDc& operator=(const TControlFontDc&) = delete;

    SIZE Extent(const std::wstring& text) const
    {
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }

private:
    HWND control_;
    HDC dc_;
    HFONT bold_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

std::wstring TextOf(HWND control)
{
    wchar_t text[1024] = {};
    SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::string Pair(const char* what, LONG width, LONG height)
{
    return std::string(what) + " " + std::to_string(width) + " " + std::to_string(height);
}

BOOL CALLBACK Collect(HWND child, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::string ClassName(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string LabelLine(HWND label)
{
    const std::wstring text = TextOf(label);
    const LONG style = GetWindowLongW(label, GWL_STYLE);
    const LONG kind = style & SS_TYPEMASK;
    if (text.empty() || (kind != SS_LEFT && kind != SS_LEFTNOWORDWRAP && kind != SS_SIMPLE)) return {};
    const SIZE size = TControlFontDc(label, false).Extent(text);
    RECT box{};
    GetClientRect(label, &box);
    return "label " + std::to_string(GetDlgCtrlID(label)) + ": " + Pair("text", size.cx, size.cy) + " " +
           Pair("box", box.right, box.bottom) + "\n";
}

std::string PanelLines(HWND bar)
{
    std::string lines;
    int borders[3] = {};
    SendMessageW(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    const TControlFontDc dc(bar, false);
    const int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
    for (int part = 0; part < parts; ++part) {
        const int length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0));
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        RECT box{};
        SendMessageW(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&box));
        const SIZE size = dc.Extent(text);
        lines += "panel " + std::to_string(part) + ": " + Pair("text", size.cx, size.cy) + " " +
                 Pair("box", box.right - box.left, box.bottom - box.top) + " border " + std::to_string(borders[0]) +
                 "\n";
    }
    return lines;
}

std::string ToolBarLine(HWND bar)
{
    int width = 0, height = 0;
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(bar, TB_GETIMAGELIST, 0, 0));
    if (images) ImageList_GetIconSize(images, &width, &height);
    const LRESULT button = SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0);
    return "toolbar: " + Pair("image", width, height) + " " + Pair("button", LOWORD(button), HIWORD(button)) + "\n";
}

}  // namespace

std::string TextFitReport(HWND window)
{
    std::vector<HWND> children;
    EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&children));
    std::string report;
    for (const HWND child : children) {
        if (!IsWindowVisible(child)) continue;
        const std::string name = ClassName(child);
        if (_stricmp(name.c_str(), "Static") == 0) report += LabelLine(child);
        if (name == STATUSCLASSNAMEA) report += PanelLines(child);
        if (name == TOOLBARCLASSNAMEA) report += ToolBarLine(child);
    }
    return report;
}

SIZE TextExtentIn(HWND control, const std::string& text, bool bold)
{
    return TControlFontDc(control, bold).Extent(Widen(text));
}

}  // namespace quillbox

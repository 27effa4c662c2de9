// The main window's side of the interface language: texts, fonts, checks.
#include "ui/win32/main_window/frm_main.h"

#include <commdlg.h>
// The window's method of that name is not the ANSI/wide switch.
#undef ChooseFont

#include <algorithm>
#include <utility>

#include "ui/win32/about/text_extent.h"
#include "ui/win32/window_text.h"

namespace quillbox {

namespace {
COLORREF ColourOf(std::int32_t colour)
{
    // Negative values name a system colour.
    return colour < 0 ? GetSysColor(colour & 0xFF) : static_cast<COLORREF>(colour);
}

// Sizes in points at the window's density.
LOGFONTA LogFontOf(const TFontDescription& font, bool bold, int dpi)
{
    LOGFONTA logFont{};
    logFont.lfHeight = FontHeightForSize(font.Size, dpi);
    logFont.lfWeight = bold || font.Style.Bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.Style.Italic;
    logFont.lfUnderline = font.Style.Underline;
    logFont.lfStrikeOut = font.Style.StrikeOut;
    logFont.lfCharSet = static_cast<BYTE>(font.Charset);
    lstrcpynA(logFont.lfFaceName, font.Name.c_str(), LF_FACESIZE);
    return logFont;
}

TFontRequest GridFontOf(const TFontDescription& font, bool bold, int dpi)
{
    TFontRequest request;
    request.Name = font.Name;
    request.Height = FontHeightForSize(font.Size, dpi);
    request.Bold = bold || font.Style.Bold;
    request.Italic = font.Style.Italic;
    request.Underline = font.Style.Underline;
    request.StrikeOut = font.Style.StrikeOut;
    request.Charset = font.Charset;
    request.Color = ColourOf(font.Color);
    return request;
}

}  // namespace

void TfrmMain::SetWindowFont(const TFontDescription& font)
{
    const LOGFONTA normal = LogFontOf(font, false, scale_.Dpi());
    const LOGFONTA bold = LogFontOf(font, true, scale_.Dpi());
    // The controls take the new fonts before the old ones go.
    TFontHandle oldNormal = std::exchange(windowFont_, TFontHandle(CreateFontIndirectA(&normal)));
    TFontHandle oldBold = std::exchange(boldFont_, TFontHandle(CreateFontIndirectA(&bold)));
    folderNameColour_ = ColourOf(font.Color);
    for (const HWND label : {lblTargetFolderLbl_, lblFolderName_})
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Get()), TRUE);
    SendMessageA(statusBar_->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Get()), TRUE);
}

void TfrmMain::SetLanguageChecks(bool japanese)
{
    menus_.SetChecked(TMenuItem::Japanese, japanese);
    menus_.SetChecked(TMenuItem::English, !japanese);
}

void TfrmMain::SetControlText(const TControlText& text)
{
    if (text.Control == "lblTargetFolderLbl")
        SetWindowTextA(lblTargetFolderLbl_, text.Caption.c_str());
    else if (const std::optional<TMenuItem> item = menus_.ItemNamed(text.Control))
        menus_.SetCaption(*item, text.Caption);
    if (!text.ToolButton.empty()) toolBar_->SetHint(text.ToolButton, text.Hint);
    DrawMenuBar(window_);
}

void TfrmMain::EmphasizeFolderLabels()
{
    for (const HWND label : {lblTargetFolderLbl_, lblFolderName_})
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), TRUE);
    RECT target{};
    GetWindowRect(lblTargetFolderLbl_, &target);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&target), 2);
    const SIZE text = TextExtent(lblTargetFolderLbl_, boldFont_.Get(), WindowText(lblTargetFolderLbl_));
    // As tall as the text when a large font needs more than the design's height.
    const int height = std::max<int>(metrics_.LabelHeight, text.cy);
    SetWindowPos(lblTargetFolderLbl_, nullptr, target.left, target.top, text.cx, height, SWP_NOZORDER);
    // The folder name has the rest of the line.
    const int nameLeft = target.left + text.cx + metrics_.FolderNameGap;
    RECT client{};
    GetClientRect(window_, &client);
    SetWindowPos(lblFolderName_, nullptr, nameLeft, target.top, std::max<int>(client.right - nameLeft, 0), height,
                 SWP_NOZORDER);
}

int TfrmMain::BlankWidth() const { return TextExtent(window_, windowFont_.Get(), " ").cx; }

void TfrmMain::SetGridFont(const TFontDescription& font)
{
    TGridModel& model = grid_->Model();
    TGridDefaults defaults = model.Defaults();
    defaults.Font = GridFontOf(font, false, scale_.Dpi());
    defaults.FixedFont = defaults.Font;
    model.SetDefaults(defaults);
    // Sets with a font of their own keep their weight and take the rest.
    const auto follow = [&](const TSetKey& key) {
        TFormatSet set = model.FormatSet(key);
        if (!set.Font) return;
        set.Font = GridFontOf(font, set.Font->Bold, scale_.Dpi());
        model.SetFormatSet(key, set);
    };
    for (int col = 0; col < model.ColCount(); ++col) {
        follow(TSetKey::ForColumn(col));
        follow(TSetKey::ForFixedColumn(col));
        for (int row = 0; row < model.FixedRows(); ++row) follow(TSetKey::ForCell(col, row));
    }
    for (int row = 0; row < model.RowCount(); ++row) follow(TSetKey::ForRow(row));
    follow(TSetKey::ForFixedRow(0));
}

std::optional<TFontDescription> TfrmMain::ChooseFont(const TFontDescription& font)
{
    LOGFONTA logFont = LogFontOf(font, false, scale_.Dpi());
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = window_;
    choose.lpLogFont = &logFont;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    choose.rgbColors = ColourOf(font.Color);
    if (!ChooseFontA(&choose)) return std::nullopt;
    TFontDescription chosen;
    chosen.Name = logFont.lfFaceName;
    chosen.Size = FontSizeForHeight(logFont.lfHeight, scale_.Dpi());
    chosen.Charset = logFont.lfCharSet;
    chosen.Color = static_cast<std::int32_t>(choose.rgbColors);
    chosen.Style = {logFont.lfWeight >= FW_BOLD, logFont.lfItalic != 0, logFont.lfUnderline != 0,
                    logFont.lfStrikeOut != 0};
    return chosen;
}

}  // namespace quillbox

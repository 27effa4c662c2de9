#include "ui/win32/about/about_box.h"

#include "resources/resource_ids.h"
#include "settings/interface_fonts.h"
#include "ui/win32/about/text_extent.h"
#include "ui/win32/window_dpi.h"
#include "ui/win32/window_text.h"

namespace quillbox {

namespace {
constexpr COLORREF kVersionColour = RGB(0, 128, 0);
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

enum TControlId {
    idPanel1 = 100,
    idProgramIcon,
    idProductName,
    idLabel2,
    idVersion,
    idLabel1,
    idHTLabel1,
};

// A dialog with no controls: they are made in pixels when it starts, as the
// box is not scaled.
struct alignas(4) TEmptyDialogTemplate {
    DLGTEMPLATE Header;
    WORD Menu;
    WORD WindowClass;
    WORD Title;
};

HFONT LabelFont(int localeID, int height, bool bold)
{
    const TFontDescription sample = SampleFont(localeID);
    return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       sample.Name.c_str());
}

// The middle of the work area of the box's monitor, for a client area of the given size.
RECT FrameRect(HWND dialog, int clientWidth, int clientHeight)
{
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    return {left, top, left + width, top + height};
}
}  // namespace

void ShowAbout(const TAboutRequest& request)
{
    // The box scales with its monitor whatever the host does.
    const TPerMonitorDpiScope perMonitorDpi;
    TAboutBox box(request.Module, request.LocaleID, request.PluginVersion);
    box.ShowModal(request.Owner);
}

TAboutBox::TAboutBox(HINSTANCE module, int localeID, const std::string& pluginVersion)
    : module_(module), localeID_(localeID), texts_(AboutTextsFor(localeID, pluginVersion))
{
}

void TAboutBox::ShowModal(HWND owner)
{
    TEmptyDialogTemplate dialogTemplate{};
    dialogTemplate.Header.style = kStyle;
    DialogBoxIndirectParamA(module_, &dialogTemplate.Header, owner, &TAboutBox::DialogProc,
                            reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK TAboutBox::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* box = reinterpret_cast<TAboutBox*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<TAboutBox*>(lParam)->FormCreate(dialog);
        return FALSE;  // the focus is set
    case WM_CTLCOLORSTATIC:
        if (box) return box->LabelColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        break;
    case WM_DPICHANGED:
        if (box) box->DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        // OK, Enter, Esc and the close box all close it.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        // The label's window goes with the dialog; the label must not outlive it.
        if (box) box->htLabel1_.reset();
        break;
    }
    return FALSE;
}

void TAboutBox::FormCreate(HWND dialog)
{
    dialog_ = dialog;
    SetWindowTextA(dialog, texts_.Caption.c_str());
    const auto control = [dialog](const char* windowClass, const char* caption, DWORD style, int id) {
        return CreateWindowExA(0, windowClass, caption, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    };
    // The panel's bevel: raised inside, lowered outside.
    panel_ = control("STATIC", "", SS_ETCHEDFRAME, idPanel1);
    programIcon_ = control("STATIC", "", SS_ICON | SS_REALSIZECONTROL, idProgramIcon);
    productName_ = Label(idProductName, texts_.ProductName);
    forHost_ = Label(idLabel2, kForHostLabel);
    version_ = Label(idVersion, texts_.Version);
    note_ = Label(idLabel1, texts_.HomePageNote);
    const TAboutBoxMetrics design = kAboutBoxDesign;
    htLabel1_ = std::make_unique<THTLabel>(
        dialog, THTLabelDesign{idHTLabel1, design.LinkLeft, design.LinkTop, kHomePageAddress, SampleFont(localeID_).Name,
                               design.LinkFontHeight, texts_.LinkOpen, texts_.LinkCopy});
    ok_ = control("BUTTON", texts_.OkButton.c_str(), WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);

    LayOut(TDpiScale(WindowDpi(dialog)));
    const TAboutBoxMetrics m = ScaledAboutBox(scale_);
    const RECT frame = FrameRect(dialog, m.ClientWidth, m.ClientHeight);
    SetWindowPos(dialog, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetFocus(ok_);
}

void TAboutBox::LayOut(TDpiScale scale)
{
    scale_ = scale;
    const TAboutBoxMetrics m = ScaledAboutBox(scale);
    if (const HICON smallIcon = static_cast<HICON>(
            LoadImageA(module_, QBX_MAIN_ICON, IMAGE_ICON, m.SmallIconSize, m.SmallIconSize, LR_SHARED)))
        SendMessageA(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    SetWindowPos(panel_, nullptr, m.PanelLeft, m.PanelTop, m.PanelWidth, m.PanelHeight, SWP_NOZORDER | SWP_NOACTIVATE);

    // The control shows the new icon before the old one goes.
    TIconHandle icon(static_cast<HICON>(LoadImageA(module_, QBX_MAIN_ICON, IMAGE_ICON, m.IconSize, m.IconSize, 0)));
    if (icon) SendMessageA(programIcon_, STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
    icon_ = std::move(icon);
    SetWindowPos(programIcon_, nullptr, m.IconLeft, m.IconTop, m.IconSize, m.IconSize, SWP_NOZORDER | SWP_NOACTIVATE);

    // New fonts reach every control before the old ones go.
    TFontHandle labelFont(LabelFont(localeID_, FontHeightForSize(SampleFont(localeID_).Size, scale.Dpi()), false));
    TFontHandle productFont(LabelFont(localeID_, m.ProductFontHeight, true));
    PlaceLabel(productName_, m.ProductLeft, m.ProductTop, productFont.Get());
    PlaceLabel(forHost_, m.ForHostLeft, m.ForHostTop, labelFont.Get());
    PlaceLabel(version_, m.VersionLeft, m.VersionTop, labelFont.Get());
    PlaceLabel(note_, m.NoteLeft, m.NoteTop, labelFont.Get());
    SendMessageA(ok_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont.Get()), TRUE);
    SetWindowPos(ok_, nullptr, m.OkLeft, m.OkTop, m.OkWidth, m.OkHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    labelFont_ = std::move(labelFont);
    productFont_ = std::move(productFont);
    if (htLabel1_) htLabel1_->Place(m.LinkLeft, m.LinkTop, m.LinkFontHeight);
}

void TAboutBox::DpiChanged(int dpi, const RECT& suggested)
{
    if (TDpiScale(dpi) == scale_) return;
    LayOut(TDpiScale(dpi));
    SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(dialog_, nullptr, TRUE);
}

HWND TAboutBox::Label(int id, const std::string& caption)
{
    return CreateWindowExA(0, "STATIC", caption.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, dialog_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

void TAboutBox::PlaceLabel(HWND label, int left, int top, HFONT font)
{
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // Sized to its caption, as a label is.
    const SIZE size = TextExtent(label, font, WindowText(label));
    SetWindowPos(label, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR TAboutBox::LabelColours(HDC dc, HWND control) const
{
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    if (control == version_) SetTextColor(dc, kVersionColour);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace quillbox

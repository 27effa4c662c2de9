#include "ui/win32/about/about_box.h"

#include "resources/resource_ids.h"
#include "settings/interface_fonts.h"
#include "ui/win32/about/text_extent.h"

namespace quillbox {

namespace {
constexpr int kClientWidth = 298;
constexpr int kClientHeight = 180;
constexpr int kProductNameHeight = -14;
constexpr int kLinkFontHeight = -13;
constexpr int kIconSize = 32;
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

int PixelsPerInch()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT LabelFont(int localeID, int height, bool bold)
{
    const TFontDescription sample = SampleFont(localeID);
    return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       sample.Name.c_str());
}

// The desktop's middle, for a client area of the box's size.
RECT FrameRect(HWND dialog)
{
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT desktop{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
    const int left = desktop.left + (desktop.right - desktop.left - width) / 2;
    const int top = desktop.top + (desktop.bottom - desktop.top - height) / 2;
    return {left, top, left + width, top + height};
}
}  // namespace

void ShowAbout(const TAboutRequest& request)
{
    TAboutBox box(request.Module, request.LocaleID, request.PluginVersion);
    box.ShowModal(request.Owner);
}

TAboutBox::TAboutBox(HINSTANCE module, int localeID, const std::string& pluginVersion)
    : module_(module),
      localeID_(localeID),
      texts_(AboutTextsFor(localeID, pluginVersion)),
      labelFont_(LabelFont(localeID, FontHeightForSize(SampleFont(localeID).Size, PixelsPerInch()), false)),
      productFont_(LabelFont(localeID, kProductNameHeight, true))
{
}

TAboutBox::~TAboutBox()
{
    if (icon_) DestroyIcon(icon_);
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
    const RECT frame = FrameRect(dialog);
    SetWindowPos(dialog, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (const HICON smallIcon = static_cast<HICON>(LoadImageA(module_, QBX_MAIN_ICON, IMAGE_ICON, 16, 16, LR_SHARED)))
        SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));

    // The panel's bevel: raised inside, lowered outside.
    CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME, 7, 7, 282, 136, dialog,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(idPanel1)), nullptr, nullptr);
    const HWND programIcon =
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL, 15, 15, kIconSize,
                        kIconSize, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(idProgramIcon)), nullptr, nullptr);
    icon_ = static_cast<HICON>(LoadImageA(module_, QBX_MAIN_ICON, IMAGE_ICON, kIconSize, kIconSize, 0));
    if (icon_) SendMessageA(programIcon, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    SetWindowPos(programIcon, nullptr, 15, 15, kIconSize, kIconSize, SWP_NOZORDER | SWP_NOACTIVATE);

    Label(idProductName, 74, 13, texts_.ProductName, productFont_.Get());
    Label(idLabel2, 200, 29, kForHostLabel, labelFont_.Get());
    version_ = Label(idVersion, 74, 37, texts_.Version, labelFont_.Get());
    Label(idLabel1, 92, 80, texts_.HomePageNote, labelFont_.Get());
    htLabel1_ = std::make_unique<THTLabel>(
        dialog, THTLabelDesign{idHTLabel1, 50, 101, kHomePageAddress, SampleFont(localeID_).Name, kLinkFontHeight,
                               texts_.LinkOpen, texts_.LinkCopy});

    const HWND ok = CreateWindowExA(0, "BUTTON", texts_.OkButton.c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 117, 152, 63, 21, dialog,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), nullptr, nullptr);
    SendMessageA(ok, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.Get()), FALSE);
    SetFocus(ok);
}

HWND TAboutBox::Label(int id, int left, int top, const std::string& caption, HFONT font)
{
    const HWND label = CreateWindowExA(0, "STATIC", caption.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, left, top,
                                       0, 0, dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // Sized to its caption, as a label is.
    const SIZE size = TextExtent(label, font, caption);
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return label;
}

INT_PTR TAboutBox::LabelColours(HDC dc, HWND control) const
{
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    if (control == version_) SetTextColor(dc, kVersionColour);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace quillbox

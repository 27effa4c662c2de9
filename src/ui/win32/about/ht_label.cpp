#include "ui/win32/about/ht_label.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "ui/win32/about/text_extent.h"
#include "ui/win32/clipboard_text.h"

namespace quillbox {

namespace {
constexpr UINT_PTR kSubclassId = 1;
enum TPopupItem : UINT { idOpen = 1, idCopy = 2 };

HFONT LinkFont(const std::string& faceName, int height, bool underlined)
{
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, underlined, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName.c_str());
}

TMenuHandle LinkPopup(const std::string& openItem, const std::string& copyItem)
{
    TMenuHandle menu(CreatePopupMenu());
    AppendMenuA(menu.Get(), MF_STRING, idOpen, openItem.c_str());
    AppendMenuA(menu.Get(), MF_STRING, idCopy, copyItem.c_str());
    // The default item, drawn bold.
    SetMenuDefaultItem(menu.Get(), idOpen, FALSE);
    return menu;
}

}  // namespace

THTLabel::THTLabel(HWND parent, const THTLabelDesign& design)
    : caption_(design.Caption),
      faceName_(design.FaceName),
      logic_(ReadLinkSettings()),
      popup_(LinkPopup(design.OpenItem, design.CopyItem))
{
    // SS_NOTIFY: a static control takes the mouse only with it.
    // A tab stop: the link can be reached and opened without a mouse.
    window_ = CreateWindowExA(0, "STATIC", caption_.c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_NOTIFY | SS_NOPREFIX,
                              design.Left, design.Top, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.Id)), nullptr, nullptr);
    if (!window_) return;
    Place(design.Left, design.Top, design.FontHeight);
    subclassed_ = SetWindowSubclass(window_, &THTLabel::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void THTLabel::Place(int left, int top, int fontHeight)
{
    TFontHandle underlined(LinkFont(faceName_, fontHeight, true));
    // The control lets go of the old font before it is deleted.
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(underlined.Get()), FALSE);
    underlinedFont_ = std::move(underlined);
    plainFont_.Reset(LinkFont(faceName_, fontHeight, false));
    const SIZE size = TextExtent(window_, underlinedFont_.Get(), caption_);
    SetWindowPos(window_, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

THTLabel::~THTLabel() { Unsubclass(); }

void THTLabel::Unsubclass()
{
    if (subclassed_) RemoveWindowSubclass(window_, &THTLabel::SubclassProc, kSubclassId);
    subclassed_ = false;
}

LRESULT CALLBACK THTLabel::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR data)
{
    auto* label = reinterpret_cast<THTLabel*>(data);
    switch (message) {
    case WM_PAINT: label->Paint(); return 0;
    case WM_SETCURSOR: SetCursor(LoadCursor(nullptr, IDC_HAND)); return TRUE;
    case WM_MOUSEMOVE: label->MouseMove(); break;
    case WM_MOUSELEAVE: label->MouseLeave(); return 0;
    case WM_LBUTTONDOWN:
        label->pressed_ = true;
        SetCapture(window);
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = std::exchange(label->pressed_, false);
        if (GetCapture() == window) ReleaseCapture();
        RECT client{};
        GetClientRect(window, &client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (wasPressed && PtInRect(&client, at)) label->Click();
        return 0;
    }
    case WM_RBUTTONDOWN: label->ShowPopup(); return 0;
    case WM_GETDLGCODE: {
        // Enter opens the link instead of pressing the dialog's default button.
        const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
        if (keyMessage && keyMessage->message == WM_KEYDOWN && keyMessage->wParam == VK_RETURN)
            return DLGC_WANTMESSAGE;
        break;
    }
    case WM_KEYDOWN:
        if (wParam != VK_RETURN) break;
        label->Click();
        return 0;
    case WM_CHAR:
        if (wParam == '\r') return 0;  // already handled as a key
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        label->focused_ = message == WM_SETFOCUS;
        InvalidateRect(window, nullptr, TRUE);
        break;
    case WM_NCDESTROY: label->Unsubclass(); break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void THTLabel::Paint()
{
    const TLinkLook look = logic_.Paint();
    const TPaintScope paint(window_);
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(paint.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
    const TSelection font(paint.Dc(), look.Underlined ? underlinedFont_.Get() : plainFont_.Get());
    SetBkMode(paint.Dc(), TRANSPARENT);
    SetTextColor(paint.Dc(), look.Color);
    DrawTextA(paint.Dc(), caption_.c_str(), static_cast<int>(caption_.size()), &client,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (focused_) DrawFocusRect(paint.Dc(), &client);
}

void THTLabel::MouseMove()
{
    if (!logic_.MouseEnter()) return;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
    TrackMouseEvent(&track);
    InvalidateRect(window_, nullptr, TRUE);
}

void THTLabel::MouseLeave()
{
    if (logic_.MouseLeave()) InvalidateRect(window_, nullptr, TRUE);
}

void THTLabel::Click()
{
    const TLinkKind kind = logic_.Click(caption_);
    InvalidateRect(window_, nullptr, TRUE);
    OpenLink(caption_, kind, shell_);
}

void THTLabel::ShowPopup()
{
    POINT at{};
    GetCursorPos(&at);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(popup_.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr));
    if (chosen == idOpen) Click();
    if (chosen == idCopy) SetClipboardText(window_, caption_);
}

}  // namespace quillbox

#include "ui/win32/grid/cell_hint.h"

#include <commctrl.h>

namespace quillbox {

namespace {

constexpr UINT_PTR kToolId = 1;

TTTOOLINFOA ToolInfo(HWND owner)
{
    TTTOOLINFOA info{};
    // The size every comctl32 version accepts.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = owner;
    info.uId = kToolId;
    return info;
}

}  // namespace

TCellHint::TCellHint(HWND owner)
    : owner_(owner),
      tip_(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr))
{
    auto info = ToolInfo(owner_);
    info.uFlags = TTF_TRANSPARENT;
    info.lpszText = const_cast<char*>("");
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    // Long file names and subjects: let the tip wrap rather than run off screen.
    SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, 600);
}

TCellHint::~TCellHint()
{
    if (tip_) DestroyWindow(tip_);
}

void TCellHint::Relay(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{owner_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void TCellHint::SetArea(const RECT& area)
{
    auto info = ToolInfo(owner_);
    info.rect = area;
    SendMessageA(tip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
}

void TCellHint::Show(const RECT& area, const std::string& text, POINT screenPosition,
                     int hideTimeout)
{
    Hide();
    text_ = text;
    position_ = screenPosition;
    auto info = ToolInfo(owner_);
    info.lpszText = text_.data();
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(hideTimeout, 0));
    SetArea(area);
    SendMessageA(tip_, TTM_ACTIVATE, TRUE, 0);
}

void TCellHint::Hide()
{
    SendMessageA(tip_, TTM_POP, 0, 0);
    SendMessageA(tip_, TTM_ACTIVATE, FALSE, 0);
    SetArea(RECT{});
}

bool TCellHint::HandleNotify(const NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != tip_) return false;
    if (header.code == TTN_SHOW) {
        SetWindowPos(tip_, nullptr, position_.x, position_.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        result = TRUE;  // we placed it
        return true;
    }
    result = 0;
    return true;
}

}  // namespace quillbox

// Reading a tree-view control's items, from its own thread or another.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <type_traits>

namespace quillbox {

// An item's text: char gives the local code page's bytes, wchar_t UTF-16.
// The time limit keeps a caller on another thread from hanging on a busy window.
template <typename Char>
std::basic_string<Char> TreeItemText(HWND tree, HTREEITEM item)
{
    constexpr bool narrow = std::is_same_v<Char, char>;
    Char text[MAX_PATH] = {};
    std::conditional_t<narrow, TVITEMA, TVITEMW> info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = MAX_PATH;
    if constexpr (narrow)
        SendMessageTimeoutA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info), SMTO_NORMAL, 5000, nullptr);
    else
        SendMessageTimeoutW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info), SMTO_NORMAL, 5000, nullptr);
    return text;
}

}  // namespace quillbox

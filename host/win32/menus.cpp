#include "menus.h"

#include <vector>

namespace quillbox {
namespace {

struct TItem {
    UINT id;  // 0: separator
    const wchar_t* caption;
};

void Append(HMENU menu, const std::vector<TItem>& items)
{
    for (const TItem& item : items) {
        if (item.id == 0)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING, item.id, item.caption);
    }
}

std::wstring MenuCaption(HMENU menu, int position)
{
    wchar_t text[512] = {};
    GetMenuStringW(menu, position, text, 511, MF_BYPOSITION);
    return text;
}

void Dump(HMENU menu, int depth, std::string& out)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        out += std::string(depth * 2, ' ') + std::to_string(i) + ": ";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        const std::string caption = Narrow(MenuCaption(menu, i));
        if (info.fType & MFT_SEPARATOR) {
            out += "separator\n";
        } else if (info.hSubMenu) {
            out += "popup " + caption + "\n";
            Dump(info.hSubMenu, depth + 1, out);
        } else {
            out += std::to_string(info.wID) + ((info.fState & MFS_GRAYED) ? " greyed" : " enabled");
            if (info.fState & MFS_CHECKED) out += " checked";
            out += " " + caption + "\n";
        }
    }
}

std::optional<TMenuItem> Find(HMENU menu, const std::wstring& caption)
{
    const std::size_t slash = caption.find(L'/');
    const std::wstring head = caption.substr(0, slash);
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const bool matches = PlainCaption(MenuCaption(menu, i)) == head;
        HMENU sub = GetSubMenu(menu, i);
        if (matches && slash != std::wstring::npos && sub) return Find(sub, caption.substr(slash + 1));
        if (matches && slash == std::wstring::npos && !sub) {
            const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
            return TMenuItem{menu, i, GetMenuItemID(menu, i), (state & (MF_GRAYED | MF_DISABLED)) == 0};
        }
    }
    if (slash != std::wstring::npos) return std::nullopt;
    for (int i = 0; i < count; ++i)
        if (HMENU sub = GetSubMenu(menu, i))
            if (auto found = Find(sub, caption)) return found;
    return std::nullopt;
}

}  // namespace

std::optional<TContextLayout> ParseContextLayout(const std::string& name)
{
    if (name == "separated") return TContextLayout::Separated;
    if (name == "first") return TContextLayout::First;
    if (name == "absent") return TContextLayout::Absent;
    if (name == "plain") return TContextLayout::Plain;
    return std::nullopt;
}

HMENU BuildMainMenu(int dropDowns)
{
    const std::vector<std::pair<const wchar_t*, std::vector<TItem>>> menus = {
        {L"&File", {{40010, L"&New Folder"}, {40011, L"&Import..."}, {0, nullptr}, {kIdExit, L"E&xit"}}},
        {L"&Edit", {{40020, L"&Copy"}, {40021, L"Select &All"}}},
        {L"&View", {{40030, L"&Refresh"}, {40031, L"&Preview Pane"}}},
        {L"&Mail", {{40040, L"&Reply"}, {40041, L"&Forward"}, {40042, L"&Delete"}}},
        {L"&Tools", {{40050, L"&Options..."}, {kIdPluginSetup, L"Plug-in &Setup..."}}},
        {L"&Help", {{40060, L"&About"}}},
    };
    HMENU bar = CreateMenu();
    for (int i = 0; i < dropDowns && i < static_cast<int>(menus.size()); ++i) {
        HMENU dropDown = CreatePopupMenu();
        Append(dropDown, menus[i].second);
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(dropDown), menus[i].first);
    }
    return bar;
}

HMENU BuildContextMenu(int kind, TContextLayout layout)
{
    const TItem anchor{kContextAnchorId, kind == 1 ? L"&Delete" : L"Select &All"};
    const std::vector<TItem> before = kind == 1
                                          ? std::vector<TItem>{{33001, L"&Open"}, {33002, L"&Reply"}, {33003, L"&Forward"}}
                                          : std::vector<TItem>{{33101, L"&Copy"}, {33102, L"&Find..."}};
    const std::vector<TItem> after = {{0, nullptr}, {33010, L"P&roperties"}};
    std::vector<TItem> items;
    switch (layout) {
    case TContextLayout::Separated:
        items = before;
        items.push_back({0, nullptr});
        items.push_back(anchor);
        break;
    case TContextLayout::First:
        items.push_back(anchor);
        items.insert(items.end(), before.begin(), before.end());
        break;
    case TContextLayout::Absent:
        items = before;
        break;
    case TContextLayout::Plain:
        items = before;
        items.push_back(anchor);
        break;
    }
    items.insert(items.end(), after.begin(), after.end());
    HMENU menu = CreatePopupMenu();
    Append(menu, items);
    return menu;
}

std::string DumpMenu(HMENU menu)
{
    std::string out;
    Dump(menu, 0, out);
    return out;
}

std::optional<TMenuItem> FindMenuItem(HMENU menu, const std::string& caption)
{
    return Find(menu, Widen(caption));
}

std::wstring Widen(const std::string& utf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

std::wstring PlainCaption(const std::wstring& caption)
{
    std::wstring out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'\t') break;
        // "ファイル(&F)": the whole mnemonic group goes.
        if (caption.compare(i, 2, L"(&") == 0 && i + 3 < caption.size() && caption[i + 3] == L')') {
            i += 3;
            continue;
        }
        if (caption[i] == L'&') {
            if (i + 1 < caption.size() && caption[i + 1] == L'&') out += L'&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

}  // namespace quillbox

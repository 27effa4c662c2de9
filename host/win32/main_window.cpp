#include "main_window.h"

#include "host_app.h"
#include "tree_items.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>
#include <functional>

namespace quillbox {
namespace {

constexpr char kClassName[] = "TansyHostMain";
constexpr UINT_PTR kMinuteTimer = 1;

void Layout(const THostWindows& w)
{
    RECT client{};
    GetClientRect(w.main, &client);
    SendMessageA(w.status, WM_SIZE, 0, 0);
    RECT status{};
    GetWindowRect(w.status, &status);
    const int height = client.bottom - (status.bottom - status.top);
    const int treeWidth = client.right / 4;
    const int listHeight = height / 2;
    MoveWindow(w.tree, 0, 0, treeWidth, height, TRUE);
    MoveWindow(w.list, treeWidth, 0, client.right - treeWidth, listHeight, TRUE);
    MoveWindow(w.preview, treeWidth, listHeight, client.right - treeWidth, height - listHeight, TRUE);
    const int panels[] = {client.right * 2 / 3, -1};
    SendMessageA(w.status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(panels));
}

void OnTreeSelection(THostApp& host, const NMTREEVIEWA& change)
{
    if (change.action == TVC_UNKNOWN) return;  // our own refresh
    const HWND tree = host.Windows().tree;
    // The tree's texts are mailbox and folder names, in the local code page.
    const std::string text = TreeItemText<char>(tree, change.itemNew.hItem);
    const HTREEITEM parent = TreeView_GetParent(tree, change.itemNew.hItem);
    if (!parent) {
        host.SelectMailBox(text + kPathSeparator);
        return;
    }
    host.SelectFolder(TreeItemText<char>(tree, parent) + kPathSeparator + text + kPathSeparator);
}

void OnListClick(THostApp& host)
{
    const int row = ListView_GetNextItem(host.Windows().list, -1, LVNI_SELECTED);
    const auto ids = host.MailsOfCurrentFolder();
    if (row >= 0 && row < static_cast<int>(ids.size()) && ids[row] != host.CurrentMail()) host.SelectMail(ids[row]);
}

LRESULT OnNotify(THostApp& host, const NMHDR& header)
{
    if (header.hwndFrom == host.Windows().tree && header.code == TVN_SELCHANGEDA)
        OnTreeSelection(host, reinterpret_cast<const NMTREEVIEWA&>(header));
    else if (header.hwndFrom == host.Windows().list && (header.code == NM_CLICK || header.code == LVN_ITEMACTIVATE))
        OnListClick(host);
    return 0;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    THostApp& host = Host();
    switch (message) {
    case WM_SIZE:
        if (host.Windows().status) Layout(host.Windows());
        return 0;
    case WM_COMMAND:
        if (lParam == 0) RunMenuCommand(host, LOWORD(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        host.Commands().UpdateStates(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_CONTEXTMENU: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const HWND source = reinterpret_cast<HWND>(wParam);
        if (source == host.Windows().list) ShowContextMenu(host, 1, at);
        else if (source == host.Windows().preview) ShowContextMenu(host, 2, at);
        return 0;
    }
    case WM_NOTIFY:
        return OnNotify(host, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
        if (wParam == kMinuteTimer)
            for (const auto& plugin : host.Plugins().Loaded()) plugin->OnEveryMinute();
        return 0;
    case kMsgRunOnUi:
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 1;
    case WM_DESTROY:
        KillTimer(window, kMinuteTimer);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND Child(const char* className, DWORD style, DWORD exStyle, HWND parent, int id)
{
    return CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

bool CreateMainWindow(THostApp& host, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    if (!RegisterClassA(&windowClass)) return false;

    THostWindows& w = host.Windows();
    HMENU bar = BuildMainMenu(host.Options().mainMenus);
    w.main = CreateWindowExA(0, kClassName, "Tansy Host", WS_OVERLAPPEDWINDOW, 40, 30, 960, 640, nullptr, bar,
                             GetModuleHandleA(nullptr), nullptr);
    if (!w.main) return false;
    w.tree = Child(WC_TREEVIEWA, TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                   WS_EX_CLIENTEDGE, w.main, 101);
    w.list = Child(WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE, w.main, 102);
    w.preview = Child("EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE, w.main, 103);
    w.status = Child(STATUSCLASSNAMEA, SBARS_SIZEGRIP, 0, w.main, 104);
    ListView_SetExtendedListViewStyle(w.list, LVS_EX_FULLROWSELECT);
    const char* columns[] = {"Subject", "From", "Date", "@"};
    const int widths[] = {300, 200, 120, 30};
    for (int c = 0; c < 4; ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[c]);
        column.cx = widths[c];
        SendMessageA(w.list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(w.preview, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);

    for (const auto& plugin : host.Plugins().Loaded()) plugin->OnMenuInit(w.main, bar, 0);
    for (int kind = 1; kind <= 2; ++kind) {
        w.contextMenus[kind] = BuildContextMenu(kind, host.Options().contextLayout);
        for (const auto& plugin : host.Plugins().Loaded()) plugin->OnMenuInit(w.main, w.contextMenus[kind], kind);
    }
    DrawMenuBar(w.main);
    Layout(w);
    SetTimer(w.main, kMinuteTimer, 60000, nullptr);
    ShowWindow(w.main, showCommand);
    UpdateWindow(w.main);
    return true;
}

void ShowContextMenu(THostApp& host, int kind, POINT screenPoint)
{
    HMENU menu = host.Windows().contextMenus[kind];
    host.Commands().UpdateStates(menu);
    const UINT id = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0,
                                   host.Windows().main, nullptr);
    if (id != 0) RunMenuCommand(host, id);
}

void RunMenuCommand(THostApp& host, UINT id)
{
    if (host.Commands().Run(static_cast<int>(id), host.Windows().main)) return;
    if (id == kIdExit) {
        PostMessageA(host.Windows().main, WM_CLOSE, 0, 0);
    } else if (id == kIdPluginSetup) {
        for (const auto& plugin : host.Plugins().Loaded()) {
            const int result = plugin->OnPlugInSetup(host.Windows().main);
            std::printf("plugin: setup of %s returned %d\n", plugin->Name().c_str(), result);
            std::fflush(stdout);
        }
    }
}

}  // namespace quillbox

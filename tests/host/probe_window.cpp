#include "probe_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

enum : UINT { kCopy = 1, kAsk, kBrowse, kSaveAs, kDisabled, kExit, kFirst, kMark, kGreyed };
constexpr char kClass[] = "ProbeWindow";

struct TProbe {
    HWND edit = nullptr;
    HWND status = nullptr;
};
TProbe g_probe;

void Status(int panel, const std::string& text)
{
    SendMessageA(g_probe.status, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

void CopyEditText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(g_probe.edit, text, sizeof text);
    if (!OpenClipboard(window)) return;
    EmptyClipboard();
    const std::size_t size = std::strlen(text) + 1;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size)) {
        std::memcpy(GlobalLock(memory), text, size);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
    }
    CloseClipboard();
}

void Browse(HWND window)
{
    BROWSEINFOA info{};
    info.hwndOwner = window;
    info.lpszTitle = "Choose a folder";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    char path[MAX_PATH] = {};
    if (chosen) {
        SHGetPathFromIDListA(chosen, path);
        CoTaskMemFree(chosen);
    }
    Status(0, std::string("folder=") + path);
}

void SaveAs(HWND window)
{
    char path[MAX_PATH] = "probe.txt";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrFilter = "Text\0*.txt\0";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog)) {
        Status(0, "saved=none");
        return;
    }
    if (std::FILE* file = std::fopen(path, "wb")) {
        std::fputs("probe", file);
        std::fclose(file);
    }
    Status(0, std::string("saved=") + path);
}

void ContextMenu(HWND window, POINT at)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kFirst, "&First");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, kGreyed, "&Greyed");
    AppendMenuA(menu, MF_STRING, kMark, "&Mark");
    const UINT id = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    DestroyMenu(menu);
    if (id == kMark) Status(1, "marked");
    if (id == kFirst) Status(1, "first");
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kCopy: CopyEditText(window); break;
        case kAsk: {
            const int answer = MessageBoxA(window, "Keep going?", "Probe question",
                                           MB_YESNOCANCEL | MB_HELP | MB_ICONQUESTION);
            Status(0, "answer=" + std::to_string(answer));
            break;
        }
        case kBrowse: Browse(window); break;
        case kSaveAs: SaveAs(window); break;
        case kExit: DestroyWindow(window); break;
        }
        return 0;
    case WM_CONTEXTMENU:
        ContextMenu(window, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_SIZE:
        SendMessageA(g_probe.status, WM_SIZE, 0, 0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HMENU ProbeMenu()
{
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kCopy, "&Copy\tCtrl+C");
    AppendMenuA(file, MF_STRING, kAsk, "&Ask...");
    AppendMenuA(file, MF_STRING, kBrowse, "&Browse...");
    AppendMenuA(file, MF_STRING, kSaveAs, "Save &As...");
    AppendMenuA(file, MF_STRING | MF_GRAYED, kDisabled, "&Disabled");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, kExit, "E&xit");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    return bar;
}

}  // namespace

void RunProbeWindow(HWND owner)
{
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered) return;
    HWND window = CreateWindowExA(0, kClass, "Probe Window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 120, 480, 320,
                                  owner, ProbeMenu(), GetModuleHandleA(nullptr), nullptr);
    g_probe.edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 300,
                                   24, window, reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr), nullptr);
    g_probe.status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                                     reinterpret_cast<HMENU>(101), GetModuleHandleA(nullptr), nullptr);
    const int panels[] = {240, -1};
    SendMessageA(g_probe.status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(panels));
    EnableWindow(owner, FALSE);
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    EnableWindow(owner, TRUE);
    SetForegroundWindow(owner);
}

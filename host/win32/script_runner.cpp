#include "script_runner.h"

#include "host_app.h"
#include "input.h"
#include "main_window.h"
#include "screenshot.h"
#include "ui_probe.h"
#include "window_commands.h"
#include "convert/file_bytes.h"

#include <commctrl.h>
#include <shlobj.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>

namespace quillbox {
namespace {

struct TScriptFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& message) { throw TScriptFailure(message); }

// Script texts are UTF-8; host identifiers and paths are in the local code page.
std::string ToLocal(const std::string& utf8)
{
    const std::wstring wide = Widen(utf8);
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string local(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), local.data(), n, nullptr, nullptr);
    return local;
}

std::string FromLocal(const std::string& local)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, local.data(), static_cast<int>(local.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, local.data(), static_cast<int>(local.size()), wide.data(), n);
    return Narrow(wide);
}

std::string Joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : ", ") + ("\"" + word + "\"");
    return text;
}

void WriteOut(const std::string& path, const std::string& bytes)
{
    if (path == "-") return;
    if (!WriteFileBytes(ToLocal(path), bytes)) Fail("cannot write " + path);
}

template <typename T>
T WaitFor(const std::function<std::optional<T>()>& probe, double seconds, const std::string& what)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    while (true) {
        if (std::optional<T> found = probe()) return *found;
        if (std::chrono::steady_clock::now() >= deadline) Fail("timed out after " + std::to_string(seconds) + " s waiting for " + what);
        Sleep(50);
    }
}

HWND WaitWindow(const std::string& title, double seconds)
{
    return WaitFor<HWND>([&] { return FindWindowByTitle(title); }, seconds, "window \"" + title + "\"");
}

HWND Control(HWND window, const std::string& name)
{
    const std::optional<HWND> control = FindControl(window, name);
    if (!control) Fail("no control " + name + " in \"" + WindowTitle(window) + "\"");
    return *control;
}

int Number(const std::string& word)
{
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end) Fail("not a number: " + word);
    return static_cast<int>(value);
}

// The menu of a kind: 0 the main menu bar, 1 and 2 the context menus.
// Called on the user-interface thread, so it must not throw: kinds are
// checked by MenuKind first.
HMENU MenuOfKind(THostApp& host, int kind)
{
    return kind == 0 ? GetMenu(host.Windows().main) : host.Windows().contextMenus[kind];
}

int MenuKind(const std::string& word)
{
    const int kind = Number(word);
    if (kind < 0 || kind > 2) Fail("no menu of kind " + word);
    return kind;
}

// The item as the user would see it when the menu opens.
std::optional<TMenuItem> MenuItemOfKind(THostApp& host, const std::string& kindWord, const std::string& caption)
{
    const int kind = MenuKind(kindWord);
    std::optional<TMenuItem> item;
    host.OnUiThread([&] {
        HMENU menu = MenuOfKind(host, kind);
        host.Commands().UpdateStates(menu);
        item = FindMenuItem(menu, caption);
    });
    return item;
}

void ExpectArgs(const std::vector<std::string>& words, std::size_t least, std::size_t most, const char* usage)
{
    if (words.size() - 1 < least || words.size() - 1 > most) Fail(std::string("usage: ") + usage);
}

// A status-bar panel's text: UTF-8, or raw in the local code page.
std::string PanelText(HWND bar, int panel, bool raw)
{
    if (raw) {
        char text[1024] = {};
        SendMessageTimeoutA(bar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, nullptr);
        return text;
    }
    wchar_t text[1024] = {};
    SendMessageTimeoutW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, nullptr);
    return Narrow(text);
}

std::string ClipboardText(bool raw)
{
    if (!OpenClipboard(nullptr)) return {};
    std::string text;
    if (HANDLE data = GetClipboardData(raw ? CF_TEXT : CF_UNICODETEXT)) {
        if (const void* locked = GlobalLock(data)) {
            text = raw ? std::string(static_cast<const char*>(locked))
                       : Narrow(std::wstring(static_cast<const wchar_t*>(locked)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Chooses a pop-up menu item with the keyboard, as a user would.
void ChoosePopupItem(HWND popup, const std::string& caption)
{
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
    if (!menu) Fail("the pop-up menu has no items");
    const std::optional<TMenuItem> item = FindMenuItem(menu, caption);
    if (!item || item->menu != menu) Fail("no item \"" + caption + "\" in the pop-up menu:\n" + DumpMenu(menu));
    if (!item->enabled) Fail("pop-up item \"" + caption + "\" is greyed");
    int steps = 1;
    for (int i = 0; i < item->position; ++i)
        if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)) ++steps;
    for (int i = 0; i < steps; ++i) {
        PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(popup, WM_KEYUP, VK_DOWN, 0xC0000001);
    }
    PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(popup, WM_KEYUP, VK_RETURN, 0xC0000001);
}

// Invokes a window's menu item; the window gets the messages a real menu sends.
void InvokeWindowMenu(HWND window, const std::string& caption)
{
    HMENU bar = GetMenu(window);
    if (!bar) Fail("\"" + WindowTitle(window) + "\" has no menu");
    SendMessageTimeoutA(window, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0, SMTO_NORMAL, 5000, nullptr);
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        if (HMENU sub = GetSubMenu(bar, i))
            SendMessageTimeoutA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), i, SMTO_NORMAL, 5000, nullptr);
    const std::optional<TMenuItem> item = FindMenuItem(bar, caption);
    if (!item) Fail("no menu item \"" + caption + "\" in \"" + WindowTitle(window) + "\":\n" + DumpMenu(bar));
    if (!item->enabled) Fail("menu item \"" + caption + "\" is greyed");
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(item->id, 0), 0);
}

void PressButton(HWND dialog, const std::string& caption)
{
    const std::optional<HWND> button = FindButton(dialog, caption);
    if (!button) Fail("no button \"" + caption + "\" in \"" + WindowTitle(dialog) + "\"; it has " + Joined(ButtonCaptions(dialog)));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(*button), BN_CLICKED), reinterpret_cast<LPARAM>(*button));
}

std::wstring TreeItemText(HWND tree, HTREEITEM item)
{
    wchar_t text[MAX_PATH] = {};
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = MAX_PATH;
    SendMessageTimeoutW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info), SMTO_NORMAL, 5000, nullptr);
    return text;
}

std::vector<HTREEITEM> ExpandedChildren(HWND tree, HTREEITEM item)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item), SMTO_NORMAL, 10000, &result);
    std::vector<HTREEITEM> children;
    SendMessageTimeoutW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item), SMTO_NORMAL, 5000, &result);
    for (auto child = reinterpret_cast<HTREEITEM>(result); child;) {
        children.push_back(child);
        SendMessageTimeoutW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child), SMTO_NORMAL, 5000, &result);
        child = reinterpret_cast<HTREEITEM>(result);
    }
    return children;
}

// Walks the browser's tree as a user would: the drive (shown as "... (Z:)"
// somewhere below the root), then each folder of the path by name.
bool SelectFolderInBrowser(HWND dialog, const std::string& path)
{
    const HWND tree = *FindControl(dialog, "SysTreeView32");
    std::vector<std::wstring> parts;
    std::wstring wide = Widen(path);
    for (std::size_t start = 0; start <= wide.size();) {
        std::size_t end = wide.find_first_of(L"\\/", start);
        if (end == std::wstring::npos) end = wide.size();
        if (end > start) parts.push_back(wide.substr(start, end - start));
        start = end + 1;
    }
    if (parts.empty()) return false;
    const std::wstring drive = L"(" + parts[0] + L")";
    HTREEITEM current = nullptr;
    std::vector<HTREEITEM> level = ExpandedChildren(tree, TVI_ROOT);
    for (int depth = 0; depth < 3 && !current; ++depth) {
        std::vector<HTREEITEM> next;
        for (HTREEITEM item : level) {
            const std::wstring text = TreeItemText(tree, item);
            if (text.find(drive) != std::wstring::npos || _wcsicmp(text.c_str(), parts[0].c_str()) == 0) {
                current = item;
                break;
            }
            for (HTREEITEM child : ExpandedChildren(tree, item)) next.push_back(child);
        }
        level = std::move(next);
    }
    for (std::size_t i = 1; current && i < parts.size(); ++i) {
        HTREEITEM found = nullptr;
        for (HTREEITEM child : ExpandedChildren(tree, current))
            if (_wcsicmp(TreeItemText(tree, child).c_str(), parts[i].c_str()) == 0) found = child;
        current = found;
    }
    if (!current) return false;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(current), SMTO_NORMAL, 5000, &result);
    return true;
}

bool IsMessageDialog(HWND dialog)
{
    return !FindControl(dialog, "SysTreeView32") && !GetDlgItem(dialog, 0x480) && !GetDlgItem(dialog, 0x47C);
}

}  // namespace

bool TScriptRunner::Start(const std::string& path)
{
    const std::optional<std::string> text = ReadFileBytes(path);
    if (!text) {
        std::fprintf(stderr, "script: cannot read %s\n", path.c_str());
        return false;
    }
    auto parsed = ParseScript(*text);
    if (auto* error = std::get_if<TScriptError>(&parsed)) {
        std::fprintf(stderr, "script: line %d: %s\n", error->line, error->message.c_str());
        return false;
    }
    lines_ = std::move(std::get<std::vector<TScriptLine>>(parsed));
    thread_ = std::thread([this] { RunAll(); });
    return true;
}

void TScriptRunner::Join()
{
    if (thread_.joinable()) thread_.join();
}

void TScriptRunner::RunAll()
{
    for (const TScriptLine& line : lines_) {
        try {
            std::printf("script: %d: %s\n", line.number, line.words[0].c_str());
            RunLine(line);
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "script: line %d (%s): %s\n", line.number, line.words[0].c_str(), failure.what());
            failed_ = true;
            std::fflush(nullptr);
            // A failed run may leave modal windows the script can no longer
            // close; end the process rather than hang the test.
            ExitProcess(3);
        }
    }
    // Without "quit" the script still ends the run.
    PostMessageA(host_.Windows().main, WM_CLOSE, 0, 0);
}

void TScriptRunner::RunLine(const TScriptLine& line)
{
    const std::vector<std::string>& w = line.words;
    const std::string& verb = w[0];
    auto arg = [&](std::size_t i) { return w[i]; };
    auto seconds = [&](std::size_t i) { return w.size() > i ? std::stod(w[i]) : timeoutSeconds_; };

    if (verb == "timeout") {
        ExpectArgs(w, 1, 1, "timeout SECONDS");
        timeoutSeconds_ = std::stod(arg(1));
    } else if (verb == "sleep") {
        ExpectArgs(w, 1, 1, "sleep MILLISECONDS");
        Sleep(Number(arg(1)));
    } else if (verb == "echo") {
        std::printf("%s\n", ToLocal(w.size() > 1 ? arg(1) : "").c_str());
    } else if (verb == "mailbox" || verb == "folder" || verb == "mail") {
        ExpectArgs(w, 1, 1, "mailbox|folder|mail ID");
        bool ok = false;
        const std::string id = ToLocal(arg(1));
        host_.OnUiThread([&] {
            ok = verb == "mailbox" ? host_.SelectMailBox(id) : verb == "folder" ? host_.SelectFolder(id) : host_.SelectMail(id);
        });
        if (!ok) Fail("no " + verb + " " + arg(1));
    } else if (verb == "run") {
        ExpectArgs(w, 2, 2, "run KIND CAPTION");
        const std::optional<TMenuItem> item = MenuItemOfKind(host_, arg(1), arg(2));
        if (!item) Fail("no item \"" + arg(2) + "\" in the menu of kind " + arg(1));
        if (!item->enabled) Fail("item \"" + arg(2) + "\" of kind " + arg(1) + " is greyed");
        PostMessageA(host_.Windows().main, WM_COMMAND, MAKEWPARAM(item->id, 0), 0);
    } else if (verb == "dump-menu") {
        ExpectArgs(w, 2, 2, "dump-menu KIND FILE");
        std::string dump;
        const int kind = MenuKind(arg(1));
        host_.OnUiThread([&] {
            HMENU menu = MenuOfKind(host_, kind);
            host_.Commands().UpdateStates(menu);
            dump = DumpMenu(menu);
        });
        WriteOut(arg(2), dump);
    } else if (verb == "expect-menu") {
        ExpectArgs(w, 3, 3, "expect-menu KIND CAPTION enabled|greyed|absent");
        const std::optional<TMenuItem> item = MenuItemOfKind(host_, arg(1), arg(2));
        const std::string state = !item ? "absent" : item->enabled ? "enabled" : "greyed";
        if (state != arg(3)) Fail("item \"" + arg(2) + "\" of kind " + arg(1) + " is " + state + ", expected " + arg(3));
    } else if (verb == "wait-window") {
        ExpectArgs(w, 1, 2, "wait-window TITLE [SECONDS]");
        WaitWindow(arg(1), seconds(2));
    } else if (verb == "wait-gone") {
        ExpectArgs(w, 1, 2, "wait-gone TITLE [SECONDS]");
        WaitFor<bool>([&]() -> std::optional<bool> { return FindWindowByTitle(arg(1)) ? std::nullopt : std::optional<bool>(true); },
                      seconds(2), "window \"" + arg(1) + "\" to close");
    } else if (verb == "menu") {
        ExpectArgs(w, 2, 2, "menu TITLE CAPTION");
        InvokeWindowMenu(WaitWindow(arg(1), timeoutSeconds_), arg(2));
    } else if (verb == "popup") {
        ExpectArgs(w, 1, 2, "popup CAPTION [SECONDS]");
        ChoosePopupItem(WaitFor<HWND>(FindPopupMenu, seconds(2), "a pop-up menu"), arg(1));
    } else if (verb == "keys") {
        ExpectArgs(w, 3, 3, "keys TITLE CONTROL KEYS");
        if (!SendKeys(Control(WaitWindow(arg(1), timeoutSeconds_), arg(2)), arg(3))) Fail("bad key name in " + arg(3));
    } else if (verb == "press") {
        ExpectArgs(w, 2, 2, "press TITLE KEYS");
        if (!PressKeys(WaitWindow(arg(1), timeoutSeconds_), arg(2))) Fail("bad key names in " + arg(2));
    } else if (verb == "click") {
        ExpectArgs(w, 4, 5, "click TITLE CONTROL X Y [left|right|double]");
        const std::string kind = w.size() > 5 ? arg(5) : "left";
        if (kind != "left" && kind != "right" && kind != "double") Fail("click kind must be left, right or double");
        Click(Control(WaitWindow(arg(1), timeoutSeconds_), arg(2)), Number(arg(3)), Number(arg(4)),
              kind == "left" ? TClick::Left : kind == "right" ? TClick::Right : TClick::Double);
    } else if (verb == "drag") {
        ExpectArgs(w, 6, 6, "drag TITLE CONTROL X1 Y1 X2 Y2");
        Drag(Control(WaitWindow(arg(1), timeoutSeconds_), arg(2)), Number(arg(3)), Number(arg(4)), Number(arg(5)),
             Number(arg(6)));
    } else if (verb == "button") {
        ExpectArgs(w, 2, 2, "button TITLE CAPTION");
        PressButton(WaitWindow(arg(1), timeoutSeconds_), arg(2));
    } else if (verb == "msgbox") {
        ExpectArgs(w, 2, 3, "msgbox FILE BUTTON [SECONDS]");
        const HWND dialog = WaitFor<HWND>(
            []() -> std::optional<HWND> {
                for (HWND window : VisibleTopLevelWindows())
                    if (ClassOf(window) == "#32770" && IsMessageDialog(window)) return window;
                return std::nullopt;
            },
            seconds(3), "a message box");
        WriteOut(arg(1), WindowTitle(dialog) + "\n" + DialogText(dialog) + "\n");
        PressButton(dialog, arg(2));
        // The press is posted: until the box has gone, a following command could
        // still find it, or find its owner not yet back in charge.
        WaitFor<bool>([dialog]() -> std::optional<bool> {
            if (!IsWindow(dialog) || !IsWindowVisible(dialog)) return true;
            return std::nullopt;
        }, timeoutSeconds_, "the message box to close");
    } else if (verb == "folder-browser") {
        ExpectArgs(w, 1, 2, "folder-browser PATH [SECONDS]");
        const HWND dialog = WaitFor<HWND>([] { return FindDialog("SysTreeView32"); }, seconds(2), "a folder browser");
        // The dialog fills its tree after it shows; a selection sent before that is lost.
        Sleep(300);
        if (!SelectFolderInBrowser(dialog, arg(1))) Fail("the folder browser cannot reach " + arg(1));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    } else if (verb == "save-as") {
        ExpectArgs(w, 1, 2, "save-as NAME [SECONDS]");
        const HWND dialog = WaitFor<HWND>(
            []() -> std::optional<HWND> {
                for (HWND window : VisibleTopLevelWindows())
                    if (ClassOf(window) == "#32770" && (GetDlgItem(window, 0x480) || GetDlgItem(window, 0x47C))) return window;
                return std::nullopt;
            },
            seconds(2), "a save-file dialog");
        HWND name = GetDlgItem(dialog, 0x47C) ? GetDlgItem(dialog, 0x47C) : GetDlgItem(dialog, 0x480);
        // "-" takes the name and folder the dialog proposes.
        if (arg(1) != "-")
            SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(arg(1)).c_str()), SMTO_NORMAL, 5000,
                                nullptr);
        else
            Sleep(300);  // the dialog fills in its folder after it shows
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    } else if (verb == "clipboard") {
        ExpectArgs(w, 1, 2, "clipboard FILE [raw]");
        WriteOut(arg(1), ClipboardText(w.size() > 2 && arg(2) == "raw"));
    } else if (verb == "status") {
        ExpectArgs(w, 3, 4, "status TITLE PANEL FILE [raw]");
        const HWND bar = Control(WaitWindow(arg(1), timeoutSeconds_), STATUSCLASSNAMEA);
        WriteOut(arg(3), PanelText(bar, Number(arg(2)), w.size() > 4 && arg(4) == "raw"));
    } else if (verb == "wait-status") {
        ExpectArgs(w, 3, 4, "wait-status TITLE PANEL TEXT [S]");
        const HWND bar = Control(WaitWindow(arg(1), seconds(4)), STATUSCLASSNAMEA);
        const int panel = Number(arg(2));
        WaitFor<bool>([&]() -> std::optional<bool> {
            if (PanelText(bar, panel, false).find(arg(3)) == std::string::npos) return std::nullopt;
            return true;
        }, seconds(4), "\"" + arg(3) + "\" in status panel " + arg(2));
    } else if (verb == "watch-stores") {
        ExpectArgs(w, 3, 3, "watch-stores TITLE PANEL FILE");
        // A plug-in that stores sources may process no messages meanwhile, so
        // its status bar is read as each source is stored, on its own thread.
        const std::string title = arg(1), file = ToLocal(arg(3));
        const int panel = Number(arg(2));
        DeleteFileA(file.c_str());
        host_.OnUiThread([&] {
            host_.SourceReplaced = [title, panel, file](const std::string& mailId) {
                std::string text;
                if (const std::optional<HWND> window = FindWindowByTitle(title))
                    if (const std::optional<HWND> bar = FindControl(*window, STATUSCLASSNAMEA)) {
                        wchar_t panelText[1024] = {};
                        SendMessageW(*bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(panelText));
                        text = Narrow(panelText);
                    }
                if (FILE* out = std::fopen(file.c_str(), "ab")) {
                    std::fprintf(out, "%s\t%s\n", FromLocal(mailId).c_str(), text.c_str());
                    std::fclose(out);
                }
            };
        });
    } else if (verb == "source") {
        ExpectArgs(w, 2, 2, "source MAIL-ID FILE");
        std::optional<std::string> source;
        host_.OnUiThread([&] { source = host_.Store().Source(ToLocal(arg(1))); });
        if (!source) Fail("no mail " + arg(1));
        WriteOut(arg(2), *source);
    } else if (verb == "wait-file") {
        ExpectArgs(w, 1, 2, "wait-file FILE [SECONDS]");
        const std::wstring path = Widen(arg(1));
        WaitFor<bool>([&]() -> std::optional<bool> {
            if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
            return true;
        }, seconds(2), "file " + arg(1));
    } else if (verb == "screenshot") {
        ExpectArgs(w, 1, 1, "screenshot FILE.bmp");
        if (!SaveScreenshot(ToLocal(arg(1)))) Fail("cannot save a screenshot to " + arg(1));
    } else if (verb == "close") {
        ExpectArgs(w, 1, 1, "close TITLE");
        PostMessageA(WaitWindow(arg(1), timeoutSeconds_), WM_CLOSE, 0, 0);
    } else if (verb == "plugin-setup") {
        ExpectArgs(w, 0, 0, "plugin-setup");
        PostMessageA(host_.Windows().main, WM_COMMAND, MAKEWPARAM(kIdPluginSetup, 0), 0);
    } else if (verb == "expect-plugins") {
        ExpectArgs(w, 1, 1, "expect-plugins COUNT");
        const int loaded = static_cast<int>(host_.Plugins().Loaded().size());
        if (loaded != Number(arg(1))) Fail(std::to_string(loaded) + " plug-in(s) loaded, expected " + arg(1));
    } else if (verb == "plugin-info") {
        ExpectArgs(w, 1, 2, "plugin-info FILE [raw|record]");
        const std::string form = w.size() > 2 ? arg(2) : "";
        std::string text;
        for (const auto& plugin : host_.Plugins().Loaded()) {
            if (form == "record") {
                text += plugin->Record();
                continue;
            }
            for (const std::string* field : {&plugin->Name(), &plugin->Vendor(), &plugin->Version(), &plugin->Description()})
                text += (form == "raw" ? *field : FromLocal(*field)) + "\n";
        }
        WriteOut(arg(1), text);
    } else if (verb == "expect-enabled" || verb == "expect-disabled") {
        ExpectArgs(w, 1, 1, "expect-enabled|expect-disabled TITLE");
        const bool enabled = IsWindowEnabled(WaitWindow(arg(1), timeoutSeconds_)) != FALSE;
        if (enabled != (verb == "expect-enabled")) Fail("window \"" + arg(1) + (enabled ? "\" is enabled" : "\" is disabled"));
    } else if (verb == "expect-window" || verb == "expect-no-window") {
        ExpectArgs(w, 1, 1, "expect-window|expect-no-window TITLE");
        const bool present = FindWindowByTitle(arg(1)).has_value();
        if (present != (verb == "expect-window")) Fail("window \"" + arg(1) + (present ? "\" is open" : "\" is not open"));
    } else if (verb == "expect-current-mail") {
        ExpectArgs(w, 1, 1, "expect-current-mail ID");
        std::string current;
        host_.OnUiThread([&] { current = host_.CurrentMail(); });
        if (current != ToLocal(arg(1))) Fail("the current mail is \"" + current + "\"");
    } else if (verb == "expect-contains" || verb == "expect-lacks") {
        ExpectArgs(w, 2, 2, "expect-contains|expect-lacks FILE TEXT");
        const std::string text = ReadFileBytes(ToLocal(arg(1))).value_or("");
        const bool found = text.find(arg(2)) != std::string::npos;
        if (found != (verb == "expect-contains")) Fail(arg(1) + (found ? " contains " : " lacks ") + "\"" + arg(2) + "\"");
    } else if (verb == "post-quit") {
        ExpectArgs(w, 0, 0, "post-quit");
        // What a host does to end its run while a plug-in's modal window is
        // open: the quit message reaches whichever message loop runs.
        const DWORD uiThread = GetWindowThreadProcessId(host_.Windows().main, nullptr);
        if (!PostThreadMessageA(uiThread, WM_QUIT, 0, 0)) Fail("cannot post the quit message");
    } else if (verb == "quit") {
        ExpectArgs(w, 0, 0, "quit");
        std::vector<std::string> open;
        for (HWND window : VisibleTopLevelWindows())
            if (window != host_.Windows().main) open.push_back(WindowTitle(window));
        if (!open.empty()) Fail("windows still open: " + Joined(open));
        PostMessageA(host_.Windows().main, WM_CLOSE, 0, 0);
    } else if (!RunWindowCommand(w, {[this](const std::string& title) { return WaitWindow(title, timeoutSeconds_); },
                                     WriteOut, timeoutSeconds_})) {
        Fail("unknown command " + verb);
    }
}

}  // namespace quillbox

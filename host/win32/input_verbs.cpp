// Script verbs that act as the user at the screen: waiting for windows,
// menus and pop-up menus, keys, the mouse, buttons, and reading what the
// windows show (enabled state, status bar, clipboard).
#include "script_verb.h"

#include "input.h"
#include "menus.h"
#include "ui_probe.h"

#include <commctrl.h>

namespace quillbox {
namespace {

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
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
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

void WaitForWindow(TScriptSession& session, const TScriptWords& w) { WaitWindow(w[1], SecondsArg(session, w, 2)); }

void WaitGone(TScriptSession& session, const TScriptWords& w)
{
    WaitFor<bool>([&]() -> std::optional<bool> { return FindWindowByTitle(w[1]) ? std::nullopt : std::optional<bool>(true); },
                  SecondsArg(session, w, 2), "window \"" + w[1] + "\" to close");
}

void Menu(TScriptSession& session, const TScriptWords& w)
{
    InvokeWindowMenu(WaitWindow(w[1], session.TimeoutSeconds), w[2]);
}

void Popup(TScriptSession& session, const TScriptWords& w)
{
    ChoosePopupItem(WaitFor<HWND>(FindPopupMenu, SecondsArg(session, w, 2), "a pop-up menu"), w[1]);
}

void Keys(TScriptSession& session, const TScriptWords& w)
{
    if (!SendKeys(Control(WaitWindow(w[1], session.TimeoutSeconds), w[2]), w[3])) Fail("bad key name in " + w[3]);
}

void Press(TScriptSession& session, const TScriptWords& w)
{
    if (!PressKeys(WaitWindow(w[1], session.TimeoutSeconds), w[2])) Fail("bad key names in " + w[2]);
}

void ClickAt(TScriptSession& session, const TScriptWords& w)
{
    const std::string kind = w.size() > 5 ? w[5] : "left";
    if (kind != "left" && kind != "right" && kind != "double") Fail("click kind must be left, right or double");
    Click(Control(WaitWindow(w[1], session.TimeoutSeconds), w[2]), Number(w[3]), Number(w[4]),
          kind == "left" ? TClick::Left : kind == "right" ? TClick::Right : TClick::Double);
}

void DragFromTo(TScriptSession& session, const TScriptWords& w)
{
    Drag(Control(WaitWindow(w[1], session.TimeoutSeconds), w[2]), Number(w[3]), Number(w[4]), Number(w[5]), Number(w[6]));
}

void Button(TScriptSession& session, const TScriptWords& w)
{
    PressButton(WaitWindow(w[1], session.TimeoutSeconds), w[2]);
}

void Close(TScriptSession& session, const TScriptWords& w)
{
    PostMessageA(WaitWindow(w[1], session.TimeoutSeconds), WM_CLOSE, 0, 0);
}

// expect-enabled and expect-disabled: the verb says which.
void ExpectEnabled(TScriptSession& session, const TScriptWords& w)
{
    const bool enabled = IsWindowEnabled(WaitWindow(w[1], session.TimeoutSeconds)) != FALSE;
    if (enabled != (w[0] == "expect-enabled")) Fail("window \"" + w[1] + (enabled ? "\" is enabled" : "\" is disabled"));
}

// expect-window and expect-no-window: the verb says which.
void ExpectWindow(TScriptSession&, const TScriptWords& w)
{
    const bool present = FindWindowByTitle(w[1]).has_value();
    if (present != (w[0] == "expect-window")) Fail("window \"" + w[1] + (present ? "\" is open" : "\" is not open"));
}

void Clipboard(TScriptSession&, const TScriptWords& w)
{
    WriteOut(w[1], ClipboardText(w.size() > 2 && w[2] == "raw"));
}

void Status(TScriptSession& session, const TScriptWords& w)
{
    const HWND bar = Control(WaitWindow(w[1], session.TimeoutSeconds), STATUSCLASSNAMEA);
    WriteOut(w[3], PanelText(bar, Number(w[2]), w.size() > 4 && w[4] == "raw"));
}

void WaitStatus(TScriptSession& session, const TScriptWords& w)
{
    const double seconds = SecondsArg(session, w, 4);
    const HWND bar = Control(WaitWindow(w[1], seconds), STATUSCLASSNAMEA);
    const int panel = Number(w[2]);
    WaitFor<bool>([&]() -> std::optional<bool> {
        if (PanelText(bar, panel, false).find(w[3]) == std::string::npos) return std::nullopt;
        return true;
    }, seconds, "\"" + w[3] + "\" in status panel " + w[2]);
}

constexpr TScriptVerb kInputVerbs[] = {
    {"wait-window", 1, 2, "wait-window TITLE [SECONDS]", WaitForWindow},
    {"wait-gone", 1, 2, "wait-gone TITLE [SECONDS]", WaitGone},
    {"menu", 2, 2, "menu TITLE CAPTION", Menu},
    {"popup", 1, 2, "popup CAPTION [SECONDS]", Popup},
    {"keys", 3, 3, "keys TITLE CONTROL KEYS", Keys},
    {"press", 2, 2, "press TITLE KEYS", Press},
    {"click", 4, 5, "click TITLE CONTROL X Y [left|right|double]", ClickAt},
    {"drag", 6, 6, "drag TITLE CONTROL X1 Y1 X2 Y2", DragFromTo},
    {"button", 2, 2, "button TITLE CAPTION", Button},
    {"close", 1, 1, "close TITLE", Close},
    {"expect-enabled", 1, 1, "expect-enabled|expect-disabled TITLE", ExpectEnabled},
    {"expect-disabled", 1, 1, "expect-enabled|expect-disabled TITLE", ExpectEnabled},
    {"expect-window", 1, 1, "expect-window|expect-no-window TITLE", ExpectWindow},
    {"expect-no-window", 1, 1, "expect-window|expect-no-window TITLE", ExpectWindow},
    {"clipboard", 1, 2, "clipboard FILE [raw]", Clipboard},
    {"status", 3, 4, "status TITLE PANEL FILE [raw]", Status},
    {"wait-status", 3, 4, "wait-status TITLE PANEL TEXT [S]", WaitStatus},
};

}  // namespace

std::span<const TScriptVerb> InputVerbs() { return kInputVerbs; }

}  // namespace quillbox

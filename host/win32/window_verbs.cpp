// Script verbs that look at a plug-in's window: caption and placement, its
// menu with the checks, its tool bar, how its texts fit; and that move it.
#include "script_verb.h"

#include "menus.h"
#include "text_fit.h"
#include "ui_probe.h"

#include <commctrl.h>

namespace quillbox {
namespace {

// A window's text as the plug-in set it: local code page bytes.
std::string RawText(HWND window)
{
    char text[4096] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

std::string Rect(const char* what, int left, int top, int width, int height)
{
    return std::string(what) + " " + std::to_string(left) + " " + std::to_string(top) + " " +
           std::to_string(width) + " " + std::to_string(height) + "\n";
}

// Caption, outer rectangle and client area, in screen coordinates.
std::string WindowInfo(HWND window, bool raw)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return (raw ? RawText(window) : WindowTitle(window)) + "\n" +
           Rect("window", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top) +
           Rect("client", origin.x, origin.y, client.right, client.bottom);
}

const char* ShowStateName(UINT showCmd)
{
    switch (showCmd) {
    case SW_SHOWMAXIMIZED: return "maximized";
    case SW_SHOWMINIMIZED: return "minimized";
    default: return "normal";
    }
}

// The show state and the rectangle the window has when neither maximised nor
// minimised, in screen pixels. The placement gives that rectangle in
// workspace coordinates: relative to the work area of the window's monitor.
std::string WindowPlacement(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) Fail("cannot read the placement of \"" + WindowTitle(window) + "\"");
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& normal = placement.rcNormalPosition;
    const LONG dx = monitor.rcWork.left - monitor.rcMonitor.left;
    const LONG dy = monitor.rcWork.top - monitor.rcMonitor.top;
    return std::string("state ") + ShowStateName(placement.showCmd) + "\n" +
           Rect("normal", normal.left + dx, normal.top + dy, normal.right - normal.left, normal.bottom - normal.top);
}

// Maximises or restores a window as its caption buttons would, and waits
// until it has taken the state.
void SetWindowState(HWND window, const std::string& state, double seconds)
{
    const bool maximize = state == "maximized";
    if (!maximize && state != "normal") Fail("window-state takes maximized or normal, not " + state);
    PostMessageA(window, WM_SYSCOMMAND, maximize ? SC_MAXIMIZE : SC_RESTORE, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    while ((IsZoomed(window) != FALSE) != maximize) {
        if (std::chrono::steady_clock::now() >= deadline)
            Fail("\"" + WindowTitle(window) + "\" did not become " + state);
        Sleep(50);
    }
}

// One line for each command button of a tool bar (separators and buttons
// without a command left out), as line(button) gives it.
std::string ToolButtonLines(HWND toolBar, const std::function<std::string(const TBBUTTON&)>& line)
{
    std::string lines;
    const LRESULT count = SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageA(toolBar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if ((button.fsStyle & BTNS_SEP) || button.idCommand == 0) continue;
        lines += std::to_string(button.idCommand) + ": " + line(button) + "\n";
    }
    return lines;
}

// Each tool button's hint as the window answers its tool tip: one line per
// button, "command: hint", in the local code page.
std::string ToolButtonHints(HWND toolBar)
{
    const HWND owner = GetParent(toolBar);
    const HWND tips = reinterpret_cast<HWND>(SendMessageA(toolBar, TB_GETTOOLTIPS, 0, 0));
    return ToolButtonLines(toolBar, [&](const TBBUTTON& button) -> std::string {
        // The window is in this process, so it can fill our record.
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = tips;
        info.hdr.idFrom = static_cast<UINT_PTR>(button.idCommand);
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(owner, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        return info.lpszText && !IS_INTRESOURCE(info.lpszText) ? info.lpszText : info.szText;
    });
}

// "command: enabled" or "command: greyed" for each button of a tool bar.
std::string ToolButtonStates(HWND toolBar)
{
    return ToolButtonLines(toolBar, [](const TBBUTTON& button) -> std::string {
        return (button.fsState & TBSTATE_ENABLED) ? "enabled" : "greyed";
    });
}

// What the system sends when a window moves from a monitor of one density
// to one of another: the new DPI, and the window's rectangle grown or shrunk
// about its top-left corner in proportion.
void SendDpiChanged(HWND window, int from, int to)
{
    if (from <= 0 || to <= 0) Fail("a density is a positive number of dots per inch");
    RECT suggested{};
    GetWindowRect(window, &suggested);
    suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, to, from);
    suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, to, from);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

HWND WaitTitled(const TScriptSession& session, const TScriptWords& w) { return WaitWindow(w[1], session.TimeoutSeconds); }

void ShowWindowInfo(TScriptSession& session, const TScriptWords& w)
{
    const HWND control = Control(WaitTitled(session, w), w[2]);
    WriteOut(w[3], WindowInfo(control, w.size() > 4 && w[4] == "raw"));
}

void ShowWindowMenu(TScriptSession& session, const TScriptWords& w)
{
    const HMENU bar = GetMenu(WaitTitled(session, w));
    if (!bar) Fail("\"" + w[1] + "\" has no menu");
    WriteOut(w[2], DumpMenu(bar));
}

void ShowToolHints(TScriptSession& session, const TScriptWords& w)
{
    WriteOut(w[2], ToolButtonHints(Control(WaitTitled(session, w), TOOLBARCLASSNAMEA)));
}

void ShowToolStates(TScriptSession& session, const TScriptWords& w)
{
    WriteOut(w[2], ToolButtonStates(Control(WaitTitled(session, w), TOOLBARCLASSNAMEA)));
}

void ShowTextFit(TScriptSession& session, const TScriptWords& w) { WriteOut(w[2], TextFitReport(WaitTitled(session, w))); }

void ShowTextExtent(TScriptSession& session, const TScriptWords& w)
{
    const SIZE size = TextExtentIn(Control(WaitTitled(session, w), w[2]), w[3], w.size() > 5 && w[5] == "bold");
    WriteOut(w[4], std::to_string(size.cx) + " " + std::to_string(size.cy) + "\n");
}

void DpiChanged(TScriptSession& session, const TScriptWords& w)
{
    SendDpiChanged(WaitTitled(session, w), Number(w[2]), Number(w[3]));
}

void MoveWindowTo(TScriptSession& session, const TScriptWords& w)
{
    const HWND window = WaitTitled(session, w);
    if (!SetWindowPos(window, nullptr, Number(w[2]), Number(w[3]), Number(w[4]), Number(w[5]),
                      SWP_NOZORDER | SWP_NOACTIVATE))
        Fail("cannot move \"" + w[1] + "\"");
}

void ShowWindowPlacement(TScriptSession& session, const TScriptWords& w)
{
    WriteOut(w[2], WindowPlacement(WaitTitled(session, w)));
}

void WindowState(TScriptSession& session, const TScriptWords& w)
{
    SetWindowState(WaitTitled(session, w), w[2], session.TimeoutSeconds);
}

void Paint(TScriptSession& session, const TScriptWords& w)
{
    // The paint messages are sent to the window's thread, so this returns
    // once it has drawn everything, after whatever command it was busy with.
    if (!RedrawWindow(WaitTitled(session, w), nullptr, nullptr,
                      RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW))
        Fail("cannot repaint \"" + w[1] + "\"");
}

constexpr TScriptVerb kWindowVerbs[] = {
    {"window-info", 3, 4, "window-info TITLE CONTROL FILE [raw]", ShowWindowInfo},
    {"window-menu", 2, 2, "window-menu TITLE FILE", ShowWindowMenu},
    {"tool-hints", 2, 2, "tool-hints TITLE FILE", ShowToolHints},
    {"tool-states", 2, 2, "tool-states TITLE FILE", ShowToolStates},
    {"text-fit", 2, 2, "text-fit TITLE FILE", ShowTextFit},
    {"text-extent", 4, 5, "text-extent TITLE CONTROL TEXT FILE [bold]", ShowTextExtent},
    {"dpi-changed", 3, 3, "dpi-changed TITLE FROM TO", DpiChanged},
    {"move-window", 5, 5, "move-window TITLE X Y WIDTH HEIGHT", MoveWindowTo},
    {"window-placement", 2, 2, "window-placement TITLE FILE", ShowWindowPlacement},
    {"window-state", 2, 2, "window-state TITLE maximized|normal", WindowState},
    {"paint", 1, 1, "paint TITLE", Paint},
};

}  // namespace

std::span<const TScriptVerb> WindowVerbs() { return kWindowVerbs; }

}  // namespace quillbox

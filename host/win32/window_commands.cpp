#include "window_commands.h"

#include "menus.h"
#include "text_fit.h"
#include "ui_probe.h"

#include <commctrl.h>
#include <dlgs.h>

#include <chrono>
#include <optional>
#include <stdexcept>

namespace quillbox {
namespace {

[[noreturn]] void Fail(const std::string& message) { throw std::runtime_error(message); }

void ExpectArgs(const std::vector<std::string>& words, std::size_t least, std::size_t most, const char* usage)
{
    if (words.size() - 1 < least || words.size() - 1 > most) Fail(std::string("usage: ") + usage);
}

int Number(const std::string& word)
{
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end) Fail("not a number: " + word);
    return static_cast<int>(value);
}

HWND ControlOf(HWND window, const std::string& name)
{
    const std::optional<HWND> control = FindControl(window, name);
    if (!control) Fail("no control " + name + " in \"" + WindowTitle(window) + "\"");
    return *control;
}

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

// The newest visible font dialog: it has the face list and the sample.
std::optional<HWND> FindFontDialog()
{
    for (HWND window : VisibleTopLevelWindows())
        if (ClassOf(window) == "#32770" && GetDlgItem(window, cmb1) && GetDlgItem(window, cmb3) &&
            GetDlgItem(window, stc5))
            return window;
    return std::nullopt;
}

HWND WaitFontDialog(double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    while (true) {
        if (std::optional<HWND> dialog = FindFontDialog()) return *dialog;
        if (std::chrono::steady_clock::now() >= deadline)
            Fail("timed out after " + std::to_string(seconds) + " s waiting for a font dialog");
        Sleep(50);
    }
}

std::wstring ComboText(HWND combo)
{
    wchar_t text[256] = {};
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        SendMessageW(combo, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    else if (SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) < 256)
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

// Picks an entry of one of the dialog's lists as a user's click would: the
// selection, then the notification the dialog reads its font from.
void ChooseInList(HWND dialog, int id, const std::string& entry)
{
    const HWND combo = GetDlgItem(dialog, id);
    const std::wstring wanted = Widen(entry);
    const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wanted.c_str()));
    if (index == CB_ERR) Fail("the font dialog has no \"" + entry + "\" to choose");
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// Picks the colour list's entry for #RRGGBB.
void ChooseColour(HWND dialog, const std::string& word)
{
    char* end = nullptr;
    const unsigned long rgb = std::strtoul(word.c_str() + 1, &end, 16);
    if (word.size() != 7 || *end) Fail("not a colour: " + word);
    const COLORREF wanted = RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
    const HWND combo = GetDlgItem(dialog, cmb4);
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (static_cast<COLORREF>(SendMessageW(combo, CB_GETITEMDATA, i, 0)) != wanted) continue;
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        return;
    }
    Fail("the font dialog offers no colour " + word);
}

void AnswerFontDialog(std::vector<std::string> w, const TWindowCommandContext& context)
{
    ExpectArgs(w, 3, 5, "font-dialog FILE FACE|- SIZE [#RRGGBB] [SECONDS]");
    std::string colour;
    if (w.size() > 4 && w[4].rfind('#', 0) == 0) {
        colour = w[4];
        w.erase(w.begin() + 4);
    }
    const HWND dialog = WaitFontDialog(w.size() > 4 ? std::stod(w[4]) : context.TimeoutSeconds);
    // The dialog fills its lists while it opens.
    Sleep(300);
    context.WriteOut(w[1], Narrow(ComboText(GetDlgItem(dialog, cmb1))) + "\n" +
                               Narrow(ComboText(GetDlgItem(dialog, cmb3))) + "\n");
    if (w[2] == "-") {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return;
    }
    ChooseInList(dialog, cmb1, w[2]);
    ChooseInList(dialog, cmb3, w[3]);
    if (!colour.empty()) ChooseColour(dialog, colour);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Each tool button's hint as the window answers its tool tip: one line per
// button, "command: hint", in the local code page.
std::string ToolButtonHints(HWND toolBar)
{
    const HWND owner = GetParent(toolBar);
    const HWND tips = reinterpret_cast<HWND>(SendMessageA(toolBar, TB_GETTOOLTIPS, 0, 0));
    std::string lines;
    const LRESULT count = SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageA(toolBar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if ((button.fsStyle & BTNS_SEP) || button.idCommand == 0) continue;
        // The window is in this process, so it can fill our record.
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = tips;
        info.hdr.idFrom = static_cast<UINT_PTR>(button.idCommand);
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(owner, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        const char* text = info.lpszText && !IS_INTRESOURCE(info.lpszText) ? info.lpszText : info.szText;
        lines += std::to_string(button.idCommand) + ": " + text + "\n";
    }
    return lines;
}

// "command: enabled" or "command: greyed" for each button of a tool bar.
std::string ToolButtonStates(HWND toolBar)
{
    std::string lines;
    const LRESULT count = SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageA(toolBar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if ((button.fsStyle & BTNS_SEP) || button.idCommand == 0) continue;
        lines += std::to_string(button.idCommand) + ((button.fsState & TBSTATE_ENABLED) ? ": enabled\n" : ": greyed\n");
    }
    return lines;
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
    SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

}  // namespace

bool RunWindowCommand(const std::vector<std::string>& w, const TWindowCommandContext& context)
{
    const std::string& verb = w[0];
    if (verb == "window-info") {
        ExpectArgs(w, 3, 4, "window-info TITLE CONTROL FILE [raw]");
        const HWND control = ControlOf(context.WaitWindow(w[1]), w[2]);
        context.WriteOut(w[3], WindowInfo(control, w.size() > 4 && w[4] == "raw"));
    } else if (verb == "window-menu") {
        ExpectArgs(w, 2, 2, "window-menu TITLE FILE");
        const HWND window = context.WaitWindow(w[1]);
        const HMENU bar = GetMenu(window);
        if (!bar) Fail("\"" + w[1] + "\" has no menu");
        context.WriteOut(w[2], DumpMenu(bar));
    } else if (verb == "tool-hints") {
        ExpectArgs(w, 2, 2, "tool-hints TITLE FILE");
        context.WriteOut(w[2], ToolButtonHints(ControlOf(context.WaitWindow(w[1]), TOOLBARCLASSNAMEA)));
    } else if (verb == "tool-states") {
        ExpectArgs(w, 2, 2, "tool-states TITLE FILE");
        context.WriteOut(w[2], ToolButtonStates(ControlOf(context.WaitWindow(w[1]), TOOLBARCLASSNAMEA)));
    } else if (verb == "text-fit") {
        ExpectArgs(w, 2, 2, "text-fit TITLE FILE");
        context.WriteOut(w[2], TextFitReport(context.WaitWindow(w[1])));
    } else if (verb == "text-extent") {
        ExpectArgs(w, 4, 5, "text-extent TITLE CONTROL TEXT FILE [bold]");
        const SIZE size = TextExtentIn(ControlOf(context.WaitWindow(w[1]), w[2]), w[3], w.size() > 5 && w[5] == "bold");
        context.WriteOut(w[4], std::to_string(size.cx) + " " + std::to_string(size.cy) + "\n");
    } else if (verb == "dpi-changed") {
        ExpectArgs(w, 3, 3, "dpi-changed TITLE FROM TO");
        SendDpiChanged(context.WaitWindow(w[1]), Number(w[2]), Number(w[3]));
    } else if (verb == "move-window") {
        ExpectArgs(w, 5, 5, "move-window TITLE X Y WIDTH HEIGHT");
        const HWND window = context.WaitWindow(w[1]);
        if (!SetWindowPos(window, nullptr, Number(w[2]), Number(w[3]), Number(w[4]), Number(w[5]),
                          SWP_NOZORDER | SWP_NOACTIVATE))
            Fail("cannot move \"" + w[1] + "\"");
    } else if (verb == "window-placement") {
        ExpectArgs(w, 2, 2, "window-placement TITLE FILE");
        context.WriteOut(w[2], WindowPlacement(context.WaitWindow(w[1])));
    } else if (verb == "window-state") {
        ExpectArgs(w, 2, 2, "window-state TITLE maximized|normal");
        SetWindowState(context.WaitWindow(w[1]), w[2], context.TimeoutSeconds);
    } else if (verb == "paint") {
        ExpectArgs(w, 1, 1, "paint TITLE");
        // The paint messages are sent to the window's thread, so this returns
        // once it has drawn everything, after whatever command it was busy with.
        if (!RedrawWindow(context.WaitWindow(w[1]), nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW))
            Fail("cannot repaint \"" + w[1] + "\"");
    } else if (verb == "font-dialog") {
        AnswerFontDialog(w, context);
    } else {
        return false;
    }
    return true;
}

}  // namespace quillbox

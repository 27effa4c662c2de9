// Script verbs that answer the dialogs a plug-in opens: message boxes, the
// folder browser, the save-file dialog and the font dialog.
#include "script_verb.h"

#include "menus.h"
#include "tree_items.h"
#include "ui_probe.h"

#include <commctrl.h>
#include <dlgs.h>

#include <vector>

namespace quillbox {
namespace {

// The system dialogs' controls by what they hold; the system header names
// them only by kind and number.
constexpr int kFileNameEdit = edt1;    // the file name, in the older file dialogs
constexpr int kFileNameCombo = cmb13;  // the file name, in the newer ones
constexpr int kFontFaceList = cmb1;
constexpr int kFontSizeList = cmb3;
constexpr int kFontColourList = cmb4;
constexpr int kFontSample = stc5;

bool IsFileDialog(HWND dialog) { return GetDlgItem(dialog, kFileNameEdit) || GetDlgItem(dialog, kFileNameCombo); }

bool IsMessageDialog(HWND dialog) { return !FindControl(dialog, "SysTreeView32") && !IsFileDialog(dialog); }

// A font dialog has the face and size lists and the sample.
bool IsFontDialog(HWND dialog)
{
    return GetDlgItem(dialog, kFontFaceList) && GetDlgItem(dialog, kFontSizeList) && GetDlgItem(dialog, kFontSample);
}

// Waits for the newest visible standard dialog of that kind.
HWND WaitDialog(bool (*isKind)(HWND), double seconds, const std::string& what)
{
    return WaitFor<HWND>([isKind]() -> std::optional<HWND> {
        for (HWND window : VisibleTopLevelWindows())
            if (ClassOf(window) == "#32770" && isKind(window)) return window;
        return std::nullopt;
    }, seconds, what);
}

void PressOk(HWND dialog)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
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
            const std::wstring text = TreeItemText<wchar_t>(tree, item);
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
            if (_wcsicmp(TreeItemText<wchar_t>(tree, child).c_str(), parts[i].c_str()) == 0) found = child;
        current = found;
    }
    if (!current) return false;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(current), SMTO_NORMAL, 5000, &result);
    return true;
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
    const HWND combo = GetDlgItem(dialog, kFontColourList);
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (static_cast<COLORREF>(SendMessageW(combo, CB_GETITEMDATA, i, 0)) != wanted) continue;
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFontColourList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        return;
    }
    Fail("the font dialog offers no colour " + word);
}

void AnswerMessageBox(TScriptSession& session, const TScriptWords& w)
{
    const HWND dialog = WaitDialog(IsMessageDialog, SecondsArg(session, w, 3), "a message box");
    WriteOut(w[1], WindowTitle(dialog) + "\n" + DialogText(dialog) + "\n");
    PressButton(dialog, w[2]);
    // The press is posted: until the box has gone, a following command could
    // still find it, or find its owner not yet back in charge.
    WaitFor<bool>([dialog]() -> std::optional<bool> {
        if (!IsWindow(dialog) || !IsWindowVisible(dialog)) return true;
        return std::nullopt;
    }, session.TimeoutSeconds, "the message box to close");
}

void AnswerFolderBrowser(TScriptSession& session, const TScriptWords& w)
{
    const HWND dialog = WaitFor<HWND>([] { return FindDialog("SysTreeView32"); }, SecondsArg(session, w, 2), "a folder browser");
    // The dialog fills its tree after it shows; a selection sent before that is lost.
    Sleep(300);
    if (!SelectFolderInBrowser(dialog, w[1])) Fail("the folder browser cannot reach " + w[1]);
    PressOk(dialog);
}

void AnswerSaveAs(TScriptSession& session, const TScriptWords& w)
{
    const HWND dialog = WaitDialog(IsFileDialog, SecondsArg(session, w, 2), "a save-file dialog");
    HWND name = GetDlgItem(dialog, kFileNameCombo) ? GetDlgItem(dialog, kFileNameCombo) : GetDlgItem(dialog, kFileNameEdit);
    // "-" takes the name and folder the dialog proposes.
    if (w[1] != "-")
        SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(w[1]).c_str()), SMTO_NORMAL, 5000,
                            nullptr);
    else
        Sleep(300);  // the dialog fills in its folder after it shows
    PressOk(dialog);
}

void AnswerFontDialog(TScriptSession& session, const TScriptWords& words)
{
    TScriptWords w = words;
    std::string colour;
    if (w.size() > 4 && w[4].rfind('#', 0) == 0) {
        colour = w[4];
        w.erase(w.begin() + 4);
    }
    const HWND dialog = WaitDialog(IsFontDialog, SecondsArg(session, w, 4), "a font dialog");
    // The dialog fills its lists while it opens.
    Sleep(300);
    WriteOut(w[1], Narrow(ComboText(GetDlgItem(dialog, kFontFaceList))) + "\n" +
                       Narrow(ComboText(GetDlgItem(dialog, kFontSizeList))) + "\n");
    if (w[2] == "-") {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return;
    }
    ChooseInList(dialog, kFontFaceList, w[2]);
    ChooseInList(dialog, kFontSizeList, w[3]);
    if (!colour.empty()) ChooseColour(dialog, colour);
    PressOk(dialog);
}

constexpr TScriptVerb kDialogVerbs[] = {
    {"msgbox", 2, 3, "msgbox FILE BUTTON [SECONDS]", AnswerMessageBox},
    {"folder-browser", 1, 2, "folder-browser PATH [SECONDS]", AnswerFolderBrowser},
    {"save-as", 1, 2, "save-as NAME [SECONDS]", AnswerSaveAs},
    {"font-dialog", 3, 5, "font-dialog FILE FACE|- SIZE [#RRGGBB] [SECONDS]", AnswerFontDialog},
};

}  // namespace

std::span<const TScriptVerb> DialogVerbs() { return kDialogVerbs; }

}  // namespace quillbox

// The host's own menus, and reading menus back for scripts.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quillbox {

// Where the context menus (kinds 1 and 2) place item 32935.
enum class TContextLayout {
    Separated,  // ..., separator, 32935, ...  (the host's usual menu)
    First,      // 32935 is the first item
    Absent,     // no item 32935
    Plain,      // 32935 in the middle, no separator before it
};
std::optional<TContextLayout> ParseContextLayout(const std::string& name);

inline constexpr UINT kContextAnchorId = 32935;
inline constexpr UINT kIdExit = 40001;
inline constexpr UINT kIdPluginSetup = 40002;

// A menu bar with the given number of drop-down menus (the fifth is Tools).
HMENU BuildMainMenu(int dropDowns);
HMENU BuildContextMenu(int kind, TContextLayout layout);

// One line per item: "<indent><index>: <id> <enabled|greyed>[ checked] <caption>",
// "<indent><index>: separator", "<indent><index>: popup <caption>"; UTF-8.
std::string DumpMenu(HMENU menu);

struct TMenuItem {
    HMENU menu;
    int position;
    UINT id;
    bool enabled;
};
// The first item whose caption, without "&" marks and accelerator text,
// equals caption (UTF-8); searches drop-downs too. A caption of the form
// "File/Save" names the drop-down first.
std::optional<TMenuItem> FindMenuItem(HMENU menu, const std::string& caption);

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
// "&Save\tCtrl+S" -> "Save"
std::wstring PlainCaption(const std::wstring& caption);

}  // namespace quillbox

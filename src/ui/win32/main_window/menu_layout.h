// The main menu and the grid's pop-up menu: every item with its name, its
// default caption, shortcut, command and radio group, in display order.
// Needs no Windows header, so that the layout is checked on every platform.
#pragma once

#include <string>
#include <vector>

#include "ui/win32/main_window/command_ids.h"

namespace quillbox {

// Every item the window addresses: a misspelt item does not compile.
enum class TMenuItem {
    None,  // a separator
    // The bar's drop-downs and their items.
    View,
    ShowAllItems,
    ShowNonHTMLs,
    ShowOnlyHTMLs,
    SortByDate,
    SortBySize,
    Accending,
    Deccending,
    SetTargetExtension,
    Edit,
    MarkSelected,
    UnmarkSelected,
    UnmarkAll,
    CopySpreadsheet,
    SelectAll,
    SelectNone,
    Find,
    FindNext,
    Function,
    JumpTo,
    SaveMarksAs,
    DeleteMarks,
    DetachMarks,
    Option,
    Japanese,
    English,
    ChangeFont,
    NumberSameNames,
    MailDateOnFiles,
    ClassicRules,
    Help,
    ReadMe,
    OpenReadMe,
    // The grid's pop-up.
    PopupCopyGrid,
    PopupShowMail,
    PopupSetTargetExtension,
    PopupSaveAttachAs,
    PopupDeleteAnAttachment,
};
constexpr int kMenuItemCount = static_cast<int>(TMenuItem::PopupDeleteAnAttachment) + 1;

// Windows virtual-key codes of the shortcuts that are not a letter.
constexpr unsigned kKeyDelete = 0x2E;
constexpr unsigned kKeyF3 = 0x72;

struct TShortcut {
    unsigned Key = 0;  // virtual key; 0 for none
    bool Ctrl = false;
    bool Alt = false;
    bool operator==(const TShortcut&) const = default;
};

struct TMenuItemLayout {
    TMenuItem Item;              // TMenuItem::None for a separator
    const char* Name;            // "mnShowAllItems", as the language texts name it; "-" for a separator
    TCommandId Command;          // cmNone for a drop-down
    TShortcut Shortcut;
    int RadioGroup = 0;          // 0: none
    std::vector<TMenuItemLayout> Items;  // the drop-down's items
};

const std::vector<TMenuItemLayout>& MainMenuLayout();
const std::vector<TMenuItemLayout>& GridPopupLayout();

// "Ctrl+Alt+A", "F3", "Del": what the menu shows right of the caption.
std::string ShortcutText(const TShortcut& shortcut);

}  // namespace quillbox

// The main menu and the grid's pop-up menu: every item with its name, its
// default caption, shortcut, command and radio group, in display order.
#pragma once

#include <string>
#include <vector>

#include "ui/win32/main_window/command_ids.h"

namespace quillbox {

struct TShortcut {
    unsigned Key = 0;  // virtual key; 0 for none
    bool Ctrl = false;
    bool Alt = false;
    bool operator==(const TShortcut&) const = default;
};

struct TMenuItemLayout {
    const char* Name;            // "mnShowAllItems"; "-" for a separator
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

// The main window's menu bar and grid pop-up, built from the layout, with
// their items addressed by TMenuItem: captions, checks, enabled states and
// the shortcut of a key press.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <string>

#include "ui/win32/main_window/menu_layout.h"
#include "win32/win32_handles.h"

namespace quillbox {

class TWindowMenus {
public:
    TWindowMenus();
    TWindowMenus(const TWindowMenus&) = delete;
    TWindowMenus& operator=(const TWindowMenus&) = delete;

    // The bar goes to the window, which destroys it; the pop-up stays ours.
    HMENU TakeMenuBar();
    HMENU Popup() const { return popup_.Get(); }

    // The item the language texts call "mnShowAllItems" etc.; none for other names.
    std::optional<TMenuItem> ItemNamed(const std::string& name) const;
    // Caption as the language gives it; the shortcut is shown right of it.
    void SetCaption(TMenuItem item, const std::string& caption);
    void SetEnabled(TMenuItem item, bool enabled);
    // A radio item checks itself and clears the others of its group.
    void SetChecked(TMenuItem item, bool checked);
    bool IsEnabled(TMenuItem item) const;

    // The command of a shortcut key, or cmNone.
    TCommandId CommandForKey(unsigned key, bool ctrl, bool alt) const;

private:
    struct TEntry {
        HMENU Parent = nullptr;  // not owned: the bar, a drop-down or the pop-up
        UINT Position = 0;
        const TMenuItemLayout* Layout = nullptr;
        int BarPosition = -1;  // the drop-down it belongs to; -1 for none
    };
    void Build(HMENU parent, const std::vector<TMenuItemLayout>& items, int barPosition);
    const TEntry& Entry(TMenuItem item) const { return entries_[static_cast<std::size_t>(item)]; }
    bool Available(const TEntry& entry) const;

    TMenuHandle barOwner_;  // owned until the window takes it
    HMENU bar_;             // not owned once taken; lives as long as the window
    TMenuHandle popup_;     // owned: the grid's pop-up
    std::array<TEntry, kMenuItemCount> entries_;  // by TMenuItem; every item is in the layout
    std::map<std::string, TMenuItem, std::less<>> named_;
};

}  // namespace quillbox

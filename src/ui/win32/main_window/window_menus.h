// The main window's menu bar and grid pop-up, built from the layout, with
// their items addressed by name: captions, checks, enabled states and the
// shortcut of a key press.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "ui/win32/main_window/menu_layout.h"

namespace quillbox {

class TWindowMenus {
public:
    TWindowMenus();
    ~TWindowMenus();
    TWindowMenus(const TWindowMenus&) = delete;
    TWindowMenus& operator=(const TWindowMenus&) = delete;

    // The bar goes to the window, which destroys it; the pop-up stays ours.
    HMENU TakeMenuBar();
    HMENU Popup() const { return popup_; }

    bool Has(const std::string& name) const { return items_.count(name) != 0; }
    // Caption as the language gives it; the shortcut is shown right of it.
    void SetCaption(const std::string& name, const std::string& caption);
    void SetEnabled(const std::string& name, bool enabled);
    // A radio item checks itself and clears the others of its group.
    void SetChecked(const std::string& name, bool checked);
    bool IsEnabled(const std::string& name) const;

    // The command of a shortcut key, or cmNone.
    TCommandId CommandForKey(unsigned key, bool ctrl, bool alt) const;

private:
    struct TEntry {
        HMENU Parent;
        UINT Position;
        const TMenuItemLayout* Layout;
        int BarPosition;  // the drop-down it belongs to; -1 for none
    };
    void Build(HMENU parent, const std::vector<TMenuItemLayout>& items, int barPosition);
    bool Available(const TEntry& entry) const;

    HMENU bar_;
    HMENU popup_;
    bool barTaken_ = false;
    std::map<std::string, TEntry> items_;
    HWND window_ = nullptr;
};

}  // namespace quillbox

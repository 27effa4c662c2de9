#include "ui/win32/main_window/window_menus.h"

namespace quillbox {


TWindowMenus::TWindowMenus() : bar_(CreateMenu()), popup_(CreatePopupMenu())
{
    Build(bar_, MainMenuLayout(), -1);
    Build(popup_, GridPopupLayout(), -1);
}

TWindowMenus::~TWindowMenus()
{
    if (!barTaken_) DestroyMenu(bar_);
    DestroyMenu(popup_);
}

HMENU TWindowMenus::TakeMenuBar()
{
    barTaken_ = true;
    return bar_;
}

void TWindowMenus::Build(HMENU parent, const std::vector<TMenuItemLayout>& items, int barPosition)
{
    UINT position = 0;
    for (const TMenuItemLayout& item : items) {
        if (std::string(item.Name) == "-") {
            AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
        } else if (!item.Items.empty()) {
            const HMENU dropDown = CreatePopupMenu();
            Build(dropDown, item.Items, static_cast<int>(position));
            AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown), item.Name);
            items_[item.Name] = {parent, position, &item, barPosition};
        } else {
            AppendMenuA(parent, MF_STRING, item.Command, item.Name);
            if (item.RadioGroup != 0) {
                MENUITEMINFOA info{};
                info.cbSize = sizeof info;
                info.fMask = MIIM_FTYPE;
                info.fType = MFT_STRING | MFT_RADIOCHECK;
                SetMenuItemInfoA(parent, position, TRUE, &info);
            }
            items_[item.Name] = {parent, position, &item, barPosition};
        }
        ++position;
    }
}

void TWindowMenus::SetCaption(const std::string& name, const std::string& caption)
{
    const auto it = items_.find(name);
    if (it == items_.end()) return;
    std::string text = caption;
    if (const std::string keys = ShortcutText(it->second.Layout->Shortcut); !keys.empty()) text += "\t" + keys;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    SetMenuItemInfoA(it->second.Parent, it->second.Position, TRUE, &info);
}

void TWindowMenus::SetEnabled(const std::string& name, bool enabled)
{
    const auto it = items_.find(name);
    if (it == items_.end()) return;
    EnableMenuItem(it->second.Parent, it->second.Position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool TWindowMenus::IsEnabled(const std::string& name) const
{
    const auto it = items_.find(name);
    if (it == items_.end()) return false;
    return (GetMenuState(it->second.Parent, it->second.Position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void TWindowMenus::SetChecked(const std::string& name, bool checked)
{
    const auto it = items_.find(name);
    if (it == items_.end()) return;
    const TEntry& entry = it->second;
    if (checked && entry.Layout->RadioGroup != 0) {
        for (const auto& [otherName, other] : items_)
            if (other.Parent == entry.Parent && other.Layout->RadioGroup == entry.Layout->RadioGroup)
                CheckMenuItem(other.Parent, other.Position, MF_BYPOSITION | MF_UNCHECKED);
    }
    CheckMenuItem(entry.Parent, entry.Position, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool TWindowMenus::Available(const TEntry& entry) const
{
    const auto greyed = [](HMENU menu, UINT position) {
        return (GetMenuState(menu, position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) != 0;
    };
    // Items of a greyed drop-down are as unavailable as greyed items.
    if (entry.BarPosition >= 0 && greyed(bar_, static_cast<UINT>(entry.BarPosition))) return false;
    return !greyed(entry.Parent, entry.Position);
}

TCommandId TWindowMenus::CommandForKey(unsigned key, bool ctrl, bool alt) const
{
    const TShortcut pressed{key, ctrl, alt};
    for (const auto& [name, entry] : items_) {
        if (entry.Layout->Shortcut == pressed && Available(entry)) return entry.Layout->Command;
    }
    return cmNone;
}

}  // namespace quillbox

#include "ui/win32/main_window/window_menus.h"

namespace quillbox {

TWindowMenus::TWindowMenus() : barOwner_(CreateMenu()), bar_(barOwner_.Get()), popup_(CreatePopupMenu())
{
    Build(bar_, MainMenuLayout(), -1);
    Build(popup_.Get(), GridPopupLayout(), -1);
}

HMENU TWindowMenus::TakeMenuBar() { return barOwner_.Release(); }

void TWindowMenus::Build(HMENU parent, const std::vector<TMenuItemLayout>& items, int barPosition)
{
    UINT position = 0;
    for (const TMenuItemLayout& item : items) {
        if (item.Item == TMenuItem::None) {
            AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
        } else if (!item.Items.empty()) {
            const HMENU dropDown = CreatePopupMenu();
            Build(dropDown, item.Items, static_cast<int>(position));
            AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown), item.Name);
        } else {
            AppendMenuA(parent, MF_STRING, item.Command, item.Name);
            if (item.RadioGroup != 0) {
                MENUITEMINFOA info{};
                info.cbSize = sizeof info;
                info.fMask = MIIM_FTYPE;
                info.fType = MFT_STRING | MFT_RADIOCHECK;
                SetMenuItemInfoA(parent, position, TRUE, &info);
            }
        }
        if (item.Item != TMenuItem::None) {
            entries_[static_cast<std::size_t>(item.Item)] = {parent, position, &item, barPosition};
            named_.emplace(item.Name, item.Item);
        }
        ++position;
    }
}

std::optional<TMenuItem> TWindowMenus::ItemNamed(const std::string& name) const
{
    const auto it = named_.find(name);
    if (it == named_.end()) return std::nullopt;
    return it->second;
}

void TWindowMenus::SetCaption(TMenuItem item, const std::string& caption)
{
    const TEntry& entry = Entry(item);
    std::string text = caption;
    if (const std::string keys = ShortcutText(entry.Layout->Shortcut); !keys.empty()) text += "\t" + keys;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    SetMenuItemInfoA(entry.Parent, entry.Position, TRUE, &info);
}

void TWindowMenus::SetEnabled(TMenuItem item, bool enabled)
{
    const TEntry& entry = Entry(item);
    EnableMenuItem(entry.Parent, entry.Position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool TWindowMenus::IsEnabled(TMenuItem item) const
{
    const TEntry& entry = Entry(item);
    return (GetMenuState(entry.Parent, entry.Position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void TWindowMenus::SetChecked(TMenuItem item, bool checked)
{
    const TEntry& entry = Entry(item);
    if (checked && entry.Layout->RadioGroup != 0) {
        for (const TEntry& other : entries_)
            if (other.Layout && other.Parent == entry.Parent && other.Layout->RadioGroup == entry.Layout->RadioGroup)
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
    for (const TEntry& entry : entries_) {
        if (entry.Layout && entry.Layout->Shortcut == pressed && Available(entry)) return entry.Layout->Command;
    }
    return cmNone;
}

}  // namespace quillbox

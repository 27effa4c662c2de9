// What the View menu, the tool bar's view buttons and status panel 0 show for
// the current view settings.
#pragma once

#include <string>

#include "settings/message_table.h"
#include "settings/settings_values.h"

namespace quillbox {

struct TViewButton {
    bool Down = false;
    bool Highlighted = false;
    bool operator==(const TViewButton&) const = default;
};

struct TViewMenuState {
    // Menu checks: mnShowAllItems, mnShowNonHTMLs, mnShowOnlyHTMLs, ...
    bool ShowAllItemsChecked = false;
    bool ShowNonHTMLsChecked = false;
    bool ShowOnlyHTMLsChecked = false;
    bool SortByDateChecked = false;
    bool SortBySizeChecked = false;
    bool AccendingChecked = false;
    bool DeccendingChecked = false;
    // mnSetTargetExtension and pmnSetTargetExtension
    bool SetTargetExtensionChecked = false;

    // Tool buttons: tbShowAllItems, tbShowNonHTMLs, ...
    TViewButton ShowAllItems;
    TViewButton ShowNonHTMLs;
    TViewButton ShowOnlyHTMLs;
    TViewButton SortByDate;
    TViewButton SortBySize;
    TViewButton Accending;
    TViewButton Deccending;

    std::string FilterText;  // status panel 0; the progress bar is hidden
    bool operator==(const TViewMenuState&) const = default;
};

TViewMenuState ViewMenuState(const TViewSettings& view, const TMessageTable& messages);

}  // namespace quillbox

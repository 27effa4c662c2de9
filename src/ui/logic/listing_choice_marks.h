// The marks the listing's chosen kinds, order and extension filter put on the
// window: the View menu's checks, the tool bar's pressed buttons and the text
// of status panel 0.
#pragma once

#include <string>

#include "settings/message_table.h"
#include "settings/settings_values.h"

namespace quillbox {

struct TToolButtonMark {
    bool Down = false;
    bool Highlighted = false;
    bool operator==(const TToolButtonMark&) const = default;
};

struct TListingChoiceMarks {
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
    TToolButtonMark ShowAllItems;
    TToolButtonMark ShowNonHTMLs;
    TToolButtonMark ShowOnlyHTMLs;
    TToolButtonMark SortByDate;
    TToolButtonMark SortBySize;
    TToolButtonMark Accending;
    TToolButtonMark Deccending;

    std::string FilterText;  // status panel 0; the progress bar is hidden
    bool operator==(const TListingChoiceMarks&) const = default;
};

TListingChoiceMarks ListingChoiceMarks(const TListingSettings& view, const TMessageTable& messages);

}  // namespace quillbox

// The show and sort commands and header clicks as changes of the listing settings.
#pragma once

#include "settings/settings_values.h"

namespace quillbox {

enum class TListingCommand {
    ShowAllItems,   // mnShowAllItems, tbShowAllItems
    ShowNonHTMLs,   // mnShowNonHTMLs, tbShowNonHTMLs
    ShowOnlyHTMLs,  // mnShowOnlyHTMLs, tbShowOnlyHTMLs
    SortByDate,     // mnSortByDate, tbSortByDate
    SortBySize,     // mnSortBySize, tbSortBySize
    Accending,      // mnAccending, tbAccending
    Deccending,     // mnDeccending, tbDeccending
};

// What has to be redone after a change.
enum class TListingRefresh {
    Rebuild,  // the filter changed: RebuildView
    Sort,     // only the order changed: SortRows
};

TListingRefresh ApplyListingCommand(TListingSettings& settings, TListingCommand command);

// A press on header column col: the date and size headers pick their key or,
// when it is already the key, reverse the order. Other columns change nothing.
void ApplyHeaderClick(TListingSettings& settings, int col);

}  // namespace quillbox

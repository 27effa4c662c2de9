#include "ui/logic/listing_commands.h"

#include "catalogue/listing/listing_rules.h"
#include "ui/logic/list_columns.h"

namespace quillbox {

namespace {

TListingRefresh ShowKinds(TListingSettings& settings, int kinds)
{
    settings.ShowType = kinds;
    settings.ExtFilterOn = false;
    return TListingRefresh::Rebuild;
}

// Picks the key, or reverses the order when the list is sorted by it already.
void PressSortHeader(TListingSettings& settings, int target)
{
    const int current = SortsBySize(settings) ? kSortBySize : kSortByDate;
    if (current == target)
        settings.ShowOrder = SortsAscending(settings) ? kDescending : kAscending;
    else
        settings.SortTarget = target;
}

}  // namespace

TListingRefresh ApplyListingCommand(TListingSettings& settings, TListingCommand command)
{
    switch (command) {
    case TListingCommand::ShowAllItems: return ShowKinds(settings, kShowAll);
    case TListingCommand::ShowNonHTMLs: return ShowKinds(settings, kShowNonHtml);
    case TListingCommand::ShowOnlyHTMLs: return ShowKinds(settings, kShowHtml);
    case TListingCommand::SortByDate: settings.SortTarget = kSortByDate; break;
    case TListingCommand::SortBySize: settings.SortTarget = kSortBySize; break;
    case TListingCommand::Accending: settings.ShowOrder = kAscending; break;
    case TListingCommand::Deccending: settings.ShowOrder = kDescending; break;
    }
    return TListingRefresh::Sort;
}

void ApplyHeaderClick(TListingSettings& settings, int col)
{
    if (col == colDate) PressSortHeader(settings, kSortByDate);
    if (col == colSize) PressSortHeader(settings, kSortBySize);
}

}  // namespace quillbox

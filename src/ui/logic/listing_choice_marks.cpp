#include "ui/logic/listing_choice_marks.h"

#include "catalogue/listing/listing_rules.h"

namespace quillbox {

namespace {

constexpr TToolButtonMark kPressed{true, true};
constexpr TToolButtonMark kReleased{false, false};

}  // namespace

TListingChoiceMarks ListingChoiceMarks(const TListingSettings& view, const TMessageTable& messages)
{
    TListingChoiceMarks state;
    const int kinds = ShownKinds(view);
    state.ShowAllItemsChecked = kinds == kShowAll;
    state.ShowOnlyHTMLsChecked = kinds == kShowHtml;
    state.ShowNonHTMLsChecked = kinds == kShowNonHtml;
    // With the one-extension filter on, none of the show buttons stands for
    // what is listed.
    if (!view.ExtFilterOn) {
        state.ShowAllItems = state.ShowAllItemsChecked ? kPressed : kReleased;
        state.ShowOnlyHTMLs = state.ShowOnlyHTMLsChecked ? kPressed : kReleased;
        state.ShowNonHTMLs = state.ShowNonHTMLsChecked ? kPressed : kReleased;
    }
    state.SetTargetExtensionChecked = view.ExtFilterOn;
    if (view.ExtFilterOn)
        state.FilterText = messages[msgFilterBeforeExtension] + view.TargetExt + messages[msgFilterAfterExtension];

    const bool ascending = SortsAscending(view);
    state.AccendingChecked = ascending;
    state.DeccendingChecked = !ascending;
    state.Accending = ascending ? kPressed : kReleased;
    state.Deccending = ascending ? kReleased : kPressed;

    const bool bySize = SortsBySize(view);
    state.SortBySizeChecked = bySize;
    state.SortByDateChecked = !bySize;
    state.SortBySize = bySize ? kPressed : kReleased;
    state.SortByDate = bySize ? kReleased : kPressed;
    return state;
}

}  // namespace quillbox

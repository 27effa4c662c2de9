#include "ui/logic/view_commands.h"

#include "catalogue/listing/view_rules.h"
#include "ui/logic/list_columns.h"

namespace quillbox {

namespace {

constexpr int kByDate = 1;
constexpr int kBySize = 2;
constexpr int kAscending = 1;
constexpr int kDescending = 2;

TViewRefresh ShowKinds(TViewSettings& view, int kinds)
{
    view.ShowType = kinds;
    view.ExtFilterOn = false;
    return TViewRefresh::Rebuild;
}

// Picks the key, or reverses the order when the list is sorted by it already.
void PressSortHeader(TViewSettings& view, int target)
{
    const int current = SortsBySize(view) ? kBySize : kByDate;
    if (current == target)
        view.ShowOrder = SortsAscending(view) ? kDescending : kAscending;
    else
        view.SortTarget = target;
}

}  // namespace

TViewRefresh ApplyViewCommand(TViewSettings& view, TViewCommand command)
{
    switch (command) {
    case TViewCommand::ShowAllItems: return ShowKinds(view, kShowAll);
    case TViewCommand::ShowNonHTMLs: return ShowKinds(view, kShowNonHtml);
    case TViewCommand::ShowOnlyHTMLs: return ShowKinds(view, kShowHtml);
    case TViewCommand::SortByDate: view.SortTarget = kByDate; break;
    case TViewCommand::SortBySize: view.SortTarget = kBySize; break;
    case TViewCommand::Accending: view.ShowOrder = kAscending; break;
    case TViewCommand::Deccending: view.ShowOrder = kDescending; break;
    }
    return TViewRefresh::Sort;
}

void ApplyHeaderClick(TViewSettings& view, int col)
{
    if (col == colDate) PressSortHeader(view, kByDate);
    if (col == colSize) PressSortHeader(view, kBySize);
}

}  // namespace quillbox

#include "ui/main_window/main_window_logic.h"

#include <utility>

namespace quillbox {

TMainWindowLogic::TMainWindowLogic(TMainWindowShell& shell, const TMessageTable& messages,
                                   std::vector<std::int32_t>& gridWidths, TPatternMatcher matcher)
    : shell_(shell), messages_(messages), gridWidths_(gridWidths),
      matcher_(std::move(matcher))
{
}

void TMainWindowLogic::Attach(TListGrid& grid, TListingController& listing)
{
    grid_ = &grid;
    listing_ = &listing;
    listing.OnRebuilt = [this] {
        FitSubjectColumn();
        ListUpdated();
    };
}

}  // namespace quillbox

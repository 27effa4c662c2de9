// Writing the attachment list into the grid: header, one row per entry with
// repeat marks, marks, colours and formatted values.
#pragma once

#include <string>

#include "catalogue/listing/row_list.h"
#include "settings/message_table.h"
#include "settings/settings_values.h"
#include "ui/grid/grid_model.h"
#include "ui/logic/digit_grouping.h"

namespace quillbox {

// What the fill needs besides the rows.
struct TListFillContext {
    const TMessageTable& Messages;
    const TListingSettings& Listing;
    const TDigitGrouping& Grouping;
};

// "yyyy/mm/dd  hh:nn:ss" (two blanks between date and time).
std::string FormatMailDate(double date);

// Header texts and bold headings of the date and size columns, then the rows;
// with no rows the grid keeps one empty data row.
void FillListGrid(TGridModel& grid, const TRowList& rows, const TListFillContext& context);

// The mark cell and the row background of grid row gridRow.
void ShowRowMark(TGridModel& grid, int gridRow, bool marked, const TMessageTable& messages);

}  // namespace quillbox

#include "ui/logic/list_grid_fill.h"

#include <cstdio>
#include <optional>

#include "catalogue/listing/listing_rules.h"
#include "catalogue/mail_date.h"
#include "ui/logic/list_columns.h"

namespace quillbox {

namespace {

// Changes only the background of a set, so that fonts the language gave stay.
void SetBackgroundItem(TGridModel& grid, const TSetKey& key, std::optional<TColor> color)
{
    TFormatSet set = grid.FormatSet(key);
    if (set.Background == color) return;
    set.Background = color;
    grid.SetFormatSet(key, std::move(set));
}

void MakeBold(TGridModel& grid, const TSetKey& key)
{
    TFontRequest font = grid.Font(key);
    if (font.Bold && grid.FormatSet(key).Font) return;
    font.Bold = true;
    grid.SetFont(key, std::move(font));
}

void FillHeader(TGridModel& grid, const TListFillContext& context)
{
    const TMessageTable& messages = context.Messages;
    const std::string& arrow =
        messages[SortsAscending(context.Listing) ? msgAscendingMark : msgDescendingMark];
    const bool bySize = SortsBySize(context.Listing);
    grid.SetCell(colNumber, 0, kNumberHeading);
    grid.SetCell(colMark, 0, kMarkHeading);
    grid.SetCell(colDate, 0, messages[msgDateHeader] + (bySize ? "" : arrow));
    grid.SetCell(colSubject, 0, kSubjectHeading);
    grid.SetCell(colFrom, 0, kFromHeading);
    grid.SetCell(colFileName, 0, messages[msgFileNameHeader]);
    grid.SetCell(colSize, 0, messages[msgSizeHeader] + (bySize ? arrow : ""));
    MakeBold(grid, TSetKey::ForCell(colDate, 0));
    MakeBold(grid, TSetKey::ForCell(colSize, 0));
}

void FillRow(TGridModel& grid, int gridRow, const TListPosItem& row, bool repeatsMail,
             const TListFillContext& context)
{
    const TMessageTable& messages = context.Messages;
    const TMailItem& mail = *row.Mail;
    const TAttachment& attachment = *row.Attachment;
    grid.SetCell(colNumber, gridRow, std::to_string(gridRow));
    ShowRowMark(grid, gridRow, attachment.Marked, messages);
    if (repeatsMail) {
        for (int col : {colDate, colSubject, colFrom}) grid.SetCell(col, gridRow, messages[msgRepeatMark]);
    } else {
        grid.SetCell(colDate, gridRow, FormatMailDate(mail.Date));
        grid.SetCell(colSubject, gridRow, mail.Subject);
        grid.SetCell(colFrom, gridRow, mail.From);
    }
    grid.SetCell(colFileName, gridRow, messages[msgIconGap] + attachment.FileName);
    SetBackgroundItem(grid, TSetKey::ForCell(colFileName, gridRow),
                      attachment.IsHTML ? kHtmlFileNameColor : kFileNameColor);
    grid.SetCell(colSize, gridRow, FormatWholeNumber(attachment.Size, context.Grouping));
}

void EmptyRow(TGridModel& grid, int gridRow)
{
    for (int col = 0; col < grid.ColCount(); ++col) {
        grid.SetCell(col, gridRow, "");
        SetBackgroundItem(grid, TSetKey::ForCell(col, gridRow), std::nullopt);
    }
    SetBackgroundItem(grid, TSetKey::ForRow(gridRow), std::nullopt);
}

}  // namespace

std::string FormatMailDate(double date)
{
    const TDateTimeParts t = DecodeDateTime(date);
    char text[48];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d  %02d:%02d:%02d", t.Year, t.Month, t.Day,
                  t.Hour, t.Minute, t.Second);
    return text;
}

void ShowRowMark(TGridModel& grid, int gridRow, bool marked, const TMessageTable& messages)
{
    grid.SetCell(colMark, gridRow, marked ? messages[msgMarkSymbol] : std::string());
    // Unmarked rows fall back to the grid's colour, the window colour.
    SetBackgroundItem(grid, TSetKey::ForRow(gridRow),
                      marked ? std::optional<TColor>(kMarkedRowColor) : std::nullopt);
}

void FillListGrid(TGridModel& grid, const TRowList& rows, const TListFillContext& context)
{
    grid.SetRowCount(rows.empty() ? 2 : static_cast<int>(rows.size()) + 1);
    FillHeader(grid, context);
    if (rows.empty()) {
        EmptyRow(grid, 1);
        return;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool repeatsMail = i > 0 && rows[i - 1].Mail == rows[i].Mail;
        FillRow(grid, static_cast<int>(i) + 1, rows[i], repeatsMail, context);
    }
}

}  // namespace quillbox

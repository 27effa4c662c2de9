#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/grid/grid_model.h"
#include "ui/grid/text_layout.h"

namespace quillbox {
namespace {

constexpr TColor Marked = Rgb(255, 238, 238);
constexpr TColor FileNameColumn = Rgb(248, 248, 255);
constexpr TColor HtmlFileName = Rgb(255, 255, 221);
constexpr int FileNameCol = 5;

// The list window's grid: 7 columns, header row, number column.
TGridModel ListGrid(int rows)
{
    TGridModel grid(7, rows);
    grid.SetAlignment(TSetKey::ForFixedRow(0), TAlignment::Center);
    grid.SetAlignment(TSetKey::ForFixedColumn(0), TAlignment::Center);
    grid.SetAlignment(TSetKey::ForFixedColumn(1), TAlignment::Center);
    grid.SetAlignment(TSetKey::ForColumn(1), TAlignment::Center);
    grid.SetAlignment(TSetKey::ForColumn(6), TAlignment::Right);
    for (int col : {3, 4, 5}) grid.SetOverflow(TSetKey::ForColumn(col), TOverflow::Ellipsis);
    grid.SetBackground(TSetKey::ForColumn(FileNameCol), FileNameColumn);
    return grid;
}

TEST(GridFormatLookup, MarkedRowKeepsTheFileNameBackgrounds)
{
    auto grid = ListGrid(4);
    grid.SetBackground(TSetKey::ForCell(FileNameCol, 2), HtmlFileName);
    grid.SetBackground(TSetKey::ForRow(1), Marked);
    grid.SetBackground(TSetKey::ForRow(2), Marked);

    EXPECT_EQ(grid.Resolve(2, 1).Background, Marked);
    EXPECT_EQ(grid.Resolve(FileNameCol, 1).Background, FileNameColumn);  // column over row
    EXPECT_EQ(grid.Resolve(FileNameCol, 2).Background, HtmlFileName);    // cell over both
    EXPECT_EQ(grid.Resolve(2, 3).Background, grid.Defaults().Color);
    // The number column is fixed: neither the row nor the column set reaches it.
    EXPECT_EQ(grid.Resolve(0, 1).Background, grid.Defaults().FixedColor);
}

TEST(GridFormatLookup, ItemsResolveIndependentlyAndFixedCellsUseFixedSets)
{
    auto grid = ListGrid(3);
    TFontRequest bold = grid.Font(TSetKey::ForCell(2, 0));
    bold.Bold = true;
    grid.SetFont(TSetKey::ForCell(2, 0), bold);

    // A header cell is fixed: the fixed-row set of row 0 says centre, and the
    // ordinary set of its column is not consulted.
    grid.SetAlignment(TSetKey::ForColumn(2), TAlignment::Right);
    EXPECT_EQ(grid.Resolve(2, 0).Alignment, TAlignment::Center);
    EXPECT_EQ(grid.Resolve(2, 1).Alignment, TAlignment::Right);
    EXPECT_EQ(grid.Resolve(6, 1).Alignment, TAlignment::Right);
    EXPECT_EQ(grid.Resolve(4, 1).Alignment, TAlignment::Left);  // nothing set
    EXPECT_EQ(grid.Resolve(0, 2).Alignment, TAlignment::Center);

    // The bold header cell keeps the alignment of its row; only the font is its own.
    EXPECT_TRUE(grid.Resolve(2, 0).Font.Bold);
    EXPECT_FALSE(grid.Resolve(3, 0).Font.Bold);
    EXPECT_EQ(grid.Resolve(3, 1).Overflow, TOverflow::Ellipsis);
    EXPECT_EQ(grid.Resolve(2, 1).Overflow, TOverflow::Clip);

    auto defaults = grid.Defaults();
    defaults.WordWrap = true;
    grid.SetDefaults(defaults);
    EXPECT_EQ(grid.Resolve(2, 1).Overflow, TOverflow::WordWrap);
    EXPECT_EQ(grid.Resolve(3, 1).Overflow, TOverflow::Ellipsis);

    // Taking an item back to "not set" hands it to the next set again.
    grid.SetOverflow(TSetKey::ForColumn(3), TOverflow::NotSet);
    EXPECT_EQ(grid.Resolve(3, 1).Overflow, TOverflow::WordWrap);
}

TEST(GridFormatLookup, FontOfASetStartsFromTheGridFont)
{
    TGridModel grid(3, 3);
    auto defaults = grid.Defaults();
    defaults.Font.Name = "Body";
    defaults.FixedFont.Name = "Heading";
    grid.SetDefaults(defaults);
    EXPECT_EQ(grid.Font(TSetKey::ForRow(2)).Name, "Body");
    EXPECT_EQ(grid.Font(TSetKey::ForFixedRow(0)).Name, "Heading");
    EXPECT_EQ(grid.Font(TSetKey::ForCell(0, 2)).Name, "Heading");

    auto rowFont = grid.Font(TSetKey::ForRow(2));
    rowFont.Color = Rgb(224, 0, 0);
    grid.SetFont(TSetKey::ForRow(2), rowFont);
    EXPECT_EQ(grid.Resolve(1, 2).Font.Color, Rgb(224, 0, 0));
    EXPECT_EQ(grid.Resolve(1, 1).Font.Name, "Body");
}

TEST(GridModel, TextsSurviveResizingAndOutsideIndexesThrow)
{
    TGridModel grid(3, 3);
    grid.SetCell(2, 2, "a&b");
    grid.SetCell(1, 1, "kept");
    grid.SetBackground(TSetKey::ForCell(2, 2), Marked);
    grid.SetRowCount(100000);
    EXPECT_EQ(grid.Cell(2, 2), "a&b");
    grid.SetColCount(5);
    EXPECT_EQ(grid.Cell(1, 1), "kept");
    EXPECT_EQ(grid.Cell(2, 2), "a&b");
    EXPECT_EQ(grid.Cell(4, 99999), "");
    EXPECT_EQ(grid.Resolve(2, 2).Background, Marked);

    // Shrinking drops the texts and sets of the rows that go.
    grid.SetRowCount(2);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.Cell(2, 2), "");
    EXPECT_EQ(grid.Resolve(2, 2).Background, grid.Defaults().Color);

    EXPECT_THROW(grid.Cell(1, -1), std::out_of_range);  // a walk above the header
    EXPECT_THROW(grid.SetCell(5, 0, "x"), std::out_of_range);
    EXPECT_THROW(grid.SetBackground(TSetKey::ForRow(3), Marked), std::out_of_range);

    grid.SetRowCount(0);  // never fewer than the header and one row
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST(GridModel, EveryChangeIsReported)
{
    TGridModel grid(3, 3);
    int changes = 0;
    grid.SetChangedHandler([&changes] { ++changes; });
    grid.SetCell(1, 1, "x");
    grid.SetCell(1, 1, "x");  // unchanged
    grid.SetColWidth(0, 40);
    grid.SetBackground(TSetKey::ForRow(1), Marked);
    grid.SetRowCount(10);
    EXPECT_EQ(changes, 4);
}

TEST(CellTextLayout, MarginAlignmentAndOverflow)
{
    TCellFormat format;
    format.Alignment = TAlignment::Right;
    format.Overflow = TOverflow::Ellipsis;
    const auto layout = LayoutCellText({10, 20, 76, 39}, format);
    EXPECT_EQ(layout.Box, (TPixelRect{12, 22, 74, 37}));
    EXPECT_EQ(layout.Horizontal, THorizontal::Right);
    EXPECT_TRUE(layout.SingleLine);
    EXPECT_TRUE(layout.EndEllipsis);

    format.Overflow = TOverflow::WordWrap;
    format.Alignment = TAlignment::Center;
    const auto wrapped = LayoutCellText({0, 0, 50, 19}, format);
    EXPECT_TRUE(wrapped.WordWrap);
    EXPECT_FALSE(wrapped.SingleLine);
    EXPECT_FALSE(wrapped.EndEllipsis);
    EXPECT_EQ(wrapped.Horizontal, THorizontal::Center);
}

}  // namespace
}  // namespace quillbox

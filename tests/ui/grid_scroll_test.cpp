#include <gtest/gtest.h>

#include "ui/grid/grid_scroll.h"

namespace quillbox {
namespace {

// Widths 40, 29, 64 and rows 19 high: each column and row is followed by a
// one-pixel grid line, so column 1 starts at 41 and column 2 at 71; data
// rows start at 20 and repeat every 20 pixels.
struct GridFixture : ::testing::Test {
    GridFixture() : model(3, 100001), scroll(model)
    {
        model.SetColWidth(0, 40);
        model.SetColWidth(1, 29);
        model.SetColWidth(2, 64);
        scroll.SetClientSize(200, 20 + 10 * 20 + 7);  // ten whole rows and a part
    }
    TGridModel model;
    TGridScroll scroll;
};

TEST_F(GridFixture, PositionToCellAndBack)
{
    EXPECT_EQ(scroll.CellAt(0, 0), (TGridCoord{0, 0}));
    EXPECT_EQ(scroll.CellAt(40, 19), (TGridCoord{0, 0}));  // the lines belong to the cell before
    EXPECT_EQ(scroll.CellAt(41, 20), (TGridCoord{1, 1}));
    EXPECT_EQ(scroll.CellAt(71, 39), (TGridCoord{2, 1}));
    EXPECT_EQ(scroll.CellAt(71, 40), (TGridCoord{2, 2}));
    EXPECT_EQ(scroll.CellAt(136, 5).Col, -1);  // right of the last column and its line
    EXPECT_EQ(scroll.CellRect(2, 1), (TPixelRect{71, 20, 135, 39}));

    scroll.SetTopRow(500);
    EXPECT_EQ(scroll.CellAt(45, 5), (TGridCoord{1, 0}));  // the header stays in place
    EXPECT_EQ(scroll.CellAt(45, 25), (TGridCoord{1, 500}));
    EXPECT_EQ(scroll.CellAt(45, 20 + 3 * 20 + 5), (TGridCoord{1, 503}));
    EXPECT_EQ(scroll.CellRect(1, 503), (TPixelRect{41, 80, 70, 99}));
    EXPECT_TRUE(scroll.CellRect(1, 499).IsEmpty());  // scrolled out of scroll
    EXPECT_EQ(scroll.LastVisibleRow(), 510);         // the part row is painted too
    EXPECT_TRUE(scroll.CellRect(1, 511).IsEmpty());
}

TEST_F(GridFixture, TopRowStaysWithinTheRows)
{
    EXPECT_EQ(scroll.VisibleRowCount(), 10);
    EXPECT_EQ(scroll.MaxTopRow(), 100000 - 10 + 1);
    EXPECT_TRUE(scroll.SetTopRow(1000000));
    EXPECT_EQ(scroll.TopRow(), 99991);
    EXPECT_EQ(scroll.LastVisibleRow(), 100000);
    EXPECT_EQ(scroll.CellAt(10, 20 + 9 * 20 + 1).Row, 100000);
    EXPECT_EQ(scroll.CellAt(10, 20 + 10 * 20 + 1).Row, -1);  // below the last row
    scroll.SetTopRow(-5);
    EXPECT_EQ(scroll.TopRow(), 1);

    // Fewer rows than the window holds: the top row cannot move.
    model.SetRowCount(4);
    scroll.Normalise();
    EXPECT_EQ(scroll.MaxTopRow(), 1);
    EXPECT_FALSE(scroll.SetTopRow(3));
}

TEST_F(GridFixture, ShiftExtendsAWholeRowSelectionFromTheAnchor)
{
    EXPECT_EQ(scroll.Selection(), (TGridRect{1, 1, 2, 1}));
    scroll.MoveTo(2, 5, false);
    scroll.Navigate(TNavKey::Down, true);
    scroll.Navigate(TNavKey::Down, true);
    EXPECT_EQ(scroll.Selection(), (TGridRect{1, 5, 2, 7}));
    scroll.Navigate(TNavKey::Up, true);
    scroll.Navigate(TNavKey::Up, true);
    scroll.Navigate(TNavKey::Up, true);
    EXPECT_EQ(scroll.Selection(), (TGridRect{1, 4, 2, 5}));  // past the anchor, upwards
    EXPECT_EQ(scroll.Row(), 4);
    scroll.Navigate(TNavKey::Down, false);
    EXPECT_EQ(scroll.Selection(), (TGridRect{1, 5, 2, 5}));

    scroll.Navigate(TNavKey::First, false);
    scroll.Navigate(TNavKey::Up, false);  // never onto the header
    EXPECT_EQ(scroll.Row(), 1);
    scroll.MoveTo(0, 3, false);  // never onto the fixed column
    EXPECT_EQ(scroll.Col(), 1);
}

TEST_F(GridFixture, MovingScrollsTheCurrentRowIntoView)
{
    scroll.Navigate(TNavKey::PageDown, false);
    EXPECT_EQ(scroll.Row(), 11);
    EXPECT_EQ(scroll.TopRow(), 2);
    scroll.Navigate(TNavKey::Last, false);
    EXPECT_EQ(scroll.Row(), 100000);
    EXPECT_EQ(scroll.TopRow(), 99991);
    scroll.Navigate(TNavKey::PageUp, true);
    EXPECT_EQ(scroll.Selection(), (TGridRect{1, 99990, 2, 100000}));
    EXPECT_EQ(scroll.TopRow(), 99990);

    // Select all leaves the view where it is; Shift+Up then shrinks from the bottom.
    scroll.SetSelection({1, 1, 2, 100000});
    EXPECT_EQ(scroll.TopRow(), 99990);
    EXPECT_EQ(scroll.Row(), 100000);
    scroll.Navigate(TNavKey::Up, true);
    EXPECT_EQ(scroll.Selection(), (TGridRect{1, 1, 2, 99999}));

    // Select none: exactly the top visible row stays selected.
    scroll.SetSelection({1, scroll.TopRow(), 2, scroll.TopRow()});
    EXPECT_EQ(scroll.Selection(), (TGridRect{1, 99990, 2, 99990}));
    EXPECT_EQ(scroll.Row(), 99990);

    // The rows go away under the cursor: everything is pulled back inside.
    model.SetRowCount(2);
    scroll.Normalise();
    EXPECT_EQ(scroll.Row(), 1);
    EXPECT_EQ(scroll.Selection(), (TGridRect{1, 1, 2, 1}));
    EXPECT_EQ(scroll.TopRow(), 1);
}

TEST_F(GridFixture, ColumnBordersAreGrabbedOnlyInTheHeader)
{
    EXPECT_EQ(scroll.ColumnBorderAt(40, 5), 0);
    EXPECT_EQ(scroll.ColumnBorderAt(43, 5), 0);
    EXPECT_EQ(scroll.ColumnBorderAt(70, 5), 1);
    EXPECT_EQ(scroll.ColumnBorderAt(55, 5), -1);
    EXPECT_EQ(scroll.ColumnBorderAt(40, 25), -1);
    model.SetColWidth(0, 100);
    EXPECT_EQ(scroll.ColumnBorderAt(100, 5), 0);
    EXPECT_EQ(scroll.CellAt(101, 30).Col, 1);
}

}  // namespace
}  // namespace quillbox

#include <gtest/gtest.h>

#include "ui/logic/dpi_scale.h"
#include "ui/main_window/main_window_metrics.h"
#include "ui/main_window/placement_units.h"

namespace quillbox {
namespace {

TEST(DpiScale, RoundsHalfAwayFromZeroAndComesBackToTheSameDesignSize)
{
    EXPECT_EQ(TDpiScale(144).Scale(19), 29);  // 28.5
    EXPECT_EQ(TDpiScale(144).Scale(29), 44);  // 43.5
    EXPECT_EQ(TDpiScale(120).Scale(19), 24);  // 23.75
    EXPECT_EQ(TDpiScale(144).Scale(-13), -20);
    EXPECT_EQ(TDpiScale(0).Dpi(), kDesignDpi);
    EXPECT_EQ(TDpiScale(144).From(60, TDpiScale(192)), 45);
    // What a window at any density above the design's writes back reads as
    // the size it came from, so widths do not creep from one run to the next.
    for (const int dpi : {96, 120, 144, 168, 192, 288})
        for (int design = -50; design <= 3000; ++design)
            ASSERT_EQ(TDpiScale(dpi).Unscale(TDpiScale(dpi).Scale(design)), design) << dpi << " " << design;
}

TEST(MainWindowMetrics, EveryDesignSizeFollowsTheDensity)
{
    EXPECT_EQ(ScaledMetrics(kMainWindowDesign, TDpiScale(96)), kMainWindowDesign);
    const TMainWindowMetrics at144 = {
        1044, 720,
        62, 59, 57, 48, 12, 23,
        32, 8, 6, 21, 150, 9,
        29, {240, 60, 225, 270, 150}, 3,
        29, 3, 9, {60, 44, 96, 285, 177, 231, 99}, 15, 150,
        23, 33,
        3,
    };
    EXPECT_EQ(ScaledMetrics(kMainWindowDesign, TDpiScale(144)), at144);
    const TMainWindowMetrics at120 = {
        870, 600,
        51, 49, 48, 40, 10, 19,
        26, 6, 5, 18, 125, 8,
        24, {200, 50, 188, 225, 125}, 3,
        24, 3, 8, {50, 36, 80, 238, 148, 193, 83}, 13, 125,
        19, 28,
        3,
    };
    EXPECT_EQ(ScaledMetrics(kMainWindowDesign, TDpiScale(120)), at120);
}

TEST(MainWindowMetrics, TheDesignLeavesRoomForTheGridAtEveryDensity)
{
    for (const int dpi : {96, 120, 144, 192}) {
        const TMainWindowMetrics m = ScaledMetrics(kMainWindowDesign, TDpiScale(dpi));
        // The tool bar holds its buttons, a button its picture.
        EXPECT_GE(m.ToolBarHeight, m.ToolButtonHeight) << dpi;
        EXPECT_GT(m.ToolButtonWidth, m.ToolImageSize) << dpi;
        EXPECT_GT(m.ToolButtonHeight, m.ToolImageSize) << dpi;
        // The file icon fits its row and the gap kept for it.
        EXPECT_LE(m.FileIconSize, m.RowHeight) << dpi;
        EXPECT_LT(m.FileIconSize, m.FileIconGap) << dpi;
        int panels = 0;
        for (const int width : m.StatusPanelWidths) panels += width;
        EXPECT_LT(panels, m.WindowWidth) << dpi;
    }
}

TEST(PlacementUnits, TheSettingsFileKeepsSizesIn96DpiUnitsAndPositionsAsTheyAre)
{
    const TOpenWindowState open = {1500, -20, 1044, 720, {60, 44, 96, 285, 177, 231, 99}};
    const TOpenWindowState kept = InDesignUnits(open, TDpiScale(144));
    EXPECT_EQ(kept.Left, 1500);
    EXPECT_EQ(kept.Top, -20);
    EXPECT_EQ(kept.Width, 696);
    EXPECT_EQ(kept.Height, 480);
    EXPECT_EQ(kept.ColumnWidths, (std::vector<std::int32_t>{40, 29, 64, 190, 118, 154, 66}));

    const TSavedPlacement saved = {10, 20, 696, 480, {40, 29, 64, 190, 118, 154, 66}};
    const TSavedPlacement shown = AtDensity(saved, TDpiScale(120));
    EXPECT_EQ(shown.Left, 10);
    EXPECT_EQ(shown.Top, 20);
    EXPECT_EQ(shown.Width, 870);
    EXPECT_EQ(shown.Height, 600);
    EXPECT_EQ(shown.ColumnWidths, (std::vector<std::int32_t>{50, 36, 80, 238, 148, 193, 83}));
    // Written back from that screen, the file holds what it held.
    const TOpenWindowState written =
        InDesignUnits({10, 20, shown.Width, shown.Height, shown.ColumnWidths}, TDpiScale(120));
    EXPECT_EQ(written.Width, saved.Width);
    EXPECT_EQ(written.Height, saved.Height);
    EXPECT_EQ(written.ColumnWidths, saved.ColumnWidths);
}

}  // namespace
}  // namespace quillbox

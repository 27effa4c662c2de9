#include "ui/main_window/screen_placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

namespace quillbox {

void PrintTo(const TScreenRect& rect, std::ostream* out)
{
    *out << "(" << rect.Left << ", " << rect.Top << ", " << rect.Width << ", " << rect.Height << ")";
}

namespace {

// A 1280 x 1024 primary monitor with a task bar below, and a second monitor
// to its left, a little higher.
const std::vector<TScreenRect> kTwoMonitors = {{0, 0, 1280, 994}, {-1024, -200, 1024, 768}};
constexpr TWindowSize kMinimum{136, 39};

TEST(ScreenPlacement, APlaceOnAnyMonitorStaysEvenWhenPartlyOff)
{
    for (const TScreenRect place : {TScreenRect{40, 30, 800, 520}, TScreenRect{-900, -150, 696, 480},
                                    TScreenRect{1200, 900, 696, 480}, TScreenRect{-100, 400, 696, 480}})
        EXPECT_EQ(PlaceOnWorkAreas(place, kTwoMonitors, kMinimum), place);
}

TEST(ScreenPlacement, APlaceOffEveryMonitorMovesOntoTheNearestAsLittleAsNeeded)
{
    // Right of the primary monitor: along its right edge, the height kept.
    EXPECT_EQ(PlaceOnWorkAreas({5000, 5000, 696, 480}, kTwoMonitors, kMinimum), (TScreenRect{584, 514, 696, 480}));
    EXPECT_EQ(PlaceOnWorkAreas({1500, 100, 696, 480}, kTwoMonitors, kMinimum), (TScreenRect{584, 100, 696, 480}));
    // Above the second monitor, nearer to it than to the primary one.
    EXPECT_EQ(PlaceOnWorkAreas({-800, -900, 696, 480}, kTwoMonitors, kMinimum), (TScreenRect{-800, -200, 696, 480}));
    // Touching an edge is not meeting it.
    EXPECT_EQ(PlaceOnWorkAreas({1280, 0, 696, 480}, kTwoMonitors, kMinimum), (TScreenRect{584, 0, 696, 480}));
    // Larger than the monitor: its top left corner, where the caption can be reached.
    EXPECT_EQ(PlaceOnWorkAreas({3000, 3000, 2600, 1200}, kTwoMonitors, kMinimum), (TScreenRect{0, 0, 2600, 1200}));
}

TEST(ScreenPlacement, EquallyNearMonitorsGoToTheFirst)
{
    const std::vector<TScreenRect> sideBySide = {{0, 0, 1000, 800}, {2000, 0, 1000, 800}};
    EXPECT_EQ(PlaceOnWorkAreas({1200, 900, 600, 400}, sideBySide, kMinimum), (TScreenRect{400, 400, 600, 400}));
}

TEST(ScreenPlacement, NeverSmallerThanTheMinimum)
{
    EXPECT_EQ(PlaceOnWorkAreas({40, 30, 0, 0}, kTwoMonitors, kMinimum), (TScreenRect{40, 30, 136, 39}));
    // A place that only the minimum size brings onto a monitor stays.
    EXPECT_EQ(PlaceOnWorkAreas({1270, 990, 5, 2}, kTwoMonitors, kMinimum), (TScreenRect{1270, 990, 136, 39}));
}

TEST(ScreenPlacement, TheLargestNumbersDoNotOverflow)
{
    EXPECT_EQ(PlaceOnWorkAreas({INT_MAX, INT_MAX, INT_MAX, INT_MAX}, kTwoMonitors, kMinimum),
              (TScreenRect{0, 0, INT_MAX, INT_MAX}));
    EXPECT_EQ(PlaceOnWorkAreas({INT_MAX - 10, 0, 696, 480}, kTwoMonitors, kMinimum), (TScreenRect{584, 0, 696, 480}));
}

TEST(ScreenPlacement, WithoutWorkAreasThePlaceStays)
{
    EXPECT_EQ(PlaceOnWorkAreas({5000, 5000, 100, 20}, {}, kMinimum), (TScreenRect{5000, 5000, 136, 39}));
}

}  // namespace
}  // namespace quillbox

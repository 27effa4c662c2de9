#include "ui/about/about_metrics.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

TEST(AboutBoxMetrics, EveryDesignSizeFollowsTheDensity)
{
    EXPECT_EQ(ScaledAboutBox(TDpiScale(96)), kAboutBoxDesign);
    const TAboutBoxMetrics at144 = {
        447, 270,
        11, 11, 423, 204,
        23, 23, 48, 24,
        111, 20, -21,
        300, 44,
        111, 56,
        138, 120,
        75, 152, -20,
        176, 228, 95, 32,
    };
    EXPECT_EQ(ScaledAboutBox(TDpiScale(144)), at144);
    // At every density the panel and the button stay inside the box.
    for (const int dpi : {96, 120, 144, 192}) {
        const TAboutBoxMetrics m = ScaledAboutBox(TDpiScale(dpi));
        EXPECT_LE(m.PanelLeft + m.PanelWidth, m.ClientWidth) << dpi;
        EXPECT_LE(m.PanelTop + m.PanelHeight, m.OkTop) << dpi;
        EXPECT_LE(m.OkTop + m.OkHeight, m.ClientHeight) << dpi;
        EXPECT_LE(m.OkLeft + m.OkWidth, m.ClientWidth) << dpi;
    }
}

}  // namespace
}  // namespace quillbox

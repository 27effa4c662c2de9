// Every size of the About box's design, in pixels at 96 DPI, and the same
// sizes at a monitor's density. The box is laid out in pixels, not dialog units.
#pragma once

#include "ui/logic/dpi_scale.h"

namespace quillbox {

struct TAboutBoxMetrics {
    int ClientWidth, ClientHeight;
    int PanelLeft, PanelTop, PanelWidth, PanelHeight;
    int IconLeft, IconTop, IconSize, SmallIconSize;
    // Labels by their top-left corner; font heights are negative: character heights.
    int ProductLeft, ProductTop, ProductFontHeight;
    int ForHostLeft, ForHostTop;
    int VersionLeft, VersionTop;
    int NoteLeft, NoteTop;
    int LinkLeft, LinkTop, LinkFontHeight;
    int OkLeft, OkTop, OkWidth, OkHeight;

    bool operator==(const TAboutBoxMetrics&) const = default;
};

inline constexpr TAboutBoxMetrics kAboutBoxDesign = {
    298, 180,
    7, 7, 282, 136,
    15, 15, 32, 16,
    74, 13, -14,
    200, 29,
    74, 37,
    92, 80,
    50, 101, -13,
    117, 152, 63, 21,
};

TAboutBoxMetrics ScaledAboutBox(TDpiScale scale);

}  // namespace quillbox

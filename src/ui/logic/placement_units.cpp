#include "ui/logic/placement_units.h"

namespace quillbox {

TOpenWindowState InDesignUnits(const TOpenWindowState& state, TDpiScale scale)
{
    TOpenWindowState design = state;
    design.Width = scale.Unscale(state.Width);
    design.Height = scale.Unscale(state.Height);
    for (std::int32_t& width : design.ColumnWidths) width = scale.Unscale(width);
    return design;
}

TSavedPlacement AtDensity(const TSavedPlacement& saved, TDpiScale scale)
{
    TSavedPlacement shown = saved;
    shown.Width = scale.Scale(saved.Width);
    shown.Height = scale.Scale(saved.Height);
    for (std::int32_t& width : shown.ColumnWidths) width = scale.Scale(width);
    return shown;
}

}  // namespace quillbox

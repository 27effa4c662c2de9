#include "ui/main_window/placement_units.h"

namespace quillbox {

namespace {
// The window's size and its column widths, each converted; its place stays.
template <class TPlace, class TConvert>
TPlace WithSizesConverted(TPlace place, TConvert convert)
{
    place.Width = convert(place.Width);
    place.Height = convert(place.Height);
    for (std::int32_t& width : place.ColumnWidths) width = convert(width);
    return place;
}
}  // namespace

TOpenWindowState InDesignUnits(const TOpenWindowState& state, TDpiScale scale)
{
    return WithSizesConverted(state, [scale](int pixels) { return scale.Unscale(pixels); });
}

TSavedPlacement AtDensity(const TSavedPlacement& saved, TDpiScale scale)
{
    return WithSizesConverted(saved, [scale](int design) { return scale.Scale(design); });
}

}  // namespace quillbox

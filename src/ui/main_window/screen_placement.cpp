#include "ui/main_window/screen_placement.h"

#include <algorithm>

namespace quillbox {

namespace {
// 64 bits: a hand-edited place may lie two thousand million pixels away.
std::int64_t Right(const TScreenRect& rect) { return std::int64_t{rect.Left} + rect.Width; }
std::int64_t Bottom(const TScreenRect& rect) { return std::int64_t{rect.Top} + rect.Height; }

bool Meets(const TScreenRect& a, const TScreenRect& b)
{
    return a.Left < Right(b) && b.Left < Right(a) && a.Top < Bottom(b) && b.Top < Bottom(a);
}

// The gap between two rectangles along one axis; 0 when they overlap on it.
std::int64_t Gap(std::int64_t start, std::int64_t end, std::int64_t otherStart, std::int64_t otherEnd)
{
    return std::max<std::int64_t>({0, otherStart - end, start - otherEnd});
}

double SquaredDistance(const TScreenRect& a, const TScreenRect& b)
{
    const auto dx = static_cast<double>(Gap(a.Left, Right(a), b.Left, Right(b)));
    const auto dy = static_cast<double>(Gap(a.Top, Bottom(a), b.Top, Bottom(b)));
    return dx * dx + dy * dy;
}

// The start that puts a length inside [areaStart, areaStart + areaLength),
// moving it as little as possible; the area's start when it does not fit.
std::int32_t Inside(std::int32_t start, std::int32_t length, std::int32_t areaStart, std::int32_t areaLength)
{
    const std::int64_t last = std::int64_t{areaStart} + areaLength - length;
    return static_cast<std::int32_t>(std::max<std::int64_t>(std::min<std::int64_t>(start, last), areaStart));
}
}  // namespace

TScreenRect PlaceOnWorkAreas(TScreenRect saved, const std::vector<TScreenRect>& workAreas, TWindowSize minimum)
{
    saved.Width = std::max(saved.Width, minimum.Width);
    saved.Height = std::max(saved.Height, minimum.Height);
    if (workAreas.empty()) return saved;
    if (std::any_of(workAreas.begin(), workAreas.end(), [&](const auto& area) { return Meets(saved, area); }))
        return saved;
    const TScreenRect& nearest = *std::min_element(workAreas.begin(), workAreas.end(), [&](const auto& a, const auto& b) {
        return SquaredDistance(saved, a) < SquaredDistance(saved, b);
    });
    saved.Left = Inside(saved.Left, saved.Width, nearest.Left, nearest.Width);
    saved.Top = Inside(saved.Top, saved.Height, nearest.Top, nearest.Height);
    return saved;
}

}  // namespace quillbox

// Where a window opens at a saved place, whatever screens the system has now:
// the place is saved in screen pixels, and the monitor it was on may have
// gone or the file may have been edited by hand.
#pragma once

#include <cstdint>
#include <vector>

namespace quillbox {

struct TScreenRect {
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TScreenRect&) const = default;
};

struct TWindowSize {
    std::int32_t Width = 0, Height = 0;
};

// The saved rectangle, no smaller than minimum. When it meets none of the
// monitors' work areas, it moves onto the nearest one (the first of equally
// near ones, so the primary monitor's should lead), as far as it needs to
// lie inside it, or to its top left corner when it is larger. Without work
// areas it stays where it is.
TScreenRect PlaceOnWorkAreas(TScreenRect saved, const std::vector<TScreenRect>& workAreas, TWindowSize minimum);

}  // namespace quillbox

#pragma once

#include <windows.h>

#include "ui/grid/grid_scroll.h"

namespace quillbox {

inline RECT ToRect(const TPixelRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }

}  // namespace quillbox

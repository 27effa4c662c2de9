// Fonts made once per distinct description and kept while the grid lives.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "ui/grid/grid_format.h"
#include "ui/win32/grid/gdi_objects.h"

namespace quillbox {

class TFontCache {
public:
    HFONT Get(const TFontRequest& request);

private:
    std::vector<std::pair<TFontRequest, TFontHandle>> fonts_;
};

// The system's dialog font, as a description the grid can start from.
TFontRequest SystemFontSpec();

}  // namespace quillbox

#include "settings/settings_values.h"

#include <algorithm>

namespace quillbox {

std::optional<TSavedPlacement> SavedPlacement(const TSettings& settings, std::size_t columnCount)
{
    if (settings.SavedLeft == kNoSavedPosition || settings.SavedTop == kNoSavedPosition) return std::nullopt;
    const std::size_t count = std::min(columnCount, settings.GridWidths.size());
    return TSavedPlacement{settings.SavedLeft, settings.SavedTop, settings.SavedWidth, settings.SavedHeight,
                           {settings.GridWidths.begin(), settings.GridWidths.begin() + static_cast<long>(count)},
                           settings.SavedMaximized};
}

}  // namespace quillbox

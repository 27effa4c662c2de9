// What the settings file keeps between runs of the host, held by the plug-in
// from start-up to unload.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/interface_fonts.h"

namespace quillbox {

constexpr std::int32_t kNoSavedPosition = -1;

// The listing's view options; the one-extension filter is not stored.
struct TListingSettings {
    std::int32_t SortTarget = 1;  // 1 date, 2 size
    std::int32_t ShowType = 3;    // bit 1 non-HTML attachments, bit 2 HTML parts
    std::int32_t ShowOrder = 2;   // 1 ascending, 2 descending
    bool ExtFilterOn = false;
    std::string TargetExt;
    bool operator==(const TListingSettings&) const = default;
};

// How the save commands name and date the files they write.
struct TSaveOptions {
    bool NumberSameNames = false;  // "name (2).ext" instead of asking about an existing file
    bool MailDateOnFiles = true;   // a saved file carries its mail's date
    bool operator==(const TSaveOptions&) const = default;
};

struct TSettings {
    std::int32_t SavedLeft = kNoSavedPosition;
    std::int32_t SavedTop = kNoSavedPosition;
    std::int32_t SavedWidth = 0;
    std::int32_t SavedHeight = 0;
    // Closed maximised: the saved place is the one it is restored to.
    bool SavedMaximized = false;
    std::vector<std::int32_t> GridWidths = {0};
    std::string SaveDir;
    TSaveOptions Save;
    TListingSettings Listing;
    // Find attachments by the classic rules instead of the full ones; a file
    // without the key means the full rules.
    bool ClassicRules = false;
    TInterfaceFonts Fonts;
};

// Geometry and column widths for a window that is opening; none when no
// position was saved.
struct TSavedPlacement {
    std::int32_t Left, Top, Width, Height;
    std::vector<std::int32_t> ColumnWidths;  // at most as many as the grid has
    bool Maximized = false;
};
std::optional<TSavedPlacement> SavedPlacement(const TSettings& settings, std::size_t columnCount);

}  // namespace quillbox

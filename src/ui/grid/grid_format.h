// Formatting of grid cells: the sets that cells, columns and rows carry, and
// the resolved format a cell is painted with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillbox {

// Values as the window and the settings file use them; NotSet leaves the item
// to the next set in the lookup.
enum class TAlignment : int { Right = 0, Left = 1, Center = 2, NotSet = 3 };
enum class TOverflow : int { Clip = 0, WordWrap = 1, Ellipsis = 2, NotSet = 3 };

// 0x00BBGGRR, the layout of a Win32 COLORREF.
using TColor = std::uint32_t;

constexpr TColor Rgb(unsigned r, unsigned g, unsigned b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Every attribute of a font; Height follows the Win32 convention (negative is
// the character height in pixels).
struct TFontRequest {
    std::string Name;
    int Height = -12;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Charset = 1;  // the system's default character set
    TColor Color = 0;

    bool operator==(const TFontRequest&) const = default;
};

struct TFormatSet {
    TAlignment Alignment = TAlignment::NotSet;
    TOverflow Overflow = TOverflow::NotSet;
    std::optional<TFontRequest> Font;
    std::optional<TColor> Background;

    bool IsEmpty() const
    {
        return Alignment == TAlignment::NotSet && Overflow == TOverflow::NotSet && !Font &&
               !Background;
    }
};

// What a cell is painted with once the lookup has run: every item set.
struct TCellFormat {
    TAlignment Alignment = TAlignment::Left;
    TOverflow Overflow = TOverflow::Clip;
    TFontRequest Font;
    TColor Background = 0;
};

}  // namespace quillbox

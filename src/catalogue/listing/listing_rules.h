// How the listing reads the listing settings. A hand-edited settings file may
// hold any number; these say what each value acts as.
#pragma once

#include "settings/settings_values.h"

namespace quillbox {

// Bit values of ShowType.
constexpr int kShowNonHtml = 1;
constexpr int kShowHtml = 2;
constexpr int kShowAll = kShowNonHtml | kShowHtml;

// Anything but 2 sorts by date.
constexpr bool SortsBySize(const TListingSettings& settings) { return settings.SortTarget == 2; }
// Anything but 1 is descending.
constexpr bool SortsAscending(const TListingSettings& settings) { return settings.ShowOrder == 1; }
// The kinds shown, from the two known bits; a value with neither would hide
// every row, so it shows all.
constexpr int ShownKinds(const TListingSettings& settings)
{
    const int kinds = settings.ShowType & kShowAll;
    return kinds == 0 ? kShowAll : kinds;
}

}  // namespace quillbox

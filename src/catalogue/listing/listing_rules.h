// How the listing reads the listing settings. A hand-edited settings file may
// hold any number; these say what each value acts as.
#pragma once

#include "settings/settings_values.h"

namespace quillbox {

// Bit values of ShowType.
constexpr int kShowNonHtml = 1;
constexpr int kShowHtml = 2;
constexpr int kShowAll = kShowNonHtml | kShowHtml;

// Values of SortTarget and ShowOrder.
constexpr int kSortByDate = 1;
constexpr int kSortBySize = 2;
constexpr int kAscending = 1;
constexpr int kDescending = 2;

// Anything but kSortBySize sorts by date.
constexpr bool SortsBySize(const TListingSettings& settings) { return settings.SortTarget == kSortBySize; }
// Anything but kAscending is descending.
constexpr bool SortsAscending(const TListingSettings& settings) { return settings.ShowOrder == kAscending; }
// The kinds shown, from the two known bits; a value with neither would hide
// every row, so it shows all.
constexpr int ShownKinds(const TListingSettings& settings)
{
    const int kinds = settings.ShowType & kShowAll;
    return kinds == 0 ? kShowAll : kinds;
}

}  // namespace quillbox

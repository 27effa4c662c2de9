// How the listing reads the view settings. A hand-edited settings file may
// hold any number; these say what each value acts as.
#pragma once

#include "settings/settings_values.h"

namespace quillbox {

// Bit values of ShowType.
constexpr int kShowNonHtml = 1;
constexpr int kShowHtml = 2;
constexpr int kShowAll = kShowNonHtml | kShowHtml;

// Anything but 2 sorts by date.
constexpr bool SortsBySize(const TViewSettings& view) { return view.SortTarget == 2; }
// Anything but 1 is descending.
constexpr bool SortsAscending(const TViewSettings& view) { return view.ShowOrder == 1; }
// The kinds shown, from the two known bits; a value with neither would hide
// every row, so it shows all.
constexpr int ShownKinds(const TViewSettings& view)
{
    const int kinds = view.ShowType & kShowAll;
    return kinds == 0 ? kShowAll : kinds;
}

}  // namespace quillbox

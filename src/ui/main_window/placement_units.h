// The settings file keeps the window's size and column widths in 96-DPI
// units, so that a file moves between screens; the window works in pixels
// of the monitor it is on. Its position stays in screen pixels.
#pragma once

#include "settings/settings_values.h"
#include "settings/settings_writer.h"
#include "ui/logic/dpi_scale.h"

namespace quillbox {

// The open window's state as the settings file keeps it.
TOpenWindowState InDesignUnits(const TOpenWindowState& state, TDpiScale scale);

// A saved placement in pixels at the given density.
TSavedPlacement AtDensity(const TSavedPlacement& saved, TDpiScale scale);

}  // namespace quillbox

// Reading the settings file: each line is recognised by its own pattern, so
// a hand-edited file with missing, extra or reordered lines still loads.
#pragma once

#include <string>
#include <string_view>

#include "settings/language.h"
#include "settings/settings_values.h"

namespace quillbox {

class TBRegExp;

// Reads the file at path into the values. Without a file: defaults and no
// saved position. An error while reading ends it: no saved position, view
// options back to their defaults, everything else read so far kept.
// Column widths are kept within 8 to 2,000 pixels (0, no saved width, stays)
// and font sizes within 6 to 72 points; a view option outside its range reads
// as its default.
void ReadSettings(const std::string& path, TSettings& settings, TLanguage& language,
                  TBRegExp& regExp);
void ReadSettings(const std::string& path, TSettings& settings, TLanguage& language);

// The same for the file's contents.
void ReadSettingsText(std::string_view text, TSettings& settings, TLanguage& language, TBRegExp& regExp);

}  // namespace quillbox

// Loading of the regular-expression library (bregexp.dll on Windows,
// libbregexp.so natively) from the plug-in's folder, and the pattern service
// every caller uses: TBRegExp, its shared instance and its error.
#pragma once

#include <functional>
#include <string>

#include "regex/b_reg_exp.h"

namespace quillbox {

// Loads the library from folder and resolves its six entry points. Each
// failure is reported through showError ("Loading "path" failed." or
// GetProcAddress failed "name"); returns false when the library did not
// load or BMatch is missing. A second call replaces the first library.
bool LoadRegexLibrary(const std::string& folder,
                      const std::function<void(const std::string& message)>& showError);

// Destroys the shared instance (releasing its compiled pattern through the
// library) and then releases the library.
void UnloadRegexLibrary();

}  // namespace quillbox

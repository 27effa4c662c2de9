// The loaded library's entry points, as the pattern service calls them.
#pragma once

#include "regex/bregexp.h"

namespace quillbox {

struct TRegexEntryPoints {
    BMatchFunc Match = nullptr;
    BMatchFunc Subst = nullptr;
    BMatchFunc Trans = nullptr;
    BSplitFunc Split = nullptr;
    BRegfreeFunc Regfree = nullptr;
    BRegexpVersionFunc Version = nullptr;
};

// Null while no library is loaded.
const TRegexEntryPoints* LoadedRegexEntryPoints();

}  // namespace quillbox
